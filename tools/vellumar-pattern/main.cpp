// vellumar-pattern: the command-line companion for pattern files.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/vellumar-pattern/commands.h"

namespace {

constexpr const char* kUsage =
    "usage: vellumar-pattern COMMAND FILE\n"
    "\n"
    "commands:\n"
    "  info FILE   a short summary: variant, source size, pieces, colours, points\n"
    "  dump FILE   the loaded pattern as one JSON object\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::string file = argv[2];
    if (command == "info") {
        return runInfo(file);
    }
    if (command == "dump") {
        return runDump(file);
    }
    std::fprintf(stderr, "vellumar-pattern: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return 2;
}

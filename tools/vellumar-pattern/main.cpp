// vellumar-pattern: the command-line companion for pattern files.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/vellumar-pattern/commands.h"

namespace {

constexpr const char* kUsage =
    "usage: vellumar-pattern COMMAND ...\n"
    "\n"
    "commands:\n"
    "  info FILE                 a short summary: variant, source size, pieces, colours, points\n"
    "  dump FILE                 the loaded pattern as one JSON object\n"
    "  compile IN.svg -o OUT.mza a playable pattern from an SVG picture (compile --help)\n"
    "  check FILE                the rules of a playable pattern (check --help)\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    const bool help = arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h");
    if (command == "compile") {
        return help ? (std::fputs(kCompileHelp, stdout), 0) : runCompile(arguments);
    }
    if (command == "check") {
        return help ? (std::fputs(kCheckHelp, stdout), 0) : runCheck(arguments);
    }
    if ((command == "info" || command == "dump") && arguments.size() == 1) {
        return command == "info" ? runInfo(arguments[0]) : runDump(arguments[0]);
    }
    std::fprintf(stderr, "vellumar-pattern: unknown command or arguments '%s'\n\n%s", command.c_str(),
                 kUsage);
    return 2;
}

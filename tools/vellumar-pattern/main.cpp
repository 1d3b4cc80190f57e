// vellumar-pattern: the command-line companion for pattern files.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tools/vellumar-pattern/commands.h"

namespace {

constexpr const char* kUsage =
    "usage: vellumar-pattern COMMAND FILE [OPTIONS]\n"
    "\n"
    "commands:\n"
    "  info FILE     a short summary: variant, source size, pieces, colours, points\n"
    "  dump FILE     the loaded pattern as one JSON object\n"
    "  render FILE -o OUT.png [--size WxH]\n"
    "                the board as the game draws it, as a PNG. Options:\n"
    "                  --size WxH          the board in pixels (240x294)\n"
    "                  --scheme 0-3        the colour scheme (0)\n"
    "                  --mode 0-2          Normal, Hint or Free painting (0)\n"
    "                  --selected N        the selected colour's number, 1 up (none)\n"
    "                  --painted HOW       none, all or random:SHARE[:SEED] (none)\n"
    "                  --zoom Z            1 shows the whole picture (1)\n"
    "                  --centre X,Y        the view's centre in pattern units (0,0)\n"
    "                  --dpi N             the screen's dots per inch, for the numbers (96)\n"
    "  make IN -o OUT.mza [--detail easy|medium|hard] [--colours N] [--pieces N]\n"
    "                a planar pattern from a PNG, JPEG, BMP, GIF or SVG picture (make --help)\n"
    "  check FILE    the rules of a playable pattern (check --help)\n"
    "  thumbnail FILE -o NAME.bmp [--size WxH]\n"
    "                the chooser's 24-bit BMP of the finished picture, fitting\n"
    "                96x128 (or WxH) with the picture's aspect (thumbnail --help)\n"
    "  contact-sheet FOLDER -o SHEET.png [--columns N]\n"
    "                every thumbnail of a folder with its name (contact-sheet --help)\n";

int usageError(const std::string& why) {
    std::fprintf(stderr, "vellumar-pattern: %s\n\n%s", why.c_str(), kUsage);
    return 2;
}

std::optional<long> number(const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return (end != text.c_str() && *end == '\0') ? std::optional(value) : std::nullopt;
}

int render(const std::vector<std::string>& args) {
    RenderOptions options;
    options.file = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            return usageError("the option " + option + " needs a value");
        }
        const std::string& value = args[++i];
        const auto n = number(value);
        if (option == "-o" || option == "--output") {
            options.output = value;
        } else if (option == "--size") {
            options.size = value;
        } else if (option == "--scheme" && n && *n >= 0 && *n <= 3) {
            options.scheme = static_cast<std::uint32_t>(*n);
        } else if (option == "--mode" && n && *n >= 0 && *n <= 2) {
            options.mode = static_cast<std::uint32_t>(*n);
        } else if (option == "--selected" && n && *n >= 1 && *n <= 256) {
            options.selected = static_cast<std::int32_t>(*n - 1);
        } else if (option == "--painted") {
            options.painted = value;
        } else if (option == "--zoom") {
            options.zoom = std::strtof(value.c_str(), nullptr);
            if (!(options.zoom >= 1.0f && options.zoom <= 1000.0f)) {
                return usageError("--zoom wants a number from 1 to 1000");
            }
        } else if (option == "--centre" &&
                   std::sscanf(value.c_str(), "%d,%d", &options.centreX, &options.centreY) == 2) {
        } else if (option == "--dpi" && n && *n >= 24 && *n <= 1200) {
            options.dpi = static_cast<int>(*n);
        } else {
            return usageError("cannot use " + option + " " + value);
        }
    }
    if (options.output.empty()) {
        return usageError("render needs -o OUT.png");
    }
    return runRender(options);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    const bool help = args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
    if (command == "make") {
        return help ? (std::fputs(kMakeHelp, stdout), 0) : runMake(args);
    }
    if (command == "check") {
        return help ? (std::fputs(kCheckHelp, stdout), 0) : runCheck(args);
    }
    if (command == "thumbnail") {
        return help ? (std::fputs(kThumbnailHelp, stdout), 0) : runThumbnail(args);
    }
    if (command == "contact-sheet") {
        return help ? (std::fputs(kContactSheetHelp, stdout), 0) : runContactSheet(args);
    }
    if (command == "render") {
        return render(args);
    }
    if (args.size() != 1) {
        return usageError(command + " takes one file");
    }
    if (command == "info") {
        return runInfo(args[0]);
    }
    if (command == "dump") {
        return runDump(args[0]);
    }
    return usageError("unknown command '" + command + "'");
}

// `vellumar-pattern thumbnail FILE -o NAME.bmp [--size WxH]`: the chooser's
// picture of a pattern.
#include <cstdio>

#include "render/thumbnail.h"
#include "tools/vellumar-pattern/bmp_writer.h"
#include "tools/vellumar-pattern/commands.h"
#include "tools/vellumar-pattern/loaded_pattern.h"

const char* const kThumbnailHelp =
    "usage: vellumar-pattern thumbnail FILE -o NAME.bmp [--size WxH]\n"
    "\n"
    "Writes the thumbnail the pattern chooser shows beside the pattern's name: the\n"
    "finished picture, every piece painted, drawn by the game's board renderer at four\n"
    "times the size and averaged down, as a 24-bit BMP (bottom-up, rows padded to 4\n"
    "bytes). Name it like the pattern: NAME.bmp beside NAME.mza.\n"
    "\n"
    "  -o NAME.bmp    the bitmap to write\n"
    "  --size WxH     the box the thumbnail fits in, keeping the picture's aspect: one\n"
    "                 side fills the box, the other is rounded to the nearest pixel\n"
    "                 (default 96x128: the chooser's frame is 96 x 177 on the smallest\n"
    "                 screen, and a thumbnail that fits is never shrunk)\n";

int runThumbnail(const std::vector<std::string>& arguments) {
    std::string file, output;
    int boxWidth = kThumbnailBoxWidth;
    int boxHeight = kThumbnailBoxHeight;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if ((a == "-o" || a == "--output") && hasValue) {
            output = arguments[++i];
        } else if (a == "--size" && hasValue) {
            const std::string& value = arguments[++i];
            char end = 0;
            if (std::sscanf(value.c_str(), "%dx%d%c", &boxWidth, &boxHeight, &end) != 2 || boxWidth < 1 ||
                boxHeight < 1 || boxWidth > 4096 || boxHeight > 4096) {
                std::fprintf(stderr,
                             "vellumar-pattern: thumbnail: --size wants WIDTHxHEIGHT, each 1 to 4096\n");
                return 2;
            }
        } else if (file.empty() && !a.empty() && a[0] != '-') {
            file = a;
        } else {
            std::fprintf(stderr, "vellumar-pattern: thumbnail: unexpected '%s'\n\n%s", a.c_str(),
                         kThumbnailHelp);
            return 2;
        }
    }
    if (file.empty() || output.empty()) {
        std::fputs(kThumbnailHelp, stderr);
        return 2;
    }
    const auto loaded = loadForCommand(file);
    if (!loaded) {
        return 1;
    }
    const ThumbnailSize size = thumbnailSize(loaded->pattern, boxWidth, boxHeight);
    if (size.width < 1 || size.height < 1) {
        std::fprintf(stderr, "vellumar-pattern: %s: the picture has no size\n", file.c_str());
        return 1;
    }
    const platform::Surface picture = renderThumbnail(loaded->pattern, size.width, size.height);
    if (!writeBmp24(picture, output)) {
        std::fprintf(stderr, "vellumar-pattern: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}

// vellumar-art: draws the game's bitmaps and icon from their descriptions.
//
//   vellumar-art generate RESOURCES    writes RESOURCES/bitmaps/NNN.bmp (and
//                                      NNN@2x.bmp ... @4x.bmp) and RESOURCES/icons/101-S.png
//   vellumar-art contact-sheet OUT.png every picture on one sheet, for review
//   vellumar-art png ID SCALE OUT.png  one bitmap as the game reads it, at a scale
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/pixels/bmp_decoder.h"
#include "tools/codecs/png_writer.h"
#include "tools/vellumar-art/catalogue.h"
#include "tools/vellumar-art/contact_sheet.h"
#include "tools/vellumar-art/output.h"

int main(int argc, char** argv) {
    platform::HeadlessBackend backend;
    const std::string command = argc == 3 ? argv[1] : "";
    if (command == "generate") {
        const std::filesystem::path folder = argv[2];
        std::string error;
        if (!art::writeAll(folder / "bitmaps", folder / "icons", error)) {
            std::fprintf(stderr, "vellumar-art: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (command == "contact-sheet") {
        if (!art::writeContactSheet(argv[2])) {
            std::fprintf(stderr, "vellumar-art: %s could not be written\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 5 && std::string(argv[1]) == "png") {
        const int id = std::atoi(argv[2]);
        const int scale = std::atoi(argv[3]);
        for (const art::Artwork& a : art::catalogue()) {
            if (a.id == id && scale >= 1 && scale <= 4) {
                // Through the file we write, so the preview shows its palette too.
                const auto picture = platform::decodeBmp(art::bitmapFile(a, scale));
                return picture && codecs::writePng(*picture, argv[4]) ? 0 : 1;
            }
        }
        std::fprintf(stderr, "vellumar-art: no bitmap %s at %sx\n", argv[2], argv[3]);
        return 1;
    }
    std::fprintf(stderr,
                 "usage: vellumar-art generate RESOURCES_FOLDER\n"
                 "       vellumar-art contact-sheet OUT.png\n"
                 "       vellumar-art png ID SCALE OUT.png\n");
    return 2;
}

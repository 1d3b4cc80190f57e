// vellumar-art: draws the game's bitmaps and icon from their descriptions.
//
//   vellumar-art generate RESOURCES    writes RESOURCES/bitmaps/NNN.bmp (and
//                                      NNN@2x.bmp ... @4x.bmp) and RESOURCES/icons/101-S.png
//   vellumar-art contact-sheet OUT.png every picture on one sheet, for review
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/headless/headless_backend.h"
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
    std::fprintf(stderr,
                 "usage: vellumar-art generate RESOURCES_FOLDER\n"
                 "       vellumar-art contact-sheet OUT.png\n");
    return 2;
}

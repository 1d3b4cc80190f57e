// Any bytes as an SVG document: the reader gives shapes or a reason, and the
// shapes are drawn flat; neither reads or writes outside its storage, fetches
// anything or runs without end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "maker/input/svg_picture.h"
#include "maker/svg/svg_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto picture = svg::readSvg(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!picture) {
        if (error.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const Picture flat = drawFlat(*picture, 128);
    if (flat.width < 1 || flat.height < 1 || flat.width > 128 || flat.height > 128 ||
        flat.pixels.size() != static_cast<std::size_t>(flat.width) * flat.height) {
        __builtin_trap();
    }
    return 0;
}

// Any bytes as a picture file, the way `make` reads one: a picture of the
// size asked for, or a reason; never a read or write outside its storage.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "maker/input/read_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr int kLongSide = 64;
    const PictureReadResult result = readPictureFromMemory(std::as_bytes(std::span(data, size)), kLongSide);
    if (!result.picture) {
        if (result.error.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const Picture& p = *result.picture;
    if (p.width < 1 || p.height < 1 || std::max(p.width, p.height) > kLongSide ||
        p.pixels.size() != static_cast<std::size_t>(p.width) * p.height) {
        __builtin_trap();
    }
    return 0;
}

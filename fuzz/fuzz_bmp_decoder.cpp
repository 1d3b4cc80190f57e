// Any bytes as a BMP file (a thumbnail, or a bitmap resource): the decoder
// gives a surface of the size the header names, or none; it never reads
// outside the file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/pixels/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto surface = platform::decodeBmp(std::as_bytes(std::span(data, size)));
    if (surface && surface->pixels().size() != static_cast<std::size_t>(surface->width()) *
                                                   static_cast<std::size_t>(surface->height())) {
        __builtin_trap();
    }
    return 0;
}

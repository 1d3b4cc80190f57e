// Filling a run of pixels with one colour, 16 bytes a store: the board's
// long spans are most of its pixels, and the compiler leaves a plain loop of
// unknown length at 4 bytes a store. Long runs (whole rows of the board's
// ground, large pieces) go to the C library's wide-character fill, which picks
// the widest stores the processor has and runs at the speed of memset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/pixels/surface.h"

namespace platform {

inline void fillPixels(Pixel* first, std::size_t count, Pixel colour) {
    static_assert(sizeof(wchar_t) == sizeof(Pixel));
    constexpr std::size_t kLongRun = 256;
    if (count >= kLongRun) {
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(colour), count);
        return;
    }
    using Quad = Pixel __attribute__((vector_size(16)));
    constexpr std::size_t kPerQuad = sizeof(Quad) / sizeof(Pixel);
    const Quad quad = {colour, colour, colour, colour};
    std::size_t i = 0;
    for (; i + kPerQuad <= count; i += kPerQuad) {
        std::memcpy(first + i, &quad, sizeof quad);
    }
    for (; i < count; ++i) {
        first[i] = colour;
    }
}

}  // namespace platform

// Filling a run of pixels with one colour, 16 bytes a store: the board's
// long spans are most of its pixels, and the compiler leaves a plain loop of
// unknown length at 4 bytes a store and a branch a pixel at its end. Runs of
// more than a few stores (rows of the board's ground, most pieces' rows) go to
// the C library's wide-character fill, which picks the widest stores the
// processor has and runs at the speed of memset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/pixels/surface.h"

namespace platform {

inline void fillPixels(Pixel* first, std::size_t count, Pixel colour) {
    static_assert(sizeof(wchar_t) == sizeof(Pixel));
    constexpr std::size_t kLongRun = 48;
    if (count >= kLongRun) {
        std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(colour), count);
        return;
    }
    // The last stores overlap the ones before instead of finishing pixel by
    // pixel: a run's length is as good as random, and a loop over its last
    // few pixels would mispredict its end on most runs.
    using Quad = Pixel __attribute__((vector_size(16)));
    const Quad quad = {colour, colour, colour, colour};
    if (count >= 8) {
        for (std::size_t i = 0; i + 8 < count; i += 8) {
            std::memcpy(first + i, &quad, sizeof quad);
            std::memcpy(first + i + 4, &quad, sizeof quad);
        }
        std::memcpy(first + count - 8, &quad, sizeof quad);
        std::memcpy(first + count - 4, &quad, sizeof quad);
    } else if (count >= 4) {
        std::memcpy(first, &quad, sizeof quad);
        std::memcpy(first + count - 4, &quad, sizeof quad);
    } else if (count >= 2) {
        const std::uint64_t pair = (std::uint64_t{colour} << 32) | colour;
        std::memcpy(first, &pair, sizeof pair);
        std::memcpy(first + count - 2, &pair, sizeof pair);
    } else if (count == 1) {
        *first = colour;
    }
}

}  // namespace platform

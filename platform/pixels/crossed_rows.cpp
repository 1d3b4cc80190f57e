#include "platform/pixels/crossed_rows.h"

#include <algorithm>
#include <bit>

#include "platform/pixels/pixel_run.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace platform {

namespace {

// Whether column 0 of row `r` starts inside: the left flips summed so far.
struct LeftParity {
    const std::uint8_t* flips;
    std::uint64_t odd = 0;

    std::uint64_t next(std::int64_t r) {
        if (flips != nullptr) {
            odd ^= flips[r];
        }
        return odd;
    }
};

}  // namespace

void fillCrossedRowsByRuns(const CrossedRows& rows, Pixel colour) {
    LeftParity left{rows.leftFlips};
    for (std::int64_t r = 0; r < rows.rows; ++r) {
        std::uint64_t* words = rows.words + static_cast<std::size_t>(r) * rows.stride;
        words[0] ^= left.next(r);
        Pixel* pixels = rows.pixels + r * rows.pixelStride;
        bool inside = false;
        std::int64_t from = 0;
        for (std::size_t w = 0; w < rows.stride; ++w) {
            std::uint64_t m = words[w];
            words[w] = 0;
            const auto column = static_cast<std::int64_t>(w * 64);
            for (; m != 0; m &= m - 1) {
                const std::int64_t x = std::min(column + std::countr_zero(m), rows.end);
                if (inside) {
                    fillPixels(pixels + from, static_cast<std::size_t>(x - from), colour);
                }
                from = x;
                inside = !inside;
            }
        }
        if (inside) {
            // An odd count: crossings right of the end were dropped.
            fillPixels(pixels + from, static_cast<std::size_t>(rows.end - from), colour);
        }
    }
}

#if defined(__x86_64__)

namespace {

// Each bit becomes the XOR of it and every bit below: set where an odd number
// of crossings lie at or left of the column. A carry-less product by all ones
// does it in one instruction.
[[gnu::target("pclmul")]] inline std::uint64_t oddCountsUpTo(std::uint64_t crossings) {
    const __m128i product =
        _mm_clmulepi64_si128(_mm_cvtsi64_si128(static_cast<long long>(crossings)), _mm_set1_epi64x(-1), 0x00);
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(product));
}

// Each word of a row: its inside pixels as four masked stores of 16, a word
// wholly inside as four plain stores (measured faster), one wholly outside
// not at all. A masked-out pixel is neither written nor read, so the stores
// may reach past the row's end.
[[gnu::target("avx512f,pclmul")]] void fillCrossedRowsMasked(const CrossedRows& rows, Pixel colour) {
    const __m512i fill = _mm512_set1_epi32(static_cast<int>(colour));
    const auto lastWord = static_cast<std::int64_t>(rows.stride) - 1;
    // Columns at or right of the end are dropped from the last word, which holds the end.
    const std::int64_t endInLast = std::clamp<std::int64_t>(rows.end - lastWord * 64, 0, 64);
    const std::uint64_t lastKept = endInLast == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << endInLast) - 1;
    LeftParity left{rows.leftFlips};
    for (std::int64_t r = 0; r < rows.rows; ++r) {
        std::uint64_t* words = rows.words + static_cast<std::size_t>(r) * rows.stride;
        Pixel* pixels = rows.pixels + r * rows.pixelStride;
        std::uint64_t carry = ~std::uint64_t{0} * left.next(r);  // all ones when inside
        for (std::int64_t w = 0; w <= lastWord; ++w) {
            std::uint64_t inside = oddCountsUpTo(words[w]) ^ carry;
            words[w] = 0;
            carry = ~std::uint64_t{0} * (inside >> 63);
            inside &= w == lastWord ? lastKept : ~std::uint64_t{0};
            if (inside == 0) {
                continue;
            }
            Pixel* first = pixels + w * 64;
            if (inside == ~std::uint64_t{0}) {
                _mm512_storeu_si512(first, fill);
                _mm512_storeu_si512(first + 16, fill);
                _mm512_storeu_si512(first + 32, fill);
                _mm512_storeu_si512(first + 48, fill);
                continue;
            }
            _mm512_mask_storeu_epi32(first, static_cast<__mmask16>(inside), fill);
            _mm512_mask_storeu_epi32(first + 16, static_cast<__mmask16>(inside >> 16), fill);
            _mm512_mask_storeu_epi32(first + 32, static_cast<__mmask16>(inside >> 32), fill);
            _mm512_mask_storeu_epi32(first + 48, static_cast<__mmask16>(inside >> 48), fill);
        }
    }
}

bool hasMaskedStores() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("pclmul");
}

}  // namespace

void fillCrossedRows(const CrossedRows& rows, Pixel colour) {
    static const bool masked = hasMaskedStores();
    if (masked) {
        fillCrossedRowsMasked(rows, colour);
    } else {
        fillCrossedRowsByRuns(rows, colour);
    }
}

#else

void fillCrossedRows(const CrossedRows& rows, Pixel colour) {
    fillCrossedRowsByRuns(rows, colour);
}

#endif

}  // namespace platform

// Rows of crossing bits into pixels: the masked stores and the run-by-run
// fill against counting crossings pixel by pixel.
#include "platform/pixels/crossed_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using platform::CrossedRows;
using platform::Pixel;

constexpr Pixel kGround = 0x808080, kInk = 0x102030;

// Columns past the end and the margin right of the rows must stay ground.
constexpr std::int64_t kMargin = 70;

struct Rows {
    std::vector<std::uint64_t> words;
    std::vector<std::uint8_t> leftFlips;
    std::vector<Pixel> pixels;
};

std::vector<Pixel> expectedPixels(const Rows& in, std::size_t stride, std::int64_t rows, std::int64_t width,
                                  std::int64_t end, bool withLeftFlips) {
    std::vector<Pixel> out(in.pixels.size(), kGround);
    bool leftOdd = false;
    for (std::int64_t r = 0; r < rows; ++r) {
        leftOdd ^= withLeftFlips && in.leftFlips[static_cast<std::size_t>(r)] != 0;
        bool inside = leftOdd;
        for (std::int64_t x = 0; x < end; ++x) {
            const std::uint64_t word = in.words[static_cast<std::size_t>(r) * stride + x / 64];
            inside ^= ((word >> (x % 64)) & 1) != 0;
            if (inside) {
                out[static_cast<std::size_t>(r * width + x)] = kInk;
            }
        }
    }
    return out;
}

TEST(CrossedRows, EveryWayFillsThePixelsAnOddCountOfCrossingsReaches) {
    using Fill = void (*)(const CrossedRows&, Pixel);
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937_64 random(seed);
    struct Case {
        std::size_t stride;
        std::int64_t end;  // the columns drawn
        bool leftFlips;
        int bitsPerWord;  // about how many crossings a word holds
    };
    // One word and several; the end inside the last word (an odd count then
    // runs on to it) and on its edge; left flips or not; few crossings and many.
    const Case cases[] = {{1, 64, false, 3},  {1, 40, false, 8}, {3, 192, true, 2},  {3, 150, true, 30},
                          {4, 256, false, 1}, {2, 65, true, 4},  {5, 300, false, 63}};
    for (const Fill fill : {Fill{platform::fillCrossedRows}, Fill{platform::fillCrossedRowsByRuns}}) {
        for (const Case& c : cases) {
            const std::int64_t rows = 9;
            const std::int64_t width = static_cast<std::int64_t>(c.stride) * 64 + kMargin;
            Rows in{std::vector<std::uint64_t>(c.stride * rows), std::vector<std::uint8_t>(rows + 1),
                    std::vector<Pixel>(static_cast<std::size_t>(width * rows), kGround)};
            std::bernoulli_distribution crossing(c.bitsPerWord / 64.0);
            for (std::uint64_t& word : in.words) {
                for (int bit = 0; bit < 64; ++bit) {
                    word |= std::uint64_t{crossing(random)} << bit;
                }
            }
            for (std::uint8_t& flip : in.leftFlips) {
                flip = static_cast<std::uint8_t>(random() & 1);
            }
            const std::vector<Pixel> expected = expectedPixels(in, c.stride, rows, width, c.end, c.leftFlips);
            fill(CrossedRows{in.words.data(), c.stride, rows, c.leftFlips ? in.leftFlips.data() : nullptr,
                             in.pixels.data(), width, c.end},
                 kInk);
            EXPECT_EQ(in.pixels, expected) << "stride " << c.stride << " end " << c.end;
            EXPECT_EQ(in.words, std::vector<std::uint64_t>(in.words.size())) << "the words are cleared";
        }
    }
}

}  // namespace

// Area averaging: each new pixel the exact weighted mean of what it covers.
#include <gtest/gtest.h>

#include "maker/input/area_scale.h"

namespace {

struct LineCase {
    std::vector<std::uint8_t> from;
    std::vector<std::uint8_t> to;
};

// Grey lines: 3 into 2 weighs the middle pixel half to each side.
const LineCase kLines[] = {
    {{30, 90, 240}, {50, 190}},
    {{0, 255, 0, 255}, {128, 128}},  // 127.5 rounds up
    {{10, 20, 30, 40, 50}, {30}},
    {{0, 0, 0, 0, 70, 140, 210}, {0, 20, 160}},  // 7 into 3: weights 3 3 1 | 2 3 2 | 1 3 3
    {{7, 9}, {7, 9}},
};

std::vector<std::uint8_t> greyRgbx(const std::vector<std::uint8_t>& line) {
    std::vector<std::uint8_t> rgbx;
    for (std::uint8_t v : line) {
        rgbx.insert(rgbx.end(), {v, v, v, 0});
    }
    return rgbx;
}

std::vector<std::uint32_t> greyPixels(const std::vector<std::uint8_t>& line) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t v : line) {
        pixels.push_back(v << 16 | v << 8 | v);
    }
    return pixels;
}

TEST(AreaAverage, AlongEitherAxis) {
    for (const LineCase& c : kLines) {
        const int n = static_cast<int>(c.from.size()), m = static_cast<int>(c.to.size());
        const auto rgbx = greyRgbx(c.from);
        EXPECT_EQ(areaAverage(rgbx.data(), n, 1, {m, 1}), greyPixels(c.to));
        EXPECT_EQ(areaAverage(rgbx.data(), 1, n, {1, m}), greyPixels(c.to));
    }
}

TEST(AreaAverage, ChannelsAndBothAxesAtOnce) {
    // 2 x 2 into 1 x 1: each channel its own mean.
    const std::vector<std::uint8_t> rgbx = {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 1, 1, 1, 0};
    EXPECT_EQ(areaAverage(rgbx.data(), 2, 2, {1, 1}), std::vector<std::uint32_t>{0x404040});
}

TEST(FittedSize, LongSideAndAspect) {
    const int cases[][5] = {{4000, 3000, 1024, 1024, 768},
                            {3000, 4000, 1024, 768, 1024},
                            {1, 5000, 1024, 1, 1024},
                            {100, 50, 1024, 100, 50},
                            {1023, 1025, 1024, 1022, 1024}};
    for (const auto& c : cases) {
        const Size s = fittedSize(c[0], c[1], c[2]);
        EXPECT_EQ(s.width, c[3]) << c[0] << "x" << c[1];
        EXPECT_EQ(s.height, c[4]) << c[0] << "x" << c[1];
    }
}

}  // namespace

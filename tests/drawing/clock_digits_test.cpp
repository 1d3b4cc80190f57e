// End to end through the rasteriser: the countdown panel's seven-bar digits,
// drawn as filled polygons with a same-coloured pen, and its colon of two
// small ellipses, on the smallest panel the game lays out (47 x 28).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/drawing.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

constexpr COLORREF kFace = RGB(155, 144, 179);
constexpr COLORREF kDigit = RGB(255, 255, 255);

// Bar outlines in digit units (cell 100 x 200, y up), each closed by repeating its first point.
const std::vector<std::vector<std::pair<double, double>>> kBars = {
    {{0, 200}, {100, 200}, {85, 185}, {15, 185}, {0, 200}},
    {{100, 100}, {100, 200}, {85, 185}, {85, 107.5}, {100, 100}},
    {{100, 0}, {100, 100}, {85, 92.5}, {85, 15}, {100, 0}},
    {{0, 0}, {100, 0}, {85, 15}, {15, 15}, {0, 0}},
    {{0, 0}, {0, 100}, {15, 92.5}, {15, 15}, {0, 0}},
    {{0, 100}, {0, 200}, {15, 185}, {15, 107.5}, {0, 100}},
    {{0, 100}, {15, 92.5}, {85, 92.5}, {100, 100}, {85, 107.5}, {15, 107.5}, {0, 100}},
};

// Draws four all-bars digits and the colon into a width x height panel, scaled as the clock scales them.
void drawEights(HDC dc, int width, int height) {
    double scale = (height - 3) * 0.005;
    if (600 * scale > width - 1) {
        scale = (width - 3) / 600.0;
    }
    const int x0 = std::max(1, static_cast<int>(std::trunc((width - 1) - 600 * scale)) / 2);
    const int y0 = static_cast<int>(std::trunc((height - 1) - 200 * scale)) / 2;
    const int pitch = static_cast<int>(std::trunc(150 * scale));
    const int r = std::max(1, static_cast<int>(std::trunc(15 * scale)));
    const int cx = static_cast<int>(std::trunc(285 * scale + x0));
    for (const double dotHeight : {50.0, 150.0}) {
        const int cy = (height - 1) - static_cast<int>(std::trunc(dotHeight * scale)) - y0;
        Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
    }
    for (int digit = 0; digit < 4; ++digit) {
        const int xi = x0 + digit * pitch;
        for (const auto& bar : kBars) {
            std::vector<POINT> points;
            for (const auto& [x, y] : bar) {
                points.push_back({static_cast<LONG>(std::trunc(x * scale + xi)),
                                  static_cast<LONG>((height - 1) - std::trunc(y * scale + y0))});
            }
            Polygon(dc, points.data(), static_cast<int>(points.size()));
        }
    }
}

TEST(ClockDigits, FillTheirRowsAndColumnsOnTheSmallestPanel) {
    TestCanvas canvas(47, 28, kFace);
    canvas.use(kDigit, 1, kDigit);
    drawEights(canvas.dc(), 47, 28);
    const std::string picture = canvas.picture(kDigit);
    int top = 99, bottom = -1, left = 99, right = -1;
    for (int y = 0; y < 28; ++y) {
        for (int x = 0; x < 47; ++x) {
            if (canvas.at(x, y) == kDigit) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            } else {
                ASSERT_EQ(canvas.at(x, y), kFace) << x << "," << y << "\n" << picture;
            }
        }
    }
    EXPECT_EQ(top, 7) << picture;
    EXPECT_EQ(bottom, 21) << picture;
    EXPECT_EQ(left, 1) << picture;
    EXPECT_EQ(right, 1 + 3 * 11 + 7) << picture;  // last digit's right edge, 100 units = 7 pixels
    // The colon dots sit on their centres, between the second and third digits.
    EXPECT_EQ(canvas.at(21, 18), kDigit) << picture;
    EXPECT_EQ(canvas.at(21, 10), kDigit) << picture;
    EXPECT_EQ(canvas.at(21, 14), kFace) << picture;
    // Each digit has its top and bottom bars across, and a gap between digits.
    for (int digit = 0; digit < 4; ++digit) {
        const int xi = 1 + 11 * digit;
        for (int x = xi; x <= xi + 7; ++x) {
            EXPECT_EQ(canvas.at(x, 7), kDigit) << "digit " << digit << " column " << x << "\n" << picture;
            EXPECT_EQ(canvas.at(x, 21), kDigit) << "digit " << digit << " column " << x << "\n" << picture;
        }
        if (digit < 3) {
            EXPECT_EQ(canvas.at(xi + 9, 7), kFace) << picture;
        }
        // The hollows of the 8 stay the face colour.
        EXPECT_EQ(canvas.at(xi + 4, 10), kFace) << picture;
        EXPECT_EQ(canvas.at(xi + 4, 18), kFace) << picture;
    }
}

}  // namespace
}  // namespace drawing_test

// The board's pieces in pixels, against the conversion point by point.
#include "render/board_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "pattern/pattern.h"
#include "pattern/view_transform.h"
#include "platform/drawing/drawing.h"
#include "tests/support/pattern_builder.h"
#include "tests/support/test_canvas.h"

namespace {

// contourToBoard converts two points at a time and keeps a point only when
// it leaves the pixel before: the same points as patternToBoard one by one
// without the repeats, and the same pixels drawn from them.
TEST(ContourToBoard, LeavesOutPointsOnThePixelBeforeAndChangesNoPixel) {
    const auto loaded = loadFromRecords(redSquareFile());
    Pattern* p = &loaded->pattern;
    fitToBoard(*p, 240, 240);
    std::mt19937 random(7);
    // Steps of a few units: at 66 units a pixel, most points repeat the pixel before.
    std::uniform_int_distribution<LONG> step(-90, 90), anywhere(-12000, 12000);
    for (int round = 0; round < 300; ++round) {
        // Some views so far in that every point is out of reach.
        setZoom(*p, round % 7 == 6 ? 1e8f : 1.0f + static_cast<float>(round % 3));
        setCentre(*p, anywhere(random) / 2, anywhere(random) / 2);
        const ViewTransform& view = p->viewTransform;
        const BoardScale scale = boardScale(view);
        std::vector<POINT> units(2 + random() % 30, POINT{anywhere(random), anywhere(random)});
        for (std::size_t i = 1; i < units.size(); ++i) {
            units[i] = {units[i - 1].x + step(random), units[i - 1].y + step(random)};
        }
        std::vector<POINT> every, expected, kept(units.size());
        for (const POINT u : units) {
            every.push_back(patternToBoard(view, scale, u));
            if (expected.empty() || expected.back() != every.back()) {
                expected.push_back(every.back());
            }
        }
        if (expected.size() == 1) {
            expected.push_back(expected[0]);
        }
        kept.resize(static_cast<std::size_t>(
            contourToBoard(view, scale, units.data(), static_cast<std::int32_t>(units.size()), kept.data())));
        ASSERT_TRUE(kept == expected) << "round " << round;
        const int penWidth = round % 3 == 2 ? 3 : 0;
        drawing_test::TestCanvas whole(240, 240), fewer(240, 240);
        whole.use(kOutlineColour, penWidth, RGB(250, 0, 0));
        fewer.use(kOutlineColour, penWidth, RGB(250, 0, 0));
        const bool closed = round % 2 == 0;
        (closed ? Polygon : Polyline)(whole.dc(), every.data(), static_cast<int>(every.size()));
        (closed ? Polygon : Polyline)(fewer.dc(), kept.data(), static_cast<int>(kept.size()));
        ASSERT_TRUE(std::ranges::equal(whole.surface().pixels(), fewer.surface().pixels()))
            << "round " << round;
    }
}

}  // namespace

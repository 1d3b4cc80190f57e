#include "pattern/view_transform.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/support/pattern_builder.h"

namespace {

// An empty picture of the given source size, N = 16000.
std::unique_ptr<LoadedTestPattern> picture(int width, int height) {
    PatternFile file = squareFile(true);
    file.header.sourceWidth = width;
    file.header.sourceHeight = height;
    return loadFromRecords(file);
}

}  // namespace

TEST(FitToBoard, APictureFitsTheBoardsWidthOrHeightWhicheverIsTighter) {
    const struct {
        int width, height, boardWidth, boardHeight;
        float zoom;
        std::array<int, 7> expected;  // extent width and height, fitted, visible, screen centre x
    } cases[] = {
        {2, 1, 200, 200, 2.0f, {16000, 8000, 16000, 16000, 8000, 8000, 100}},
        {9, 16, 240, 200, 1.0f, {9000, 16000, 19200, 16000, 19200, 16000, 120}},
    };
    for (const auto& c : cases) {
        const auto loaded = picture(c.width, c.height);
        Pattern& p = loaded->pattern;
        fitToBoard(p, c.boardWidth, c.boardHeight);
        EXPECT_EQ(p.viewTransform.zoom, 1.0f) << "fitting leaves the zoom alone";
        setZoom(p, c.zoom);
        const ViewTransform& v = p.viewTransform;
        EXPECT_EQ(v.screenAspect, static_cast<float>(c.boardHeight) / static_cast<float>(c.boardWidth));
        EXPECT_EQ((std::array{v.extentWidthUnits, v.extentHeightUnits, v.fitWidth, v.fitHeight,
                              v.visibleWidth, v.visibleHeight, v.screenCentreX}),
                  c.expected);
    }
}

TEST(FitToBoard, ZoomsTruncateTheVisibleSizeInSinglePrecision) {
    const auto loaded = picture(1, 1);
    Pattern& p = loaded->pattern;
    fitToBoard(p, 240, 294);
    EXPECT_EQ((std::array{p.viewTransform.fitWidth, p.viewTransform.fitHeight}),
              (std::array{16000, static_cast<int>(16000.0f * (294.0f / 240.0f))}));
    float zoom = 1.0f;
    for (int tap = 0; tap < 5; ++tap) {
        zoom *= 1.5f;
    }
    setZoom(p, zoom);
    EXPECT_EQ(zoom, 7.59375f);
    EXPECT_EQ(p.viewTransform.visibleWidth, static_cast<int>(16000.0f * (1.0f / 7.59375f)));
    EXPECT_EQ(p.viewTransform.visibleWidth, 2106);
}

TEST(FitToBoard, AnEmptyBoardOrAnEmptyPatternShowsNothing) {
    const auto loaded = picture(1, 1);
    Pattern& p = loaded->pattern;
    fitToBoard(p, 0, 0);
    setZoom(p, 1.0f);
    EXPECT_EQ((std::array{p.viewTransform.visibleWidth, p.viewTransform.visibleHeight}), (std::array{0, 0}));

    LoadedTestPattern empty;
    fitToBoard(empty.pattern, 240, 294);
    setZoom(empty.pattern, 1.5f);
    EXPECT_EQ((std::array{empty.pattern.viewTransform.fitWidth, empty.pattern.viewTransform.visibleHeight}),
              (std::array{0, 0}));
}

TEST(Mapping, TheBoardCentrePixelIsTheViewCentreAndTapsTruncateTowardZero) {
    const auto loaded = picture(1, 1);
    Pattern& p = loaded->pattern;
    fitToBoard(p, 240, 240);
    setZoom(p, 1.0f);
    setCentre(p, 300, -200);
    const RECT board{0, 26, 240, 266};
    EXPECT_EQ(windowToPattern(p.viewTransform, board, 120, 146), (POINT{300, -200}));
    // One pixel left of the centre: -1 x 16000 / 240 = -66.67, truncated to -66.
    EXPECT_EQ(windowToPattern(p.viewTransform, board, 119, 146).x, 300 - 66);
    EXPECT_EQ(windowToPattern(p.viewTransform, board, 121, 147), (POINT{300 + 66, -200 + 66}));
    EXPECT_EQ(windowToPattern(p.viewTransform, board, 0, 26), (POINT{300 - 8000, -200 - 8000}));
}

TEST(Mapping, PatternToPixelAndBackLandsWithinOnePixel) {
    const auto loaded = picture(3, 4);
    Pattern& p = loaded->pattern;
    fitToBoard(p, 240, 294);
    setZoom(p, 2.25f);
    setCentre(p, -1234, 2345);
    const BoardScale scale = boardScale(p.viewTransform);
    EXPECT_EQ(scale.x, 240.0f / static_cast<float>(p.viewTransform.visibleWidth));
    EXPECT_EQ(patternToBoard(p.viewTransform, scale, {-1234, 2345}), (POINT{120, 147}));
    const RECT board{0, 0, 240, 294};
    for (int x = 0; x < 240; x += 7) {
        for (int y = 0; y < 294; y += 11) {
            const POINT unit = windowToPattern(p.viewTransform, board, x, y);
            const POINT pixel = patternToBoard(p.viewTransform, scale, unit);
            EXPECT_LE(std::max(std::abs(pixel.x - x), std::abs(pixel.y - y)), 1) << x << "," << y;
        }
    }
    // Left of the centre, the conversion truncates toward zero, not downwards.
    const POINT left = patternToBoard(p.viewTransform, scale, {-1234 - 1000000, 2345});
    EXPECT_EQ(left.x, static_cast<int>(-1000000.0f * scale.x + 120.0f));
}

// A window narrower than the picture ends flush with the edge it crossed; a
// wider one takes both corrections, each truncated.
TEST(KeepInside, TheWindowIsPulledBackByEachEdgeItCrossesTruncated) {
    const struct {
        int centre, boardWidth, visible;
        float min, max;
        int kept;
    } cases[] = {
        // Board 240 px, visible 8000 units: half the window is (120 x 8000) / 240 = 4000.
        {-6000, 240, 8000, -8000.0f, 8000.0f, -4000},
        {7000, 240, 8000, -8000.0f, 8000.0f, 4000},
        {1000, 240, 8000, -8000.0f, 8000.0f, 1000},
        {-6000, 240, 8000, -8000.5f, 8000.5f, -4001},  // trunc(-8000.5 - (-10000)) = 1999
        // Both edges crossed: raise trunc(-8000 - (500 - 10000)) = 1500, lower trunc(10500 - 8000) = 2500.
        {500, 240, 20000, -8000.0f, 8000.0f, 500 + 1500 - 2500},
        {-7000, 241, 8000, -8000.0f, 8000.0f, -8000 + 3983},  // half of 241 is 120: (120 x 8000) / 241
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keepCentreInside(c.centre, c.boardWidth, c.visible, c.min, c.max), c.kept) << c.centre;
    }
}

#include "platform/sdl/window_scale.h"

#include <gtest/gtest.h>

namespace platform {

static bool operator==(const ScreenSize& a, const ScreenSize& b) {
    return a.width == b.width && a.height == b.height;
}

namespace {

TEST(ScaleForDesktop, IsTheLargestWholeMultipleThatFits) {
    const struct {
        ScreenSize usable;
        int expected;
    } cases[] = {// 1080 lines less a panel: 882 fits in 90% of 1050, 1176 does not.
                 {{1920, 1050}, 3},
                 {{1280, 1024}, 3},
                 // 768 lines: 3 x 294 = 882 would overflow.
                 {{1366, 740}, 2},
                 {{2560, 1400}, 4},
                 {{3840, 2120}, 6},
                 // A tall, narrow desktop is limited by its width.
                 {{600, 2000}, 2},
                 // Too small even for 2: 2 all the same.
                 {{800, 600}, 2},
                 {{400, 3000}, 2},
                 {{0, 0}, 2}};
    for (const auto& [usable, expected] : cases) {
        EXPECT_EQ(chooseScale(usable, kPortraitBase), expected) << usable.width << "x" << usable.height;
    }
    // Landscape is wider: 1280 x 1024 fits 3 x 320 = 960 across, but not 4 x 320.
    EXPECT_EQ(chooseScale({1280, 1024}, kLandscapeBase), 3);
    EXPECT_EQ(chooseScale({1600, 2000}, kLandscapeBase), 4);
}

// A turn swaps portrait and landscape at the same scale; a square screen
// counts as portrait (and one pixel wider as landscape: see the snapped sizes).
TEST(ScreenTurn, SwapsPortraitAndLandscapeAtTheSameScale) {
    EXPECT_EQ(scaled(kPortraitBase, 2), (ScreenSize{480, 588}));
    EXPECT_EQ(turned({480, 588}, 2), (ScreenSize{640, 428}));
    EXPECT_EQ(turned({640, 428}, 2), (ScreenSize{480, 588}));
    EXPECT_EQ(turned({720, 882}, 3), (ScreenSize{960, 642}));
    EXPECT_EQ(turned({500, 500}, 2), (ScreenSize{640, 428}));
}

TEST(WindowSize, SnapsToTheNearestWholeMultipleOfTheOrientationItsShapeSuggests) {
    const struct {
        ScreenSize requested, snapped;
    } cases[] = {
        {{480, 588}, {480, 588}},     // already a multiple
        {{500, 500}, {480, 588}},     // a square is portrait
        {{501, 500}, {640, 428}},     // one wider is landscape
        {{1200, 1000}, {1280, 856}},  // the level dots were cut at this size
        {{700, 900}, {720, 882}},     // between 2x and 3x, nearer 3x
        {{530, 650}, {480, 588}},     // nearer 2x
        {{100, 50}, {320, 214}},      // never below 1x
        {{3000, 200}, {2240, 1498}},  // a strip: nearest by both sides together
    };
    for (const auto& [requested, snapped] : cases) {
        EXPECT_EQ(snapWindowSize(requested), snapped) << requested.width << "x" << requested.height;
    }
}

TEST(FullScreen, ShowsTheLargestMultipleThatFitsCentred) {
    const struct {
        ScreenSize drawable;
        bool portrait;
        ScreenSize screen;
        POINT origin;
    } cases[] = {
        {{1920, 1080}, false, {1600, 1070}, {160, 5}},
        {{1920, 1080}, true, {720, 882}, {600, 99}},
        {{3840, 2160}, true, {1680, 2058}, {1080, 51}},
        {{200, 200}, true, {240, 294}, {0, 0}},  // too small even for 1x: its top left shows
    };
    for (const auto& [drawable, portrait, screen, origin] : cases) {
        EXPECT_EQ(fittedScreen(drawable, portrait), screen) << drawable.width << "x" << drawable.height;
        EXPECT_EQ(screenOrigin(drawable, screen), origin) << drawable.width << "x" << drawable.height;
    }
}

TEST(WindowToScreen, ScalesPointsOntoTheDrawableAndKeepsOutsidePointsOutside) {
    const struct {
        int x, y;
        ScreenSize window, drawable;
        POINT screen;
    } cases[] = {
        {0, 0, {480, 588}, {480, 588}, {0, 0}},       // the identity when the window has the screen's pixels
        {10, 20, {480, 588}, {960, 1176}, {20, 40}},  // 2 drawable pixels per window point
        {479, 587, {480, 588}, {960, 1176}, {958, 1174}},
        {599, 734, {600, 735}, {480, 588}, {479, 587}},  // 1.25 window points per pixel: the last is the last
        {4, 4, {600, 735}, {480, 588}, {3, 3}},
        {5, 5, {600, 735}, {480, 588}, {4, 4}},
        // Dragged past the edges: rounded towards minus infinity.
        {-1, -1, {480, 588}, {960, 1176}, {-2, -2}},
        {-1, -3, {960, 1176}, {480, 588}, {-1, -2}},
        {480, 600, {480, 588}, {480, 588}, {480, 600}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowToScreen(c.x, c.y, c.window, c.drawable), c.screen) << c.x << "," << c.y;
    }
}

TEST(TouchToScreen, MapsTheWindowsFractionsOntoPixels) {
    EXPECT_EQ(touchToScreen(0.0f, 0.0f, {480, 588}), (POINT{0, 0}));
    EXPECT_EQ(touchToScreen(0.5f, 0.5f, {480, 588}), (POINT{240, 294}));
    EXPECT_EQ(touchToScreen(1.0f, 1.0f, {480, 588}), (POINT{479, 587}));
    EXPECT_EQ(touchToScreen(-0.1f, 1.5f, {480, 588}), (POINT{0, 587}));
}

}  // namespace
}  // namespace platform

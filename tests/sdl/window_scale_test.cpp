#include "platform/sdl/window_scale.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

struct ScaleCase {
    ScreenSize usable;
    int expected;
};

class ScaleForDesktop : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleForDesktop, IsTheLargestWholeMultipleThatFits) {
    const ScaleCase c = GetParam();
    EXPECT_EQ(chooseScale(c.usable, kPortraitBase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ScaleForDesktop,
                         ::testing::Values(
                             // 1080 lines less a panel: 882 fits in 90% of 1050, 1176 does not.
                             ScaleCase{{1920, 1050}, 3}, ScaleCase{{1280, 1024}, 3},
                             // 768 lines: 3 x 294 = 882 would overflow.
                             ScaleCase{{1366, 740}, 2}, ScaleCase{{2560, 1400}, 4},
                             ScaleCase{{3840, 2120}, 6},
                             // A tall, narrow desktop is limited by its width.
                             ScaleCase{{600, 2000}, 2},
                             // Too small even for 2: 2 all the same.
                             ScaleCase{{800, 600}, 2}, ScaleCase{{400, 3000}, 2}, ScaleCase{{0, 0}, 2}),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) {
                             return std::to_string(info.param.usable.width) + "x" +
                                    std::to_string(info.param.usable.height);
                         });

TEST(ScaleForDesktop, MeasuresTheArrangementItIsGiven) {
    // Landscape is wider: 1280 x 1024 fits 3 x 320 = 960 across, but not 4 x 320.
    EXPECT_EQ(chooseScale({1280, 1024}, kLandscapeBase), 3);
    EXPECT_EQ(chooseScale({1600, 2000}, kLandscapeBase), 4);
}

TEST(ScreenTurn, SwapsPortraitAndLandscapeAtTheSameScale) {
    EXPECT_EQ(scaled(kPortraitBase, 2).width, 480);
    EXPECT_EQ(scaled(kPortraitBase, 2).height, 588);
    const ScreenSize landscape = turned({480, 588}, 2);
    EXPECT_EQ(landscape.width, 640);
    EXPECT_EQ(landscape.height, 428);
    const ScreenSize portrait = turned(landscape, 2);
    EXPECT_EQ(portrait.width, 480);
    EXPECT_EQ(portrait.height, 588);
    const ScreenSize atThree = turned({720, 882}, 3);
    EXPECT_EQ(atThree.width, 960);
    EXPECT_EQ(atThree.height, 642);
}

TEST(ScreenTurn, ASquareScreenCountsAsPortrait) {
    EXPECT_TRUE(isPortrait({500, 500}));
    EXPECT_FALSE(isPortrait({501, 500}));
    // So a turn of a square screen gives the landscape arrangement.
    EXPECT_EQ(turned({500, 500}, 2).width, 640);
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
        const ScreenSize got = snapWindowSize(requested);
        EXPECT_EQ(got.width, snapped.width) << requested.width << "x" << requested.height;
        EXPECT_EQ(got.height, snapped.height) << requested.width << "x" << requested.height;
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
        const ScreenSize got = fittedScreen(drawable, portrait);
        EXPECT_EQ(got.width, screen.width) << drawable.width << "x" << drawable.height;
        EXPECT_EQ(got.height, screen.height) << drawable.width << "x" << drawable.height;
        EXPECT_EQ(screenOrigin(drawable, got), origin) << drawable.width << "x" << drawable.height;
    }
}

TEST(WindowToScreen, IsTheIdentityWhenTheWindowHasTheScreensPixels) {
    EXPECT_EQ(windowToScreen(0, 0, {480, 588}, {480, 588}), (POINT{0, 0}));
    EXPECT_EQ(windowToScreen(479, 587, {480, 588}, {480, 588}), (POINT{479, 587}));
    EXPECT_EQ(windowToScreen(123, 456, {480, 588}, {480, 588}), (POINT{123, 456}));
}

TEST(WindowToScreen, ScalesPointsToADenserDrawable) {
    // A high-density display: 2 drawable pixels per window point.
    EXPECT_EQ(windowToScreen(10, 20, {480, 588}, {960, 1176}), (POINT{20, 40}));
    EXPECT_EQ(windowToScreen(479, 587, {480, 588}, {960, 1176}), (POINT{958, 1174}));
}

TEST(WindowToScreen, EveryWindowPointLandsOnTheScreen) {
    // 1.25 window points per pixel: the last point is still the last pixel.
    EXPECT_EQ(windowToScreen(599, 734, {600, 735}, {480, 588}), (POINT{479, 587}));
    EXPECT_EQ(windowToScreen(4, 4, {600, 735}, {480, 588}), (POINT{3, 3}));
    EXPECT_EQ(windowToScreen(5, 5, {600, 735}, {480, 588}), (POINT{4, 4}));
}

TEST(WindowToScreen, PointsOutsideTheWindowStayOutsideTheScreen) {
    // A held pointer dragged past the edges: rounding towards minus infinity.
    EXPECT_EQ(windowToScreen(-1, -1, {480, 588}, {960, 1176}), (POINT{-2, -2}));
    EXPECT_EQ(windowToScreen(-1, -3, {960, 1176}, {480, 588}), (POINT{-1, -2}));
    EXPECT_EQ(windowToScreen(480, 600, {480, 588}, {480, 588}), (POINT{480, 600}));
}

TEST(TouchToScreen, MapsTheWindowsFractionsOntoPixels) {
    EXPECT_EQ(touchToScreen(0.0f, 0.0f, {480, 588}), (POINT{0, 0}));
    EXPECT_EQ(touchToScreen(0.5f, 0.5f, {480, 588}), (POINT{240, 294}));
    EXPECT_EQ(touchToScreen(1.0f, 1.0f, {480, 588}), (POINT{479, 587}));
    EXPECT_EQ(touchToScreen(-0.1f, 1.5f, {480, 588}), (POINT{0, 587}));
}

TEST(DotsPerInch, FollowTheScale) {
    EXPECT_EQ(dotsPerInchForScale(1), 96);
    EXPECT_EQ(dotsPerInchForScale(2), 192);
    EXPECT_EQ(dotsPerInchForScale(3), 288);
}

}  // namespace
}  // namespace platform

#include "ui/screen_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "core/control_ids.h"

namespace {

struct Expected {
    int id;
    std::int32_t left, top, width, height;
};

void expectPlacements(const ScreenLayout& layout, std::initializer_list<Expected> rows) {
    for (const Expected& row : rows) {
        const ControlPlacement* p = layout.find(row.id);
        ASSERT_NE(p, nullptr) << row.id;
        EXPECT_EQ((std::array{p->left, p->top, p->width, p->height}),
                  (std::array{row.left, row.top, row.width, row.height}))
            << "control " << row.id;
    }
}

ScreenLayout layout(std::int32_t w, std::int32_t h) {
    return computeLayout(w, h, kToolbarBitmapSizes);
}

}  // namespace

// Each control's left, top, width and height on the portrait (240 x 294) and
// the landscape (320 x 214) reference screens.
TEST(ScreenLayout, ReferenceScreens) {
    struct Place {
        int id;
        std::array<std::int32_t, 4> portrait, landscape;
    };
    const Place places[] = {
        {IDC_BANNER, {0, 0, 240, 41}, {0, 0, 240, 42}},
        {IDC_ZOOM_IN, {3, 262, 19, 28}, {242, 124, 19, 27}},
        {IDC_ZOOM_OUT, {26, 262, 19, 28}, {262, 124, 19, 27}},
        {IDC_SOUND, {49, 262, 25, 28}, {283, 124, 25, 27}},
        {IDC_TIMER, {77, 262, 19, 28}, {242, 153, 19, 27}},
        {IDC_RESTART, {164, 262, 19, 28}, {242, 182, 19, 27}},
        {IDC_PAUSE, {186, 262, 13, 28}, {262, 182, 13, 27}},
        {IDC_COMPLETE, {202, 262, 19, 28}, {277, 182, 19, 27}},
        {IDC_HELP, {224, 262, 10, 28}, {298, 182, 10, 27}},
        {IDC_LEVEL_0, {150, 262, 9, 9}, {310, 151, 10, 10}},
        {IDC_LEVEL_1, {150, 271, 9, 9}, {310, 164, 10, 10}},
        {IDC_LEVEL_2, {150, 280, 9, 9}, {310, 178, 10, 10}},
        {IDC_STATUS, {90, 211, 60, 13}, {242, 16, 60, 13}},
        {1020, {0, 226, 15, 15}, {242, 46, 13, 12}},
        {1035, {225, 226, 15, 15}, {281, 70, 13, 12}},
        {1036, {0, 241, 15, 15}, {294, 70, 13, 12}},
        {1051, {225, 241, 15, 15}, {255, 106, 13, 12}},
        {IDC_PATTERN_NAME, {2, 211, 86, 13}, {242, 1, 79, 13}},
        {IDC_OPEN, {152, 211, 22, 13}, {242, 31, 22, 13}},
        {IDC_COLOR_SCHEME, {177, 211, 17, 13}, {264, 31, 17, 13}},
        {IDC_PAINTING_MODE, {196, 211, 13, 13}, {282, 31, 13, 13}},
        {IDC_RESET, {211, 211, 13, 13}, {295, 31, 13, 13}},
        {IDC_CLOSE, {226, 211, 13, 13}, {309, 31, 13, 13}},
        {IDC_HSCROLL, {0, 194, 225, 15}, {0, 201, 227, 13}},
        {IDC_VSCROLL, {225, 41, 15, 168}, {227, 42, 13, 172}},
    };
    const ScreenLayout portrait = layout(240, 294), landscape = layout(320, 214);
    EXPECT_EQ((std::array<int, 2>{portrait.isPortrait, landscape.isPortrait}), (std::array{1, 0}));
    for (const Place& place : places) {
        for (const auto& [l, want] : {std::pair{&portrait, place.portrait}, {&landscape, place.landscape}}) {
            const ControlPlacement* p = l->find(place.id);
            ASSERT_NE(p, nullptr) << place.id;
            EXPECT_EQ((std::array{p->left, p->top, p->width, p->height}), want)
                << "control " << place.id << (l == &portrait ? " portrait" : " landscape");
        }
    }
    EXPECT_EQ(portrait.boardRectFull, (BoardRectangle{0, 41, 240, 168}));
    EXPECT_EQ(portrait.boardRect, (BoardRectangle{0, 41, 240, 168}));
    EXPECT_EQ(portrait.boardRectWithBars, (BoardRectangle{0, 41, 225, 153}));
    EXPECT_EQ(portrait.clockRect, (RECT{101, 262, 148, 290}));
    EXPECT_EQ(landscape.boardRectFull, (BoardRectangle{0, 42, 240, 172}));
    EXPECT_EQ(landscape.boardRectWithBars, (BoardRectangle{0, 42, 227, 159}));
    EXPECT_EQ(landscape.clockRect, (RECT{262, 153, 308, 180}));
}

TEST(ScreenLayout, TruncationTrapsAtTheReferenceSizes) {
    // 240 x 294: the Close button's running position is 226.99999999999997.
    EXPECT_EQ(layout(240, 294).find(IDC_CLOSE)->left, 226);
    // 320 x 214: H x 0.1308411214953271 is 27.999999999999996, so 27 high.
    const ScreenLayout wide = layout(320, 214);
    for (int id = IDC_ZOOM_IN; id <= IDC_HELP; ++id) {
        EXPECT_EQ(wide.find(id)->height, 27) << id;
    }
    EXPECT_EQ(wide.clockRect.bottom - wide.clockRect.top, 27);
    // The pattern name reaches 321 and the Close button 322: nothing clips them.
    const ControlPlacement* name = wide.find(IDC_PATTERN_NAME);
    EXPECT_EQ(name->left + name->width, 321);
    const ControlPlacement* close = wide.find(IDC_CLOSE);
    EXPECT_EQ(close->left + close->width, 322);
}

TEST(ScreenLayout, TwiceTheResolutionGivesTheSamePictureAtTwiceTheSize) {
    const ScreenLayout tall = layout(480, 588);
    EXPECT_EQ(tall.find(IDC_BANNER)->height, 82);
    expectPlacements(tall, {{IDC_ZOOM_IN, tall.find(IDC_ZOOM_IN)->left, 524, 38, 56},
                            {IDC_SOUND, tall.find(IDC_SOUND)->left, 524, 50, 56},
                            {IDC_PAUSE, tall.find(IDC_PAUSE)->left, 524, 26, 56},
                            {IDC_HELP, tall.find(IDC_HELP)->left, 524, 20, 56},
                            {1020, 0, 452, 30, 30}});
    EXPECT_EQ(tall.boardRectFull, (BoardRectangle{0, 82, 480, 336}));

    const ScreenLayout wide = layout(640, 428);
    expectPlacements(wide, {{IDC_BANNER, 0, 0, 480, 84}, {1020, 484, 92, 26, 25}});
    EXPECT_EQ(wide.find(IDC_ZOOM_IN)->height, 55);
    EXPECT_EQ(wide.find(IDC_STATUS)->left, 484);
    EXPECT_EQ(wide.boardRectFull, (BoardRectangle{0, 84, 480, 344}));
}

TEST(ScreenLayout, ASquareScreenIsPortraitAndOnePixelWiderIsLandscape) {
    EXPECT_EQ(layout(300, 300).isPortrait, 1);
    EXPECT_EQ(layout(301, 300).isPortrait, 0);
}

TEST(ScreenLayout, PortraitToolbarButtonsKeepTheirBitmapsAspect) {
    const ScreenLayout l = layout(240, 268);
    for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_TIMER, IDC_RESTART, IDC_COMPLETE}) {
        EXPECT_EQ(l.find(id)->width, 16) << id;
        EXPECT_EQ(l.find(id)->height, 25) << id;
    }
    EXPECT_EQ(l.find(IDC_HELP)->width, 8);
    EXPECT_EQ(l.find(IDC_HELP)->height, 25);
    // Other bitmap sizes change the fitted buttons, not their slots.
    ToolbarBitmapSizes square = kToolbarBitmapSizes;
    square.fill({10, 10});
    const ScreenLayout squared = computeLayout(240, 294, square);
    EXPECT_EQ(squared.find(IDC_ZOOM_IN)->width, 20);
    EXPECT_EQ(squared.find(IDC_ZOOM_IN)->height, 20);
    EXPECT_EQ(squared.find(IDC_ZOOM_IN)->top, 262 + (28 - 20) / 2);
    EXPECT_EQ(squared.find(IDC_RESTART)->left, layout(240, 294).find(IDC_RESTART)->left);
}

TEST(ScreenLayout, EveryControlIsPlacedOnceAtAnySize) {
    for (const auto& [w, h] :
         {std::pair{240, 294}, {320, 214}, {1, 1}, {2, 1}, {1000, 10}, {10, 1000}, {1366, 768}}) {
        const ScreenLayout l = layout(w, h);
        EXPECT_EQ(l.placements.size(), 53u) << w << "x" << h;
        std::vector<int> ids;
        for (const ControlPlacement& p : l.placements) {
            ids.push_back(p.id);
        }
        std::ranges::sort(ids);
        EXPECT_EQ(std::ranges::adjacent_find(ids), ids.end());
        EXPECT_EQ(ids.front(), IDC_BANNER);
        EXPECT_EQ(ids.back(), IDC_VSCROLL);
        EXPECT_EQ(l.find(1002), nullptr);
    }
}

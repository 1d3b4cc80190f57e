#include "ui/screen_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "core/control_ids.h"

namespace {

using Place = std::array<std::int32_t, 4>;

// A control's left, top, width and height; all -1 when it is not placed.
Place place(const ScreenLayout& layout, int id) {
    const ControlPlacement* p = layout.find(id);
    return p ? Place{p->left, p->top, p->width, p->height} : Place{-1, -1, -1, -1};
}

ScreenLayout layout(std::int32_t w, std::int32_t h) {
    return computeLayout(w, h, kToolbarBitmapSizes);
}

}  // namespace

// The places the help charts cannot show, on the portrait (240 x 294) and the
// landscape (320 x 214) reference screens: palette buttons beyond the demo
// pattern's colours, the scroll bars and the board beside them. Every control
// the charts draw, and the clock, is held in place (at 1x and 2x, the
// truncations at the reference sizes included) by
// ArtGenerator.CommittedFilesEqualAFreshGeneration, which regenerates the
// charts from this layout and compares them byte for byte.
TEST(ScreenLayout, ReferenceScreens) {
    const struct {
        int id;
        Place portrait, landscape;
    } places[] = {
        {1035, {225, 226, 15, 15}, {281, 70, 13, 12}},
        {1036, {0, 241, 15, 15}, {294, 70, 13, 12}},
        {1051, {225, 241, 15, 15}, {255, 106, 13, 12}},
        {IDC_HSCROLL, {0, 194, 225, 15}, {0, 201, 227, 13}},
        {IDC_VSCROLL, {225, 41, 15, 168}, {227, 42, 13, 172}},
    };
    const ScreenLayout portrait = layout(240, 294), landscape = layout(320, 214);
    for (const auto& [id, inPortrait, inLandscape] : places) {
        EXPECT_EQ(std::tuple(place(portrait, id), place(landscape, id)), std::tuple(inPortrait, inLandscape))
            << "control " << id;
    }
    EXPECT_EQ(std::tuple(portrait.boardRect, portrait.boardRectWithBars, landscape.boardRectWithBars),
              std::tuple(BoardRectangle{0, 41, 240, 168}, BoardRectangle{0, 41, 225, 153},
                         BoardRectangle{0, 42, 227, 159}));
    // The charts at twice the size draw the board at the 1x rectangle scaled.
    EXPECT_EQ(std::tuple(layout(480, 588).boardRectFull, layout(640, 428).boardRectFull),
              std::tuple(BoardRectangle{0, 82, 480, 336}, BoardRectangle{0, 84, 480, 344}));
}

TEST(ScreenLayout, ASquareScreenIsPortraitAndOnePixelWiderIsLandscape) {
    EXPECT_EQ(std::tuple(layout(300, 300).isPortrait, layout(301, 300).isPortrait), std::tuple(1, 0));
}

TEST(ScreenLayout, PortraitToolbarButtonsKeepTheirBitmapsAspect) {
    const ScreenLayout l = layout(240, 268);
    for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_TIMER, IDC_RESTART, IDC_COMPLETE}) {
        EXPECT_EQ(std::tuple(l.find(id)->width, l.find(id)->height), std::tuple(16, 25)) << id;
    }
    EXPECT_EQ(std::tuple(l.find(IDC_HELP)->width, l.find(IDC_HELP)->height), std::tuple(8, 25));
    // Other bitmap sizes change the fitted buttons, not their slots.
    ToolbarBitmapSizes square = kToolbarBitmapSizes;
    square.fill({10, 10});
    const ScreenLayout squared = computeLayout(240, 294, square);
    EXPECT_EQ(place(squared, IDC_ZOOM_IN),
              (Place{squared.find(IDC_ZOOM_IN)->left, 262 + (28 - 20) / 2, 20, 20}));
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
        EXPECT_EQ(std::tuple(ids.front(), ids.back()), std::tuple(IDC_BANNER, IDC_VSCROLL));
        EXPECT_EQ(l.find(1002), nullptr);
    }
}

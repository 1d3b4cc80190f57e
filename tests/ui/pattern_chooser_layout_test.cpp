#include <gtest/gtest.h>

#include "ui/pattern_chooser.h"

namespace {

void expectRect(const ChooserBox& r, std::array<int, 4> want, const char* what) {
    EXPECT_EQ((std::array{r.left, r.top, r.width, r.height}), want) << what;
}

}  // namespace

TEST(ChooserLayout, TheThreeControlsAtTheCheckSizes) {
    const ChooserLayout tall = chooserLayoutFor(240, 294);
    expectRect(tall.list, {12, 14, 96, 207}, "list");
    expectRect(tall.thumbnail, {132, 14, 96, 177}, "thumbnail");
    expectRect(tall.open, {30, 250, 60, 30}, "open");

    const ChooserLayout wide = chooserLayoutFor(320, 214);
    expectRect(wide.list, {16, 10, 128, 151}, "list");
    expectRect(wide.thumbnail, {176, 10, 128, 129}, "thumbnail");
    expectRect(wide.open, {40, 182, 80, 22}, "open");

    const ChooserLayout large = chooserLayoutFor(480, 588);
    expectRect(large.list, {24, 29, 192, 412}, "list");
    expectRect(large.thumbnail, {264, 29, 192, 353}, "thumbnail");
    expectRect(large.open, {60, 500, 120, 59}, "open");
}

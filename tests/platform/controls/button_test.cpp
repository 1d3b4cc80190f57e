#include "platform/controls/button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

#include "platform/painting.h"
#include "tests/platform/windows/window_test_support.h"

namespace {

constexpr int kId = 1020;

class ButtonTest : public WindowTest {
  protected:
    void SetUp() override {
        main = createMainWindow();
        button = createChild(main, u"Button", BS_OWNERDRAW, kId, {40, 50, 70, 80});
        onMessage = [this](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
            if (message == WM_DRAWITEM) {
                items.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            }
            if (message == WM_COMMAND && !items.empty()) {
                selectedAtCommand = drawnSelected();
            }
            return false;
        };
        backend.runUntilIdle();
        items.clear();
        clearReceived();
    }

    // Whether the face was last drawn pressed.
    bool drawnSelected() const { return !items.empty() && (items.back().itemState & ODS_SELECTED) != 0; }
    std::vector<WPARAM> commands() const { return wParams(WM_COMMAND); }
    void step(void (platform::HeadlessBackend::*action)(int, int), int x, int y) {
        (backend.*action)(x, y);
        backend.runUntilIdle();
    }

    HWND main = nullptr;
    HWND button = nullptr;
    std::vector<DRAWITEMSTRUCT> items;
    std::optional<bool> selectedAtCommand;
};

TEST_F(ButtonTest, FirstPaintAsksTheParentToDrawTheFace) {
    HWND other = createChild(main, u"Button", BS_OWNERDRAW, kId + 1, {0, 0, 10, 10});
    backend.runUntilIdle();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ((std::array<UINT, 4>{items[0].CtlType, items[0].CtlID, items[0].itemAction,
                                   items[0].itemState & ODS_SELECTED}),
              (std::array<UINT, 4>{ODT_BUTTON, kId + 1, ODA_DRAWENTIRE, 0}));
    EXPECT_EQ(items[0].hwndItem, other);
    EXPECT_EQ(items[0].rcItem, (RECT{0, 0, 10, 10}));
}

TEST_F(ButtonTest, IsSelectedWhileHeldAndClicksWhenReleasedInside) {
    step(&platform::HeadlessBackend::pressAt, 50, 60);
    EXPECT_TRUE(drawnSelected());
    EXPECT_TRUE(commands().empty());
    backend.moveTo(55, 65);
    step(&platform::HeadlessBackend::releaseAt, 55, 65);
    EXPECT_FALSE(drawnSelected());
    ASSERT_EQ(commands(), (std::vector<WPARAM>{MAKEWPARAM(kId, BN_CLICKED)}));
    EXPECT_EQ(received(WM_COMMAND)[0].lParam, reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(selectedAtCommand, false) << "the face is drawn released before the command is handled";
}

// The capture keeps the button informed while the stylus is off it; the parent sees nothing of the stroke.
TEST_F(ButtonTest, SlidingOffReleasesTheFaceAndReleasingOutsideDoesNotClick) {
    backend.pressAt(50, 60);
    step(&platform::HeadlessBackend::moveTo, 100, 100);
    EXPECT_FALSE(drawnSelected());
    step(&platform::HeadlessBackend::moveTo, 45, 55);
    EXPECT_TRUE(drawnSelected());
    backend.moveTo(10, 10);
    step(&platform::HeadlessBackend::releaseAt, 10, 10);
    EXPECT_FALSE(drawnSelected());
    EXPECT_TRUE(commands().empty());
    EXPECT_TRUE(received(WM_LBUTTONUP).empty());
}

TEST_F(ButtonTest, PressedElsewhereAndReleasedOnTheButtonDoesNotClick) {
    backend.pressAt(10, 10);
    backend.moveTo(50, 60);
    step(&platform::HeadlessBackend::releaseAt, 50, 60);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(targets(WM_LBUTTONDOWN), (std::vector<HWND>{main}));
}

// A disabled button draws disabled and lets a tap fall through to the window
// beneath; disabling a held button lets it go without a click.
TEST_F(ButtonTest, ADisabledButtonDrawsDisabledAndIgnoresTheStylus) {
    EnableWindow(button, FALSE);
    backend.runUntilIdle();
    ASSERT_FALSE(items.empty());
    EXPECT_NE(items.back().itemState & ODS_DISABLED, 0u);
    items.clear();
    step(&platform::HeadlessBackend::tap, 50, 60);
    EXPECT_TRUE(std::ranges::none_of(items, [](const auto& item) { return item.itemState & ODS_SELECTED; }));
    EXPECT_TRUE(commands().empty());
    ASSERT_EQ(received(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(received(WM_LBUTTONDOWN)[0].lParam, MAKELPARAM(50, 60));
    EnableWindow(button, TRUE);
    step(&platform::HeadlessBackend::tap, 50, 60);
    EXPECT_EQ(commands().size(), 1u);
    step(&platform::HeadlessBackend::pressAt, 50, 60);
    EnableWindow(button, FALSE);
    step(&platform::HeadlessBackend::releaseAt, 50, 60);
    EXPECT_FALSE(drawnSelected());
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(ButtonTest, AHiddenButtonNeitherDrawsNorTakesInput) {
    ShowWindow(button, SW_HIDE);
    InvalidateRect(main, nullptr, FALSE);
    step(&platform::HeadlessBackend::tap, 50, 60);
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(IsWindowVisible(button), FALSE);
    ShowWindow(button, SW_SHOW);
    backend.runUntilIdle();
    EXPECT_EQ(items.size(), 1u);
}

// The face is light; the caption puts dark pixels in its middle, none at its sides.
TEST_F(ButtonTest, ATextButtonDrawsItsCaption) {
    createChild(main, u"Button", BS_PUSHBUTTON, 1, {100, 100, 200, 130}, u"Open");
    backend.runUntilIdle();
    int dark = 0;
    for (int y = 105; y < 125; ++y) {
        for (int x = 120; x < 180; ++x) {
            dark += ((backend.pixelAt(x, y) >> 16) & 0xFF) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
    EXPECT_EQ(backend.pixelAt(103, 115), pixelOf(RGB(212, 208, 200)));
    EXPECT_EQ(backend.pixelAt(100, 115), pixelOf(RGB(0, 0, 0)));
}

}  // namespace

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "platform/controls/button.h"
#include "platform/windows/invalidation.h"
#include "window_test_support.h"

namespace {

constexpr int kId = 1020;

class ButtonTest : public WindowTest {
  protected:
    void SetUp() override {
        main = createMainWindow();
        button = createChild(main, u"Button", BS_OWNERDRAW, kId, {40, 50, 70, 80});
        onMessage = [this](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT&) {
            if (message == WM_DRAWITEM) {
                const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                states.push_back(item->itemState);
                items.push_back(*item);
            }
            if (message == WM_COMMAND && !states.empty()) {
                stateAtCommand = states.back();
            }
            return false;
        };
        backend.runUntilIdle();
        states.clear();
        items.clear();
        clearReceived();
    }

    std::vector<WPARAM> commands() const {
        std::vector<WPARAM> out;
        for (const Received& r : received(WM_COMMAND)) {
            out.push_back(r.wParam);
        }
        return out;
    }

    HWND main = nullptr;
    HWND button = nullptr;
    std::vector<UINT> states;
    std::vector<DRAWITEMSTRUCT> items;
    std::optional<UINT> stateAtCommand;
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
    backend.pressAt(50, 60);
    backend.runUntilIdle();
    ASSERT_FALSE(states.empty());
    EXPECT_NE(states.back() & ODS_SELECTED, 0u);
    EXPECT_TRUE(commands().empty());

    backend.moveTo(55, 65);
    backend.releaseAt(55, 65);
    backend.runUntilIdle();
    EXPECT_EQ(states.back() & ODS_SELECTED, 0u);
    ASSERT_EQ(commands(), (std::vector<WPARAM>{MAKEWPARAM(kId, BN_CLICKED)}));
    EXPECT_EQ(received(WM_COMMAND)[0].lParam, reinterpret_cast<LPARAM>(button));
    // The face was drawn released before the command was handled.
    ASSERT_TRUE(stateAtCommand.has_value());
    EXPECT_EQ(*stateAtCommand & ODS_SELECTED, 0u);
}

TEST_F(ButtonTest, SlidingOffReleasesTheFaceAndReleasingOutsideDoesNotClick) {
    backend.pressAt(50, 60);
    backend.moveTo(100, 100);  // off the button: the capture keeps it informed
    backend.runUntilIdle();
    EXPECT_EQ(states.back() & ODS_SELECTED, 0u);
    backend.moveTo(45, 55);  // back on
    backend.runUntilIdle();
    EXPECT_NE(states.back() & ODS_SELECTED, 0u);
    backend.moveTo(10, 10);
    backend.releaseAt(10, 10);
    backend.runUntilIdle();
    EXPECT_EQ(states.back() & ODS_SELECTED, 0u);
    EXPECT_TRUE(commands().empty());
    // The parent saw nothing of the stroke: the button had the pointer.
    EXPECT_TRUE(received(WM_LBUTTONUP).empty());
}

TEST_F(ButtonTest, PressedElsewhereAndReleasedOnTheButtonDoesNotClick) {
    backend.pressAt(10, 10);
    backend.moveTo(50, 60);
    backend.releaseAt(50, 60);
    backend.runUntilIdle();
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(targets(WM_LBUTTONDOWN), (std::vector<HWND>{main}));
}

TEST_F(ButtonTest, ADisabledButtonDrawsDisabledAndIgnoresTheStylus) {
    EnableWindow(button, FALSE);
    backend.runUntilIdle();
    ASSERT_FALSE(states.empty());
    EXPECT_NE(states.back() & ODS_DISABLED, 0u);
    states.clear();

    backend.tap(50, 60);
    backend.runUntilIdle();
    EXPECT_TRUE(commands().empty());
    for (UINT state : states) {
        EXPECT_EQ(state & ODS_SELECTED, 0u);
    }
    // The tap falls through to the window beneath, in its coordinates.
    ASSERT_EQ(received(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(received(WM_LBUTTONDOWN)[0].lParam, MAKELPARAM(50, 60));

    EnableWindow(button, TRUE);
    backend.tap(50, 60);
    backend.runUntilIdle();
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(ButtonTest, AHiddenButtonNeitherDrawsNorTakesInput) {
    ShowWindow(button, SW_HIDE);
    InvalidateRect(main, nullptr, FALSE);
    backend.tap(50, 60);
    backend.runUntilIdle();
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(IsWindowVisible(button), FALSE);

    ShowWindow(button, SW_SHOW);
    backend.runUntilIdle();
    EXPECT_EQ(items.size(), 1u);
}

TEST_F(ButtonTest, DisablingAHeldButtonLetsGoWithoutAClick) {
    backend.pressAt(50, 60);
    backend.runUntilIdle();
    EnableWindow(button, FALSE);
    backend.releaseAt(50, 60);
    backend.runUntilIdle();
    EXPECT_EQ(states.back() & ODS_SELECTED, 0u);
    EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonTest, ATextButtonDrawsItsCaption) {
    createChild(main, u"Button", BS_PUSHBUTTON, 1, {100, 100, 200, 130}, u"Open");
    backend.runUntilIdle();
    // The face is light; the caption puts dark pixels in its middle, none at its sides.
    int dark = 0;
    for (int y = 105; y < 125; ++y) {
        for (int x = 120; x < 180; ++x) {
            const platform::Pixel p = backend.pixelAt(x, y);
            dark += ((p >> 16) & 0xFF) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 10);
    EXPECT_EQ(backend.pixelAt(103, 115), platform::pixelFromColour(RGB(212, 208, 200)));
    EXPECT_EQ(backend.pixelAt(100, 115), platform::pixelFromColour(RGB(0, 0, 0)));
}

}  // namespace

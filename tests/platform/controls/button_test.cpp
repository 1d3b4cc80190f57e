#include "platform/controls/button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "platform/windows/invalidation.h"
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

// A disabled button lets a tap fall through to the window beneath;
// disabling a held button lets it go without a click.
TEST_F(ButtonTest, ADisabledButtonIgnoresTheStylus) {
    EnableWindow(button, FALSE);
    backend.runUntilIdle();
    items.clear();
    step(&platform::HeadlessBackend::tap, 50, 60);
    EXPECT_TRUE(std::ranges::none_of(items, [](const auto& item) { return item.itemState & ODS_SELECTED; }));
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(fieldOf(&Received::lParam, WM_LBUTTONDOWN), (std::vector<LPARAM>{MAKELPARAM(50, 60)}));
    EnableWindow(button, TRUE);
    step(&platform::HeadlessBackend::tap, 50, 60);
    EXPECT_EQ(commands().size(), 1u);
    step(&platform::HeadlessBackend::pressAt, 50, 60);
    EnableWindow(button, FALSE);
    step(&platform::HeadlessBackend::releaseAt, 50, 60);
    EXPECT_FALSE(drawnSelected());
    EXPECT_EQ(commands().size(), 1u);
}

}  // namespace

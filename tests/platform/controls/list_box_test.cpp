#include "platform/controls/list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/platform/windows/window_test_support.h"

namespace {

constexpr int kId = 1002;

class ListBoxTest : public WindowTest {
  protected:
    void SetUp() override {
        main = createMainWindow();
        list = createChild(main, u"Listbox", WS_BORDER | LBS_NOTIFY | LBS_SORT, kId, {20, 20, 120, 120});
        backend.runUntilIdle();
        clearReceived();
    }

    LRESULT add(const char16_t* text) {
        return SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    std::u16string text(int index) {
        const auto length = SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) {
            return u"<none>";
        }
        std::u16string out(static_cast<std::size_t>(length) + 1, u'?');
        EXPECT_EQ(
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out.data())),
            length);
        EXPECT_EQ(out.back(), u'\0');
        out.pop_back();
        return out;
    }

    LRESULT selection() { return SendMessage(list, LB_GETCURSEL, 0, 0); }

    void addAlphabet() {
        for (char16_t c = u'a'; c <= u'z'; ++c) {
            const char16_t entry[] = {c, 0};
            add(entry);
        }
    }

    std::size_t selectionChanges() const {
        std::size_t n = 0;
        for (const Received& r : received(WM_COMMAND)) {
            EXPECT_EQ(r.wParam, MAKEWPARAM(kId, LBN_SELCHANGE));
            EXPECT_EQ(r.lParam, reinterpret_cast<LPARAM>(list));
            ++n;
        }
        return n;
    }

    // The height of one entry, found by tapping down the list until the selection moves on.
    int entryHeight() {
        for (int y = 22; y < 118; ++y) {
            tapAt(60, y);
            if (selection() == 1) {
                return y - 21;
            }
        }
        return 0;
    }

    HWND main = nullptr;
    HWND list = nullptr;
};

TEST_F(ListBoxTest, SelectionSetByTheProgramIsNotReported) {
    add(u"a");
    add(u"b");
    EXPECT_EQ(selection(), LB_ERR);
    // Each index set, what the message answers and what is selected then.
    for (const auto& [index, answer, selected] :
         {std::tuple{1, 1, 1}, {5, LB_ERR, 1}, {-1, LB_ERR, LB_ERR}}) {
        EXPECT_EQ(SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0), answer) << index;
        EXPECT_EQ(selection(), selected) << index;
    }
    backend.runUntilIdle();
    EXPECT_EQ(selectionChanges(), 0u);
}

TEST_F(ListBoxTest, EntriesThatDoNotFitScrollUnderTheStylus) {
    addAlphabet();
    const int height = entryHeight();
    ASSERT_GT(height, 4);
    const int lowY = 21 + 2 * height + height / 2;  // in the third entry
    tapAt(60, lowY);
    EXPECT_EQ(selection(), 2);

    // Drag the list up by three entries; the same spot now shows the sixth.
    backend.pressAt(60, lowY + 3 * height);
    backend.moveTo(60, lowY + height);
    backend.moveTo(60, lowY);
    backend.releaseAt(60, lowY);
    backend.runUntilIdle();
    tapAt(60, lowY);
    EXPECT_EQ(selection(), 5);
    EXPECT_EQ(text(5), u"f");

    // It cannot be dragged past its end.
    drag(60, 110, 60, -2000);
    tapAt(60, 117);
    EXPECT_EQ(selection(), 25);
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAsOnADesktopWhenItHasTheFocus) {
    addAlphabet();
    const int page = 98 / entryHeight() - 1;  // whole rows shown, less one
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    clearReceived();
    SetFocus(list);
    const struct {
        UINT key;
        LRESULT selected;
    } steps[] = {{VK_DOWN, 0},  {VK_DOWN, 1}, {VK_UP, 0},      {VK_UP, 0},          {VK_END, 25},
                 {VK_DOWN, 25}, {VK_HOME, 0}, {VK_NEXT, page}, {VK_NEXT, 2 * page}, {VK_PRIOR, page}};
    for (const auto& step : steps) {
        backend.pressKey(step.key);
        backend.runUntilIdle();
        EXPECT_EQ(selection(), step.selected) << "after key " << step.key;
    }
    EXPECT_EQ(selectionChanges(), 8u) << "a key that leaves the selection where it is reports nothing";
}

TEST_F(ListBoxTest, TheWheelScrollsThreeEntriesANotchAndStopsAtTheLastEntry) {
    addAlphabet();
    SendMessage(list, LB_SETCURSEL, 0, 0);
    backend.runUntilIdle();
    backend.turnWheel(60, 60, -WHEEL_DELTA);
    tapAt(60, 22);
    EXPECT_EQ(selection(), 3);
    backend.turnWheel(60, 60, -100 * WHEEL_DELTA);
    tapAt(60, 117);
    EXPECT_EQ(selection(), 25);
}

TEST_F(ListBoxTest, AListMadeTallerAfterASelectionShowsNoRowsPastItsEnd) {
    addAlphabet();
    const int height = entryHeight();
    SendMessage(list, LB_SETCURSEL, 25, 0);
    MoveWindow(list, 20, 20, 100, 26 * height + 2, TRUE);
    backend.runUntilIdle();
    tapAt(60, 22);
    EXPECT_EQ(selection(), 0);
}

TEST_F(ListBoxTest, TheSelectedEntryIsDrawnHighlighted) {
    add(u"a");
    add(u"b");
    SendMessage(list, LB_SETCURSEL, 1, 0);
    backend.runUntilIdle();
    const platform::Pixel highlight = pixelOf(RGB(10, 36, 106));
    const platform::Pixel white = pixelOf(RGB(255, 255, 255));
    const int height = entryHeight();  // leaves entry 1 selected
    ASSERT_GT(height, 0);
    EXPECT_EQ(backend.pixelAt(22, 21 + height + 1), highlight);
    EXPECT_EQ(backend.pixelAt(22, 22), white);
    EXPECT_EQ(backend.pixelAt(20, 60), pixelOf(RGB(0, 0, 0)));  // the border
}

}  // namespace

#include "platform/controls/scroll_bar.h"

#include <gtest/gtest.h>

#include <array>
#include "platform/windows/invalidation.h"
#include "tests/platform/windows/window_test_support.h"

namespace {

// A horizontal bar 110 pixels long and 10 thick: arrows 0-9 and 100-109,
// track 10-99 (90 pixels).
constexpr RECT kBar{0, 200, 110, 210};
constexpr int kExtent = 16000;

struct Scroll {
    WORD code;
    WORD position;
    friend bool operator==(const Scroll&, const Scroll&) = default;
};

class ScrollBarTest : public WindowTest {
  protected:
    void SetUp() override {
        main = createMainWindow();
        bar = createChild(main, u"Scrollbar", SBS_HORZ, 1066, kBar);
        SCROLLINFO info{.fMask = SIF_RANGE | SIF_PAGE | SIF_POS,
                        .nMin = -kExtent / 2,
                        .nMax = kExtent / 2,
                        .nPage = 4000,
                        .nPos = -2000};
        SetScrollInfo(bar, SB_CTL, &info, TRUE);
        backend.runUntilIdle();
        clearReceived();
    }

    std::vector<Scroll> scrolls(UINT message = WM_HSCROLL) const {
        std::vector<Scroll> out;
        for (const Received& r : received(message)) {
            EXPECT_EQ(r.lParam, reinterpret_cast<LPARAM>(bar));
            out.push_back({LOWORD(r.wParam), HIWORD(r.wParam)});
        }
        return out;
    }

    int position() const {
        SCROLLINFO info{.fMask = SIF_POS};
        GetScrollInfo(bar, SB_CTL, &info);
        return info.nPos;
    }

    HWND main = nullptr;
    HWND bar = nullptr;
};

// Positions -8000 ... 4001 over 90 - 22 pixels of travel: -2000 puts the
// thumb (22 pixels) at 10 + 6000 * 68 / 12001 = 43.
TEST_F(ScrollBarTest, ArrowsGiveLinesAndTheTrackBesideTheThumbPagesEachEndedWithEndScroll) {
    for (const int x : {3, 105, 20, 90}) {
        backend.tap(x, 205);
    }
    backend.runUntilIdle();
    const auto code = [](WORD c) { return Scroll{c, 0}; };
    EXPECT_EQ(scrolls(), (std::vector<Scroll>{code(SB_LINEUP), code(SB_ENDSCROLL), code(SB_LINEDOWN),
                                              code(SB_ENDSCROLL), code(SB_PAGEUP), code(SB_ENDSCROLL),
                                              code(SB_PAGEDOWN), code(SB_ENDSCROLL)}));
    // The bar only reports; the position is its parent's to move.
    EXPECT_EQ(position(), -2000);
}

TEST_F(ScrollBarTest, ADraggedThumbTracksAndReportsItsPositionShiftedByTheMinimum) {
    backend.pressAt(50, 205);
    backend.moveTo(70, 207);
    backend.runUntilIdle();
    SCROLLINFO info{.fMask = SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &info);
    EXPECT_EQ(info.nPos, -2000);  // unchanged while dragging
    EXPECT_GT(info.nTrackPos, -2000);
    // The handler's form: the word minus extent / 2 is the position.
    EXPECT_EQ(scrolls(),
              (std::vector<Scroll>{{SB_THUMBTRACK, static_cast<WORD>(info.nTrackPos + kExtent / 2)}}));

    clearReceived();
    backend.moveTo(500, 205);  // far past the end: the thumb stops at the last position
    backend.releaseAt(500, 205);
    backend.runUntilIdle();
    EXPECT_EQ(scrolls(),
              (std::vector<Scroll>{{SB_THUMBTRACK, 12001}, {SB_THUMBPOSITION, 12001}, {SB_ENDSCROLL, 0}}));

    clearReceived();
    backend.pressAt(90, 205);  // the thumb is drawn back at -2000: this is track
    backend.releaseAt(90, 205);
    backend.runUntilIdle();
    EXPECT_EQ(scrolls().front().code, SB_PAGEDOWN);

    clearReceived();  // and dragged to the start, it reports zero
    drag(50, 205, -40, 205);
    EXPECT_EQ(scrolls(), (std::vector<Scroll>{{SB_THUMBTRACK, 0}, {SB_THUMBPOSITION, 0}, {SB_ENDSCROLL, 0}}));
}

// Set by the program, the position stays within the range less the page, and
// a redraw is asked for only when wanted.
TEST_F(ScrollBarTest, ThePositionStaysWithinTheRangeLessThePage) {
    SCROLLINFO info{.fMask = SIF_POS, .nPos = 9000};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, FALSE), 4001);
    info.nPos = -9000;
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, FALSE), -8000);
    RECT update;
    EXPECT_EQ(GetUpdateRect(bar, &update, FALSE), FALSE);
    SCROLLINFO all{.fMask = SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &all);
    EXPECT_EQ((std::array{all.nMin, all.nMax, static_cast<int>(all.nPage), all.nTrackPos}),
              (std::array{-8000, 8000, 4000, -8000}));
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    EXPECT_EQ(GetUpdateRect(bar, &update, FALSE), TRUE);
}

TEST_F(ScrollBarTest, TheThumbIsDrawnWhereThePositionIs) {
    const platform::Pixel track = pixelOf(RGB(236, 234, 230));
    const platform::Pixel face = pixelOf(RGB(212, 208, 200));
    // Thumb at 43 ... 64.
    EXPECT_EQ(backend.pixelAt(30, 205), track);
    EXPECT_EQ(backend.pixelAt(55, 205), face);
    SCROLLINFO info{.fMask = SIF_POS, .nPos = 4001};  // the end: thumb at 78 ... 99
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    backend.runUntilIdle();
    EXPECT_EQ(backend.pixelAt(55, 205), track);
    EXPECT_EQ(backend.pixelAt(90, 205), face);
}

}  // namespace

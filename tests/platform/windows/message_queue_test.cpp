// The message queue, the timers and the translation of key presses.
#include "platform/windows/message_queue.h"

#include <gtest/gtest.h>

#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/timers.h"
#include "window_test_support.h"

namespace {

constexpr UINT kFirst = 0x8001;
constexpr UINT kSecond = 0x8002;
constexpr UINT kThird = 0x8003;

class MessageQueueTest : public WindowTest {
  protected:
    using Ticks = std::vector<std::pair<WPARAM, DWORD>>;
    // Each timer message as (timer id, tick count when it was handled).
    Ticks timers() const {
        Ticks out;
        for (const Received& r : received(WM_TIMER)) {
            out.emplace_back(r.wParam, r.tick);
        }
        return out;
    }
};

// Sent messages arrive at once, posted ones in order when dispatched (also one
// posted while another is handled), and the paint waits until the queue is empty.
TEST_F(MessageQueueTest, SentMessagesArriveAtOncePostedOnesInOrderAndThePaintLast) {
    HWND main = createMainWindow();
    onMessage = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            PostMessage(hwnd, kThird, 0, 0);
        }
        return false;
    };
    PostMessage(main, kFirst, 0, 0);
    EXPECT_EQ(SendMessage(main, kSecond, 0, 0), 0);
    EXPECT_EQ(kinds().back(), kSecond);
    backend.runUntilIdle();
    const std::vector<UINT> order = kinds();
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(std::vector<UINT>(order.end() - 4, order.end()),
              (std::vector<UINT>{kSecond, kFirst, kThird, WM_PAINT}));
}

// Timers fire in due order (the one set first first when both fall due), each
// with the tick count of its moment; a waiting timer message is not queued
// twice and the timer keeps its rhythm; the tick count wraps after 32 bits.
TEST_F(MessageQueueTest, TimersFireInDueOrderWithTheTickCountOfTheirMomentAndNeverQueueTwice) {
    const struct {
        std::uint64_t start, late;  // the clock at the start, and how far it jumps before running
        std::vector<std::pair<WPARAM, UINT>> timers;
        std::uint64_t run;
        Ticks fired;
    } cases[] = {
        {0, 0, {{1, 100}, {2, 150}}, 300, {{1, 100}, {2, 150}, {1, 200}, {1, 300}, {2, 300}}},
        {10'000, 1000, {{1, 100}}, 200, {{1, 11'000}, {1, 11'100}, {1, 11'200}}},
        {0xFFFFFFFFull - 49, 0, {{1, 100}}, 200, {{1, 50}, {1, 150}}},
    };
    for (const auto& c : cases) {
        backend.setClock(c.start);
        HWND main = settledMainWindow();
        for (const auto& [id, period] : c.timers) {
            SetTimer(main, id, period, nullptr);
        }
        backend.advanceClock(c.late);
        backend.runFor(c.run);
        EXPECT_EQ(timers(), c.fired) << c.start << " + " << c.late;
        DestroyWindow(main);
        clearReceived();
    }
}

TEST_F(MessageQueueTest, KillTimerTakesBackAMessageAlreadyQueuedAndSettingAgainRestartsThePeriod) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    backend.advanceClock(100);
    EXPECT_EQ(KillTimer(main, 1), TRUE);
    EXPECT_EQ(KillTimer(main, 1), FALSE);
    backend.runFor(500);
    EXPECT_TRUE(timers().empty());
    SetTimer(main, 1, 100, nullptr);
    backend.runFor(60);
    SetTimer(main, 1, 100, nullptr);
    backend.runFor(100);
    EXPECT_EQ(timers(), (Ticks{{1, 760}}));
}

// The quit message comes after the posted messages, before pending paints.
TEST_F(MessageQueueTest, GetMessageEndsWithTheQuitMessageAfterWhatWasQueued) {
    HWND main = createMainWindow();
    PostMessage(main, kFirst, 0, 0);
    PostQuitMessage(7);
    PostMessage(main, kSecond, 0, 0);
    std::vector<UINT> got;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        got.push_back(msg.message);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(std::pair(msg.message, msg.wParam), std::pair(UINT{WM_QUIT}, WPARAM{7}));
    EXPECT_EQ(got, (std::vector<UINT>{kFirst, kSecond}));
    EXPECT_FALSE(backend.scriptExhausted());
}

TEST_F(MessageQueueTest, MessagesForADestroyedWindowAreDropped) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    PostMessage(main, kFirst, 0, 0);
    DestroyWindow(main);
    clearReceived();
    backend.runFor(300);
    EXPECT_TRUE(received().empty());
    EXPECT_EQ(PostMessage(main, kFirst, 0, 0), FALSE);
    EXPECT_EQ(SendMessage(main, kFirst, 0, 0), 0);
}

}  // namespace

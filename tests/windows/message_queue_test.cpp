#include <gtest/gtest.h>

#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/timers.h"
#include "window_test_support.h"

namespace {

constexpr UINT kFirst = 0x8001;
constexpr UINT kSecond = 0x8002;
constexpr UINT kThird = 0x8003;

std::vector<UINT> kinds(const std::vector<Received>& log) {
    std::vector<UINT> out;
    for (const Received& r : log) {
        out.push_back(r.message);
    }
    return out;
}

class MessageQueueTest : public WindowTest {};

TEST_F(MessageQueueTest, SentMessagesArriveAtOncePostedOnesWhenDispatched) {
    HWND main = settledMainWindow();

    PostMessage(main, kFirst, 0, 0);
    EXPECT_EQ(SendMessage(main, kSecond, 0, 0), 0);
    EXPECT_EQ(kinds(received()), (std::vector<UINT>{kSecond}));

    backend.runUntilIdle();
    EXPECT_EQ(kinds(received()), (std::vector<UINT>{kSecond, kFirst}));
}

TEST_F(MessageQueueTest, PaintWaitsUntilTheQueueIsEmpty) {
    HWND main = createMainWindow();
    PostMessage(main, kFirst, 0, 0);
    PostMessage(main, kSecond, 0, 0);
    // A message posted while handling another still comes before the paint.
    onMessage = [](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == kFirst) {
            PostMessage(hwnd, kThird, 0, 0);
        }
        return false;
    };
    backend.runUntilIdle();
    const std::vector<UINT> order = kinds(received());
    ASSERT_GE(order.size(), 4u);
    // WM_CREATE came during CreateWindow; then the queue in order, the paint last.
    EXPECT_EQ(std::vector<UINT>(order.end() - 4, order.end()),
              (std::vector<UINT>{kFirst, kSecond, kThird, WM_PAINT}));
}

TEST_F(MessageQueueTest, TimersFireInDueOrderWithTheTickCountOfTheirMoment) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    SetTimer(main, 2, 150, nullptr);
    backend.runFor(300);

    std::vector<std::pair<WPARAM, DWORD>> fired;
    for (const Received& r : received(WM_TIMER)) {
        fired.emplace_back(r.wParam, r.tick);
    }
    // At 300 both fall due; the one set first comes first.
    EXPECT_EQ(fired,
              (std::vector<std::pair<WPARAM, DWORD>>{{1, 100}, {2, 150}, {1, 200}, {1, 300}, {2, 300}}));
}

TEST_F(MessageQueueTest, AWaitingTimerMessageIsNotQueuedTwice) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    backend.advanceClock(1000);  // ten periods pass with nobody taking the message
    backend.runUntilIdle();
    EXPECT_EQ(received(WM_TIMER).size(), 1u);

    // The timer keeps its rhythm afterwards.
    clearReceived();
    backend.runFor(200);
    EXPECT_EQ(received(WM_TIMER).size(), 2u);
}

TEST_F(MessageQueueTest, KillTimerTakesBackAMessageAlreadyQueued) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    backend.advanceClock(100);
    EXPECT_EQ(KillTimer(main, 1), TRUE);
    EXPECT_EQ(KillTimer(main, 1), FALSE);
    backend.runFor(500);
    EXPECT_TRUE(received(WM_TIMER).empty());
}

TEST_F(MessageQueueTest, SettingATimerAgainRestartsItsPeriod) {
    HWND main = settledMainWindow();
    SetTimer(main, 1, 100, nullptr);
    backend.runFor(60);
    SetTimer(main, 1, 100, nullptr);
    backend.runFor(60);
    EXPECT_TRUE(received(WM_TIMER).empty());
    backend.runFor(40);
    ASSERT_EQ(received(WM_TIMER).size(), 1u);
    EXPECT_EQ(received(WM_TIMER)[0].tick, 160u);
}

TEST_F(MessageQueueTest, TheTickCountWrapsAfter32BitsAndTimersKeepGoing) {
    backend.setClock(0xFFFFFFFFull - 49);  // 50 ms before the wrap
    HWND main = settledMainWindow();
    EXPECT_EQ(GetTickCount(), 0xFFFFFFCEu);
    SetTimer(main, 1, 100, nullptr);
    backend.runFor(100);
    ASSERT_EQ(received(WM_TIMER).size(), 1u);
    EXPECT_EQ(received(WM_TIMER)[0].tick, 50u);
    EXPECT_EQ(GetTickCount(), 50u);
    backend.runFor(100);
    EXPECT_EQ(received(WM_TIMER).size(), 2u);
}

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
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    // The quit message comes before pending paints, after the posted messages.
    EXPECT_EQ(got, (std::vector<UINT>{kFirst, kSecond}));
    EXPECT_FALSE(backend.scriptExhausted());
}

TEST_F(MessageQueueTest, TheLoopTakesScriptedInputWhenIdleAndEndsWhenItRunsOut) {
    HWND main = createMainWindow();
    SetTimer(main, 1, 100, nullptr);
    backend.script().wait(250).key(VK_RETURN).call([main] { PostMessage(main, kFirst, 0, 0); });
    std::vector<UINT> got;
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.message != WM_PAINT) {
            got.push_back(msg.message);
        }
        DispatchMessage(&msg);
    }
    EXPECT_EQ(got, (std::vector<UINT>{WM_TIMER, WM_TIMER, WM_KEYDOWN, kFirst}));
    EXPECT_EQ(GetTickCount(), 250u);
    EXPECT_TRUE(backend.scriptExhausted());
    EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MessageQueueTest, TranslateMessageTypesCharactersButNotArrows) {
    HWND main = settledMainWindow();
    backend.pressKey('A');
    backend.pressKey(VK_LEFT);
    backend.pressKey('Q', platform::MODIFIER_CONTROL);
    backend.runUntilIdle();
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const Received& r : received()) {
        got.emplace_back(r.message, r.wParam);
    }
    EXPECT_EQ(
        got,
        (std::vector<std::pair<UINT, WPARAM>>{
            {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYDOWN, VK_LEFT}, {WM_KEYDOWN, 'Q'}, {WM_CHAR, 0x11}}));
    (void)main;
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

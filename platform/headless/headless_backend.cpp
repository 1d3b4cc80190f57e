#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <memory>

#include "platform/base/text.h"
#include "platform/controls/built_in_classes.h"
#include "platform/controls/message_box.h"
#include "platform/windows/dropped_files.h"
#include "platform/windows/input.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/screen.h"
#include "platform/windows/timers.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

HeadlessBackend::HeadlessBackend() : previous_(&backend()) {
    useBuiltInControls();
    installBackend(this);
}

HeadlessBackend::~HeadlessBackend() {
    resetWindows();
    installBackend(previous_);
}

void HeadlessBackend::playSound(std::u16string_view name) {
    sounds_.emplace_back(name);
}

int HeadlessBackend::messageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    messageBoxes_.push_back({std::u16string(text), std::u16string(caption), type, false});
    // Tools run headless too; their user should still see what a box says.
    std::fprintf(stderr, "%s: %s\n", utf16ToUtf8(caption).c_str(), utf16ToUtf8(text).c_str());
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

void HeadlessBackend::messageBoxOpened(HWND, std::u16string_view text, std::u16string_view caption,
                                       UINT type) {
    messageBoxes_.push_back({std::u16string(text), std::u16string(caption), type, true});
}

std::u16string HeadlessBackend::programPath() {
    return programPath_.empty() ? Backend::programPath() : programPath_;
}

std::vector<std::string> HeadlessBackend::soundLog() const {
    std::vector<std::string> names;
    for (const auto& sound : sounds_) {
        names.push_back(utf16ToUtf8(sound));
    }
    return names;
}

void HeadlessBackend::answerMessageBoxes(std::initializer_list<int> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void HeadlessBackend::changeScreenSize(int width, int height) {
    const RECT previous = screenRect();
    screen_ = {width, height};
    screenSizeChanged(previous);
}

Surface HeadlessBackend::screen() const {
    return composeScreen();
}

Pixel HeadlessBackend::pixelAt(int x, int y) const {
    const Surface shown = composeScreen();
    assert(x >= 0 && y >= 0 && x < shown.width() && y < shown.height());
    return shown.at(x, y);
}

bool HeadlessBackend::stepClock(std::uint64_t target) {
    const std::optional<std::uint64_t> due = nextTimerDue();
    if (due && *due <= target) {
        clock_ = std::max(clock_, *due);
        postDueTimers();
        return clock_ >= target;
    }
    clock_ = std::max(clock_, target);
    postDueTimers();
    return true;
}

void HeadlessBackend::advanceClock(std::uint64_t milliseconds) {
    const std::uint64_t target = clock_ + milliseconds;
    while (!stepClock(target)) {
    }
}

void HeadlessBackend::runFor(std::uint64_t milliseconds) {
    const std::uint64_t target = clock_ + milliseconds;
    runUntilIdle();
    for (bool reached = false; !reached;) {
        reached = stepClock(target);
        runUntilIdle();
    }
}

int HeadlessBackend::runUntilIdle() {
    return dispatchPending();
}

void HeadlessBackend::pressAt(int x, int y) {
    pointerDown({x, y});
}

void HeadlessBackend::moveTo(int x, int y) {
    pointerMove({x, y});
}

void HeadlessBackend::releaseAt(int x, int y) {
    pointerUp({x, y});
}

void HeadlessBackend::tap(int x, int y) {
    pointerDown({x, y});
    pointerUp({x, y});
}

void HeadlessBackend::dropFile(const std::string& path) {
    filesDropped({utf8ToUtf16(path)});
}

void HeadlessBackend::wakeMessageLoop() {
    {
        const std::lock_guard lock(postGuard_);
        postArrived_ = true;
    }
    posted_.notify_all();
}

bool HeadlessBackend::waitForPostFromAnyThread(std::chrono::milliseconds limit) {
    std::unique_lock lock(postGuard_);
    const bool arrived = posted_.wait_for(lock, limit, [this] { return postArrived_; });
    postArrived_ = false;
    return arrived;
}

void HeadlessBackend::pressKey(UINT virtualKey, BYTE modifiers) {
    keyDown(virtualKey, modifiers);
}

void HeadlessBackend::turnWheel(int x, int y, int delta) {
    wheel({x, y}, delta);
}

void HeadlessBackend::pressOtherAt(int x, int y, OtherButton button) {
    otherButtonDown({x, y}, button);
}

void HeadlessBackend::releaseOtherAt(int x, int y) {
    otherButtonUp({x, y});
}

bool HeadlessBackend::answerOpenMessageBox() {
    if (answers_.empty()) {
        return false;
    }
    const auto& tops = topLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if (!equalsIgnoringCase((*it)->windowClass->name, u"#msgbox") || !(*it)->visible) {
            continue;
        }
        HWND button = GetDlgItem(*it, answers_.front());
        assert(button != nullptr && "the scripted answer is not a button of the open message box");
        if (button == nullptr) {
            return false;
        }
        answers_.pop_front();
        const POINT origin = clientOriginOnScreen(button);
        tap(origin.x + button->clientWidth() / 2, origin.y + button->clientHeight() / 2);
        return true;
    }
    return false;
}

bool HeadlessBackend::waitForInput(std::optional<std::uint64_t>) {
    if (answerOpenMessageBox()) {
        return true;
    }
    if (script_.steps_.empty()) {
        exhausted_ = true;
        return false;
    }
    // Take the step first: it may add steps or wait again.
    auto step = std::move(script_.steps_.front());
    script_.steps_.pop_front();
    if (!step(*this)) {
        script_.steps_.push_front(std::move(step));
    }
    return true;
}

HeadlessBackend::Script& HeadlessBackend::Script::tap(int x, int y) {
    return call([x, y] {
        pointerDown({x, y});
        pointerUp({x, y});
    });
}

HeadlessBackend::Script& HeadlessBackend::Script::press(int x, int y) {
    return call([x, y] { pointerDown({x, y}); });
}

HeadlessBackend::Script& HeadlessBackend::Script::move(int x, int y) {
    return call([x, y] { pointerMove({x, y}); });
}

HeadlessBackend::Script& HeadlessBackend::Script::release(int x, int y) {
    return call([x, y] { pointerUp({x, y}); });
}

HeadlessBackend::Script& HeadlessBackend::Script::key(UINT virtualKey, BYTE modifiers) {
    return call([virtualKey, modifiers] { keyDown(virtualKey, modifiers); });
}

HeadlessBackend::Script& HeadlessBackend::Script::wait(std::uint64_t milliseconds) {
    // The target is fixed when the step starts; each call moves to the next due timer.
    auto target = std::make_shared<std::optional<std::uint64_t>>();
    steps_.push_back([milliseconds, target](HeadlessBackend& backend) {
        if (!*target) {
            *target = backend.clock_ + milliseconds;
        }
        return backend.stepClock(**target);
    });
    return *this;
}

HeadlessBackend::Script& HeadlessBackend::Script::call(std::function<void()> step) {
    steps_.push_back([step = std::move(step)](HeadlessBackend&) {
        step();
        return true;
    });
    return *this;
}

}  // namespace platform

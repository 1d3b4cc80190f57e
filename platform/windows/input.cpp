#include "platform/windows/input.h"

#include "platform/windows/dropped_files.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"

namespace platform {

namespace {

bool pointerHeld = false;
OtherButton otherHeld = OtherButton::None;
// The window a drag with the other button began on, which gets the rest of it.
HWND dragWindow = nullptr;

void post(InputEvent::Kind kind, POINT point, int wheelDelta = 0) {
    InputEvent event;
    event.kind = kind;
    event.point = point;
    event.buttonHeld = pointerHeld;
    event.other = otherHeld;
    event.wheelDelta = wheelDelta;
    postInput(event);
}

LPARAM packPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

}  // namespace

void pointerDown(POINT screen) {
    pointerHeld = true;
    post(InputEvent::Kind::PointerDown, screen);
}

void pointerMove(POINT screen) {
    post(InputEvent::Kind::PointerMove, screen);
}

void pointerUp(POINT screen) {
    pointerHeld = false;
    post(InputEvent::Kind::PointerUp, screen);
}

void wheelTurned(POINT screen, int delta) {
    post(InputEvent::Kind::Wheel, screen, delta);
}

void otherButtonDown(POINT screen, OtherButton button) {
    otherHeld = button;
    post(InputEvent::Kind::OtherDown, screen);
}

void otherButtonUp(POINT screen) {
    post(InputEvent::Kind::OtherUp, screen);
    otherHeld = OtherButton::None;
}

void keyDown(UINT virtualKey, BYTE modifiers) {
    InputEvent event;
    event.kind = InputEvent::Kind::Key;
    event.key = virtualKey;
    event.modifiers = modifiers;
    postInput(event);
}

void wheel(POINT screen, int delta) {
    postInput({.kind = InputEvent::Kind::Wheel, .point = screen, .wheelDelta = delta});
}

namespace {

// The other buttons: client messages only, to the window under the pointer or
// to the one a drag began on.
bool resolveOtherInput(const InputEvent& event, MSG& msg) {
    using Kind = InputEvent::Kind;
    const bool dragging = event.kind != Kind::OtherDown;
    Window* target = dragging ? dragWindow : windowAtScreenPoint(event.point);
    if (event.kind == Kind::OtherUp) {
        dragWindow = nullptr;
    }
    if (target == nullptr || !IsWindow(target) || !topLevelOf(target)->enabled) {
        return false;
    }
    const bool right = event.other == OtherButton::Right;
    msg.hwnd = target;
    switch (event.kind) {
        case Kind::OtherDown:
            dragWindow = target;
            msg.message = right ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
            msg.wParam = right ? MK_RBUTTON : MK_MBUTTON;
            break;
        case Kind::OtherUp:
            msg.message = right ? WM_RBUTTONUP : WM_MBUTTONUP;
            break;
        default:
            msg.message = WM_MOUSEMOVE;
            msg.wParam = right ? MK_RBUTTON : MK_MBUTTON;
            break;
    }
    const POINT origin = clientOriginOnScreen(target);
    msg.lParam = packPoint(event.point.x - origin.x, event.point.y - origin.y);
    return true;
}

bool isOtherInput(const InputEvent& event) {
    using Kind = InputEvent::Kind;
    return event.kind == Kind::OtherDown || event.kind == Kind::OtherUp ||
           (event.kind == Kind::PointerMove && event.other != OtherButton::None && !event.buttonHeld &&
            captureWindow() == nullptr);
}

// A key goes to the focus, or to the active window when the focus cannot take it.
bool resolveKey(const InputEvent& event, MSG& msg) {
    Window* target = GetFocus();
    if (target == nullptr || !IsWindowVisible(target) || !topLevelOf(target)->enabled) {
        target = activeWindow();
    }
    if (target == nullptr) {
        return false;
    }
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = event.key;
    msg.lParam = 1;  // repeat count
    return true;
}

// The wheel turns whatever window lies under the pointer.
bool resolveWheel(const InputEvent& event, MSG& msg) {
    Window* target = windowAtScreenPoint(event.point);
    if (target == nullptr || !topLevelOf(target)->enabled) {
        return false;
    }
    msg.hwnd = target;
    msg.message = WM_MOUSEWHEEL;
    msg.wParam = MAKEWPARAM(0, static_cast<WORD>(event.wheelDelta));
    msg.lParam = packPoint(event.point.x, event.point.y);
    return true;
}

// The stylus goes to the window holding the capture, or else to the window
// under it; on a top-level window's title bar it is non-client input.
bool resolvePointer(const InputEvent& event, MSG& msg) {
    Window* target = captureWindow();
    bool nonClient = target != nullptr && captureIsNonClient();
    if (target == nullptr) {
        target = windowAtScreenPoint(event.point);
        if (target == nullptr || !topLevelOf(target)->enabled) {
            return false;
        }
        nonClient = target->parent == nullptr && event.point.y < target->rect.top + target->captionHeight;
    }
    using Kind = InputEvent::Kind;
    msg.hwnd = target;
    if (nonClient) {
        msg.message = event.kind == Kind::PointerDown ? WM_NCLBUTTONDOWN
                      : event.kind == Kind::PointerUp ? WM_NCLBUTTONUP
                                                      : WM_NCMOUSEMOVE;
        msg.lParam = packPoint(event.point.x, event.point.y);
        return true;
    }
    msg.message = event.kind == Kind::PointerDown ? WM_LBUTTONDOWN
                  : event.kind == Kind::PointerUp ? WM_LBUTTONUP
                                                  : WM_MOUSEMOVE;
    const bool held =
        event.kind == Kind::PointerDown || (event.kind == Kind::PointerMove && event.buttonHeld);
    msg.wParam = held ? MK_LBUTTON : 0;
    const POINT origin = clientOriginOnScreen(target);
    msg.lParam = packPoint(event.point.x - origin.x, event.point.y - origin.y);
    return true;
}

}  // namespace

bool resolveInput(const InputEvent& event, MSG& msg) {
    msg = MSG{};
    if (isOtherInput(event)) {
        return resolveOtherInput(event, msg);
    }
    switch (event.kind) {
        case InputEvent::Kind::Drop:
            return resolveDrop(event, msg);
        case InputEvent::Kind::Key:
            return resolveKey(event, msg);
        case InputEvent::Kind::Wheel:
            return resolveWheel(event, msg);
        default:
            return resolvePointer(event, msg);
    }
}

}  // namespace platform

// Input translation, in exactly one place: every backend hands the pointer
// (mouse, touch, stylus) and the keys to these calls, and they become window
// messages here.
//
// A pointer press goes to the visible, enabled window under it (the topmost
// top-level window, then its child there) as WM_LBUTTONDOWN with the point in
// that window's client coordinates; moves and the release go to the same place
// unless a control has captured the pointer, which then gets them all. The
// wheel goes to the window under the pointer as WM_MOUSEWHEEL. The right and
// middle buttons go there as WM_RBUTTONDOWN and WM_MBUTTONDOWN; while one is
// held, moves and its release go to that same window (a drag). Input
// over a disabled top-level window (one under a modal dialog) is dropped. A
// key press goes to the focused window, or to the active top-level window
// when nothing has the focus, as WM_KEYDOWN with its virtual-key code. Files
// dropped from the desktop go as WM_DROPFILES (platform/dropped_files.h).
#pragma once

#include "platform/handles.h"
#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

// The buttons besides the stylus's tip (the left one).
enum class OtherButton { None, Right, Middle };

struct InputEvent {
    enum class Kind { PointerDown, PointerMove, PointerUp, Key, Wheel, OtherDown, OtherUp, Drop };
    Kind kind = Kind::PointerMove;
    POINT point{};  // screen coordinates
    UINT key = 0;   // virtual-key code
    BYTE modifiers = MODIFIER_NONE;
    bool buttonHeld = false;                // for moves: is the pointer pressed?
    OtherButton other = OtherButton::None;  // the other button pressed, released or held
    int wheelDelta = 0;                     // for the wheel: WHEEL_DELTA a notch, positive away from the user
    HDROP drop = nullptr;                   // for a drop: the files
};

void pointerDown(POINT screen);
void pointerMove(POINT screen);
void pointerUp(POINT screen);
void keyDown(UINT virtualKey, BYTE modifiers = MODIFIER_NONE);
void wheel(POINT screen, int delta);
void otherButtonDown(POINT screen, OtherButton button);
void otherButtonUp(POINT screen);

// Turns queued input into the message it stands for now; false when it goes nowhere.
bool resolveInput(const InputEvent& event, MSG& msg);

}  // namespace platform

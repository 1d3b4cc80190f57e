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
// dropped from the desktop go as WM_DROPFILES (platform/windows/dropped_files.h).
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "platform/windows/input_event.h"

namespace platform {

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

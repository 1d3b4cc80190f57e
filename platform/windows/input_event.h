// Raw input as the backends hand it over and the queue keeps it, until it
// becomes the window message it stands for (platform/windows/input.h).
#pragma once

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

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

}  // namespace platform

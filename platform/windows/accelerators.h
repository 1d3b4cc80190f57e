// Keyboard accelerators: a table of key combinations, each standing for a
// command that TranslateAccelerator sends to a window as WM_COMMAND (high word
// 1, the mark of an accelerator).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"

inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = FVIRTKEY;  // the key is a virtual-key code, with these modifiers
    WORD key = 0;
    WORD cmd = 0;
};

namespace platform {

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

// Makes table `id` of the program's resources known to LoadAccelerators.
void registerAcceleratorResource(int id, std::vector<ACCEL> entries);

// An accelerator table written as a text resource, one entry a line:
//   Ctrl+Q 40000
// A line that cannot be read makes the whole table unreadable.
std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::string_view text);
// The module's ACCELERATORS resource `id`, read and made known to
// LoadAccelerators; false when it is missing or unreadable.
bool loadAcceleratorResource(HINSTANCE module, int id);

}  // namespace platform

// The resource table `id`; nullptr when there is none. Resource tables live
// as long as the program.
HACCEL LoadAccelerators(HINSTANCE instance, int id);
// A key press whose key and modifiers match an entry exactly becomes that
// entry's command, sent to `hwnd`; answers whether it did.
int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg);

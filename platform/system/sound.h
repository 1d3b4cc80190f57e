// Sounds from the program's own wave resources, played by name.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"

inline constexpr DWORD SND_SYNC = 0x00000000;
inline constexpr DWORD SND_NODEFAULT = 0x00000002;
inline constexpr DWORD SND_RESOURCE = 0x00040004;

// Plays the wave resource `name` of `module` and returns when it has finished
// (the game only plays synchronously). Without an audio device it returns at once.
BOOL PlaySound(const WCHAR* name, HMODULE module, DWORD flags);

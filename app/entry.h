// Bringing the game up: graphics objects, the one main window and its
// controls, the current pattern; then the message loop until the window closes.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"

using ATOM = WORD;

// True when the game is up; false when the process should end at once (another
// copy runs, or the window cannot be made).
bool initInstance(HINSTANCE instance, int showCommand);
ATOM registerMainWindowClass(HINSTANCE instance, const WCHAR* className);

// The message loop with the keyboard accelerators, until the quit message;
// answers its code.
int runMessageLoop(HINSTANCE instance);

// Start-up and the message loop; answers the quit message's code.
int runGame(HINSTANCE instance, int showCommand);

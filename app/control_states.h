// The enabled and visible state of the buttons that follow the game: the
// difficulty and Pause buttons, and the palette.
#pragma once

#include "platform/base/handles.h"

// A child control of the main window, by its identifier.
HWND mainControl(int id);
// Asks a control of the main window to draw itself again, without erasing.
void repaintControl(int id);

// Level buttons enabled only before the clock has started and while not
// paused; level and Pause buttons shown only with the clock on; the keyboard
// focus back on the main window.
void updateControlStates();

// Each colour's button shown and enabled while the colour has an unpainted
// piece, or always in Free mode. Buttons beyond the pattern's colours are
// left as they are.
void updatePaletteStates();

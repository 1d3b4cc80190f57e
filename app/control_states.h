// The enabled and visible state of the buttons that follow the game: the
// difficulty and Pause buttons, and the palette.
#pragma once

// Level buttons enabled only before the clock has started and while not
// paused; level and Pause buttons shown only with the clock on; the keyboard
// focus back on the main window.
void updateControlStates();

// Each colour's button shown and enabled while the colour has an unpainted
// piece, or always in Free mode. Buttons beyond the pattern's colours are
// left as they are.
void updatePaletteStates();

// The operations of a game: start, restart, complete, pause, level, open,
// reset, what follows a paint tap, and the clock's tick.
#pragma once

#include <cstdint>

void startPattern();
void restartPattern();
void completePattern();
void togglePause(bool isClick);
void selectLevel(std::uint32_t level);
void openPattern();
void resetProgram();
void afterPaintTap(bool changed, std::int32_t colourAtTap);
void clockTick();

// Plays one of the game's sounds when the Sound setting is on; returns when
// it has finished.
void playGameSound(const char16_t* name);

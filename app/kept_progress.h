// The current picture's progress kept across runs, when the KeepProgress
// setting is on (with it off every call here does nothing). The record is
// saved when the player leaves a half-painted picture and every 30 seconds
// while the game runs; it comes back when the picture starts again; Restart,
// Reset, Complete Pattern and finishing the picture forget it.
#pragma once

// WM_TIMER of the main window that saves the progress now and then.
inline constexpr unsigned kProgressTimerId = 2;
inline constexpr unsigned kProgressSaveMilliseconds = 30000;

// Right after the current pattern is loaded: finds the file's record and, when
// it fits, paints the pattern, sets the level and the clock's elapsed time.
void restoreKeptProgress();

// Saves the record when some pieces are painted and some are left; forgets it
// otherwise. A record unchanged since the last save is not written again.
void saveKeptProgress();

void forgetKeptProgress();

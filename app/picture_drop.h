// A picture dropped on the game's window becomes a pattern of the player's
// own and is started. It is made on a worker thread with the medium preset
// while the game goes on (the clock runs, paint taps are taken) under the
// wait cursor; then, on the UI thread, it is saved with its thumbnail in the
// player's folder (app/player_patterns.h) under a unique name and started as
// the chooser's Open starts a new pattern. A picture that cannot be made
// gives a message box naming the file and the reason, and nothing changes.
// A drop while a picture is being made is refused with a message box. A
// result that arrives while a dialog or message box is open waits for it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "pattern/pattern_file.h"
#include "platform/base/handles.h"
#include "platform/base/messages.h"

// Posted by the worker to the main window when the picture is made or refused.
inline constexpr UINT kPictureMadeMessage = WM_APP + 1;
// WM_TIMER of the main window that tries the result again once dialogs are closed.
inline constexpr unsigned kPictureMadeRetryTimerId = 3;
inline constexpr unsigned kPictureMadeRetryMilliseconds = 250;

void onFilesDropped(HDROP drop);
void onPictureMade();
bool pictureBeingMade();
// The main window is going: the worker is asked to stop and waited for.
void stopMakingPicture();

// Makes a pattern of a picture file (UTF-8 path) or says why not; calls
// `progress` now and then from the worker, which may throw to stop it.
using PictureMaker = std::function<std::optional<PatternFile>(const std::string& path, std::string& error,
                                                              const std::function<void(double)>& progress)>;
// The maker the next drops use; an empty one restores the medium preset's.
void usePictureMaker(PictureMaker maker);

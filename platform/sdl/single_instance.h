// One copy of the program at a time, on one desktop session.
//
// The first start holds an exclusive lock on <folder>/<name>.lock for as long
// as it runs. The lock is the system's (flock), which lets go when the process
// ends however it ends, so a copy that crashed leaves at most a file behind and
// never blocks the next start. Beside the lock the first copy listens on a
// socket, <name>.sock; a later start that cannot take the lock sends a word
// there to ask the first copy to bring its window to the front, then ends.
//
// The folder is the first of singleInstanceFolders() that is private to the
// user and can hold the lock: the session's runtime folder, else a folder made
// private under the user's cache folder, else one in the system's temporary
// folder. When none can, the program says so in one line and runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// $XDG_RUNTIME_DIR, ($XDG_CACHE_HOME or ~/.cache)/vellumar-run and
// ($TMPDIR or /tmp)/vellumar-<uid>, in that order, each when it can be named.
std::vector<std::string> singleInstanceFolders();

// Takes the lock of `name` for this process and starts listening for the
// requests of later starts. Answers false when another copy holds it. When no
// lock can be made at all (no usable folder), says so on stderr and answers
// true: better two copies than none.
bool claimSingleInstance(std::string_view name);

// Asks the copy that holds `name` to bring its window to the front; answers
// whether the request was delivered, and says on stderr when it was not.
bool askFirstInstanceToShow(std::string_view name);

// Has a later start asked us to come to the front since the last call?
// Never blocks; the backend polls it while it waits for input.
bool takeShowRequest();

// Lets go of the claim of `name` (the process's end does the same).
void releaseSingleInstance(std::string_view name);

}  // namespace platform

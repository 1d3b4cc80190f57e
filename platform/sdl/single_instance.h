// One copy of the program at a time, on one desktop session.
//
// The first start holds an exclusive lock on <folder>/<name>.lock for as long
// as it runs. The lock is the system's (flock), which lets go when the process
// ends however it ends, so a copy that crashed leaves at most a file behind and
// never blocks the next start. Beside the lock the first copy listens on a
// socket, <name>.sock; a later start that cannot take the lock sends a word
// there to ask the first copy to bring its window to the front, then ends.
//
// The folder is $XDG_RUNTIME_DIR, or /tmp/vellumar-<uid> (made private to the
// user) when that is unset.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string singleInstanceFolder();

// Takes the lock of `name` for this process and starts listening for the
// requests of later starts. Answers false when another copy holds it. When no
// lock can be made at all (no usable folder), answers true: better two copies
// than none.
bool claimSingleInstance(std::string_view name);

// Asks the copy that holds `name` to bring its window to the front; answers
// whether the request was delivered.
bool askFirstInstanceToShow(std::string_view name);

// Has a later start asked us to come to the front since the last call?
// Never blocks; the backend polls it while it waits for input.
bool takeShowRequest();

// Lets go of the claim of `name` (the process's end does the same).
void releaseSingleInstance(std::string_view name);

}  // namespace platform

// The signals that ask a program to end (SIGTERM, SIGINT, SIGHUP from a closed
// terminal, SIGQUIT) close the game as its Close button does, so the settings
// are saved. The handler only notes the signal; the backend's wait for input
// turns it into WM_CLOSE on the message loop's own thread.
#pragma once

namespace platform {

// Installs the handlers (once; later calls do nothing).
void catchClosingSignals();

// The signal noted since the last call, or 0.
int takeClosingSignal();

// After the game has closed: a SIGQUIT ends the process as that signal
// asks (with its default action, a core dump where allowed) once the settings
// are saved; the other signals end it with the exit code the game returned.
void endAsTheClosingSignalAsks();

}  // namespace platform

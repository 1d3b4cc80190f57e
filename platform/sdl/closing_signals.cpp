#include "platform/sdl/closing_signals.h"

#include <csignal>

namespace platform {

namespace {

constexpr int kClosingSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};

volatile std::sig_atomic_t noted = 0;
int taken = 0;

extern "C" void noteSignal(int number) {
    noted = number;
}

}  // namespace

void catchClosingSignals() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kClosingSignals) {
        sigaction(number, &action, nullptr);
    }
}

int takeClosingSignal() {
    const int number = noted;
    if (number != 0) {
        noted = 0;
        taken = number;
    }
    return number;
}

void endAsTheClosingSignalAsks() {
    if (taken == SIGQUIT) {
        std::signal(SIGQUIT, SIG_DFL);
        std::raise(SIGQUIT);
    }
}

}  // namespace platform

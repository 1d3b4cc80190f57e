#include "tests/platform/sdl/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace testing_support {

std::unique_ptr<ChildProcess> ChildProcess::start(const std::vector<std::string>& argv,
                                                  const std::string& output) {
    const pid_t pid = argv.empty() ? -1 : ::fork();
    if (pid < 0) {
        return nullptr;
    }
    if (pid == 0) {
        if (!output.empty()) {
            ::dup2(::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid));
}

ChildProcess::~ChildProcess() {
    // Asked first, so that a server can remove its socket; then made to.
    if (!exitCode_) {
        ::kill(pid_, SIGTERM);
        if (!waitForExit(std::chrono::seconds(3))) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds within) {
    const auto giveUp = std::chrono::steady_clock::now() + within;
    while (!exitCode_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (std::chrono::steady_clock::now() >= giveUp) {
            return std::nullopt;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return exitCode_;
}

void ChildProcess::signal(int number) {
    if (!exitCode_) {
        ::kill(pid_, number);
    }
}

}  // namespace testing_support

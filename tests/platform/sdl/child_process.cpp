#include "tests/platform/sdl/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point moment) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(moment - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::start(const std::vector<std::string>& argv,
                                                  const Environment& environment) {
    if (argv.empty()) {
        return nullptr;
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return nullptr;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        return nullptr;
    }
    if (pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        for (const auto& [name, value] : environment) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, pipeEnds[0]));
}

ChildProcess::~ChildProcess() {
    // Asked first, so that a server can remove its socket; then made to.
    if (!exitCode_) {
        ::kill(pid_, SIGTERM);
        if (!waitForExit(std::chrono::seconds(3))) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    ::close(output_);
}

bool ChildProcess::fill(Clock::time_point giveUp) {
    if (ended_) {
        return false;
    }
    pollfd ready{output_, POLLIN, 0};
    if (::poll(&ready, 1, millisecondsUntil(giveUp)) <= 0) {
        return false;
    }
    char buffer[4096];
    const ssize_t got = ::read(output_, buffer, sizeof(buffer));
    if (got <= 0) {
        ended_ = true;
        return false;
    }
    pending_.append(buffer, static_cast<std::size_t>(got));
    return true;
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds within) {
    const auto giveUp = Clock::now() + within;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        if (!fill(giveUp)) {
            return std::nullopt;
        }
    }
}

std::string ChildProcess::readAll(std::chrono::milliseconds within) {
    const auto giveUp = Clock::now() + within;
    while (fill(giveUp)) {
    }
    return std::exchange(pending_, std::string());
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds within) {
    const auto giveUp = Clock::now() + within;
    while (!exitCode_) {
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (Clock::now() >= giveUp) {
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

CommandResult runCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds within) {
    CommandResult result;
    const auto giveUp = Clock::now() + within;
    auto child = ChildProcess::start(argv, environment);
    if (!child) {
        return result;
    }
    result.output = child->readAll(within);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - Clock::now());
    result.exitCode = child->waitForExit(std::max(left, std::chrono::milliseconds(0))).value_or(-1);
    return result;
}

std::pair<std::string, std::string> leaksReportedOnly() {
    const char* options = std::getenv("LSAN_OPTIONS");
    return {"LSAN_OPTIONS", std::string(options != nullptr ? options : "") + ":exitcode=0"};
}

}  // namespace testing_support

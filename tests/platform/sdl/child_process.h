// Programs a test starts and watches: its standard output read line by line,
// its end awaited, every wait bounded. A child still running when its object
// goes is killed, so a failing test leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using Environment = std::vector<std::pair<std::string, std::string>>;

// For a desktop program started by a test: under LeakSanitizer its leaks at
// exit are reported on its standard error but leave its exit code alone. SDL
// has unloaded the system's X11 libraries by then, so their leaks come from
// modules the suppressions can no longer name. Tests in the test's own
// process keep the full check.
std::pair<std::string, std::string> leaksReportedOnly();

class ChildProcess {
  public:
    // Runs `argv` (found on PATH) with `environment` added to ours; its standard
    // output comes to us, its standard error goes where ours does. nullptr
    // when it cannot even be started.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               const Environment& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // The next line of output without its newline; nothing when none comes in
    // time or the output has ended.
    std::optional<std::string> readLine(std::chrono::milliseconds within);
    // Everything it writes until it closes its output (or time runs out).
    std::string readAll(std::chrono::milliseconds within);

    // Its exit code (128 + the signal when a signal ended it); nothing when it
    // has not ended in time.
    std::optional<int> waitForExit(std::chrono::milliseconds within);

    void signal(int number);

  private:
    ChildProcess(pid_t pid, int output) : pid_(pid), output_(output) {}
    // Reads what is there within the time; false at the end of output or on timeout.
    bool fill(std::chrono::steady_clock::time_point giveUp);

    pid_t pid_;
    int output_;
    std::string pending_;
    bool ended_ = false;
    std::optional<int> exitCode_;
};

struct CommandResult {
    int exitCode = -1;  // -1 when it did not end in time
    std::string output;
};

// Runs a command to its end (killed after `within`) and answers its output.
CommandResult runCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds within);

}  // namespace testing_support

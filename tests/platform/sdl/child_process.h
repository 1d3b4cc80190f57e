// A program a test starts and watches, every wait bounded. A child still
// running when its object goes is asked to end, then made to, so a failing
// test leaves nothing behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
  public:
    // Runs `argv` (found on PATH) in our environment, its standard output into
    // the file `output` when one is named; nullptr when it cannot even be started.
    static std::unique_ptr<ChildProcess> start(const std::vector<std::string>& argv,
                                               const std::string& output = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Its exit code (128 + the signal when a signal ended it); nothing when it
    // has not ended in time.
    std::optional<int> waitForExit(std::chrono::milliseconds within);
    void signal(int number);

  private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}

    pid_t pid_;
    std::optional<int> exitCode_;
};

}  // namespace testing_support

#include "tests/support/run_program.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

ToolRun runProgram(const std::string& program, const std::string& arguments, const TempFolder& folder) {
    const std::string command = program + " " + arguments + " 2>" + (folder / "stderr.txt").string();
    ToolRun result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer;
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        result.out.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = folder.read("stderr.txt");
    return result;
}

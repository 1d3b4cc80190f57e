// Runs a program as a user runs it, for the tests of the command-line tools.
#pragma once

#include <string>

#include "tests/support/temp_folder.h"

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program arguments` through the shell; its standard error is caught
// in a file of `folder`.
ToolRun runProgram(const std::string& program, const std::string& arguments, const TempFolder& folder);

#pragma once

#include <string>

// Each returns the process's exit code.
int runInfo(const std::string& file);
int runDump(const std::string& file);

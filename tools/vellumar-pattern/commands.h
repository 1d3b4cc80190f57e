#pragma once

#include <string>
#include <vector>

// Each returns the process's exit code.
int runInfo(const std::string& file);
int runDump(const std::string& file);
// The arguments after the command's name.
int runCompile(const std::vector<std::string>& arguments);
int runCheck(const std::vector<std::string>& arguments);

extern const char* const kCompileHelp;
extern const char* const kCheckHelp;

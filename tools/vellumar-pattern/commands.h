#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RenderOptions {
    std::string file;
    std::string output;
    std::string size = "240x294";
    std::uint32_t scheme = 0;
    std::uint32_t mode = 0;
    std::int32_t selected = -1;
    std::string painted = "none";
    float zoom = 1.0f;
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
    int dpi = 96;
};

// Each returns the process's exit code.
int runInfo(const std::string& file);
int runDump(const std::string& file);
int runRender(const RenderOptions& options);
// The arguments after the command's name.
int runMake(const std::vector<std::string>& arguments);
int runCheck(const std::vector<std::string>& arguments);
int runThumbnail(const std::vector<std::string>& arguments);
int runContactSheet(const std::vector<std::string>& arguments);

extern const char* const kMakeHelp;
extern const char* const kCheckHelp;
extern const char* const kThumbnailHelp;
extern const char* const kContactSheetHelp;

// A pattern loaded for a command: the pattern with the settings record it
// reads, on the headless backend (no sounds leave the tool).
#pragma once

#include <memory>
#include <string>

#include "core/settings.h"
#include "pattern/pattern.h"
#include "pattern/pattern_file.h"
#include "platform/headless/headless_backend.h"

struct LoadedPattern {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
};

// Loads the file named on the command line (UTF-8). On failure prints
// "vellumar-pattern: FILE: why" on standard error and returns nothing.
std::unique_ptr<LoadedPattern> loadForCommand(const std::string& file);

// Loads records made in memory; nothing when the reader refuses them.
std::unique_ptr<LoadedPattern> loadPatternRecords(const PatternFile& file);

// The file's variant in words: "curves", "polylines" or "rectilinear polylines".
std::string variantName(const Pattern& pattern);

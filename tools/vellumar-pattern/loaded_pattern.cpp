#include "tools/vellumar-pattern/loaded_pattern.h"

#include <cstdio>

#include "platform/base/text.h"

std::unique_ptr<LoadedPattern> loadForCommand(const std::string& file) {
    auto loaded = std::make_unique<LoadedPattern>();
    loadPattern(loaded->pattern, platform::utf8ToUtf16(file).c_str());
    if (!loaded->pattern.loadError.empty()) {
        std::fprintf(stderr, "vellumar-pattern: %s: %s\n", file.c_str(), loaded->pattern.loadError.c_str());
        return nullptr;
    }
    return loaded;
}

std::unique_ptr<LoadedPattern> loadPatternRecords(const PatternFile& file) {
    auto loaded = std::make_unique<LoadedPattern>();
    loadPatternFromBytes(loaded->pattern, serializePatternFile(file));
    if (!loaded->pattern.loadError.empty()) {
        return nullptr;
    }
    return loaded;
}

std::string variantName(const Pattern& pattern) {
    if (pattern.rectilinearFlag == 1) {
        return "rectilinear polylines";
    }
    return pattern.polylineFlag != 0 ? "polylines" : "curves";
}

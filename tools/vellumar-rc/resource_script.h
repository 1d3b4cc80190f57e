// One line of a resource script: `TYPE KEY SOURCE [VARIANT]`, `#` starting a
// comment. Read without exceptions or exits, so a bad line is reported with
// its reason and any bytes can be fed to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ScriptLine {
    std::string type;
    std::string key;
    std::string source;  // "text" with its opening quote kept, u16:N, u32:N or a file
    int variant = 1;
    bool variantGiven = false;
};

// The resource a line names; nullopt for an empty line or a comment, and for
// a bad line with `error` set.
std::optional<ScriptLine> readScriptLine(std::string_view line, std::string& error);

// The little-endian bytes of a u16:N or u32:N source; nullopt with `error`
// set when N is not a number of that width.
std::optional<std::vector<unsigned char>> numberSource(const std::string& source, std::string& error);

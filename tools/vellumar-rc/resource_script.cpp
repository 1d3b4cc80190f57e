#include "tools/vellumar-rc/resource_script.h"

#include <charconv>
#include <cstdint>

namespace {

// A whole decimal number no larger than `largest`.
std::optional<unsigned long long> decimal(std::string_view text, unsigned long long largest) {
    unsigned long long value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || fault != std::errc{} || end != text.data() + text.size() || value > largest) {
        return std::nullopt;
    }
    return value;
}

// The words of a line; a quoted word keeps its spaces and \" and \\ escapes
// and is returned with its opening quote. Empty with `error` set when a quote
// is not closed.
std::vector<std::string> scriptWords(std::string_view line, std::string& error) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            std::string word = "\"";
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                }
                word += line[i];
            }
            if (i >= line.size()) {
                error = "a quoted text is not closed";
                return {};
            }
            ++i;
            out.push_back(word);
        } else {
            const std::size_t end = std::min(line.find_first_of(" \t\r#", i), line.size());
            out.emplace_back(line.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

}  // namespace

std::optional<ScriptLine> readScriptLine(std::string_view line, std::string& error) {
    error.clear();
    const std::vector<std::string> w = scriptWords(line, error);
    if (w.empty()) {
        return std::nullopt;
    }
    if (w.size() < 3 || w.size() > 4) {
        error = "expected TYPE KEY SOURCE [VARIANT]";
        return std::nullopt;
    }
    ScriptLine out{w[0], w[1], w[2], 1, w.size() == 4};
    if (out.variantGiven) {
        const auto variant = decimal(w[3], 1024);
        if (!variant || *variant == 0) {
            error = "the variant is not a number from 1 to 1024";
            return std::nullopt;
        }
        out.variant = static_cast<int>(*variant);
    }
    return out;
}

std::optional<std::vector<unsigned char>> numberSource(const std::string& source, std::string& error) {
    const bool wide = source.starts_with("u32:");
    if (!wide && !source.starts_with("u16:")) {
        error = "not a number source";
        return std::nullopt;
    }
    const auto value = decimal(std::string_view(source).substr(4), wide ? UINT32_MAX : UINT16_MAX);
    if (!value) {
        error = source + " is not a number of " + (wide ? "32" : "16") + " bits";
        return std::nullopt;
    }
    std::vector<unsigned char> out;
    for (int i = 0; i < (wide ? 4 : 2); ++i) {
        out.push_back(static_cast<unsigned char>((*value >> (8 * i)) & 0xFF));
    }
    return out;
}

#include "platform/system/text_resource.h"

#include <charconv>

#include "platform/base/text.h"

namespace platform {

namespace {

// Words of a line; a quoted word keeps its spaces and loses its quotes, and
// is marked by a leading '"' in the result so it is never taken for a name.
std::optional<std::vector<std::string>> words(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            out.push_back("\"" + std::string(line.substr(i + 1, end - i - 1)));
            i = end + 1;
        } else {
            const std::size_t end = line.find_first_of(" \t\r#", i);
            out.emplace_back(
                line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
            i = end == std::string_view::npos ? line.size() : end;
        }
    }
    return out;
}

}  // namespace

std::optional<int> resourceNumber(const std::string& word) {
    int value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    return error == std::errc() && end == word.data() + word.size() ? std::optional(value) : std::nullopt;
}

std::optional<std::u16string> resourceQuoted(const std::string& word) {
    return word.starts_with('"') ? std::optional(utf8ToUtf16(std::string_view(word).substr(1)))
                                 : std::nullopt;
}

std::optional<std::vector<std::vector<std::string>>> resourceLines(std::string_view text) {
    std::vector<std::vector<std::string>> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        auto line = words(text.substr(0, end));
        if (!line) {
            return std::nullopt;
        }
        if (!line->empty()) {
            out.push_back(std::move(*line));
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return out;
}

std::string_view resourceText(const ResourceEntry& entry) {
    return {reinterpret_cast<const char*>(entry.data.data()), entry.data.size()};
}

}  // namespace platform

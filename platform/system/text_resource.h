// Resources written as text (dialog templates, accelerator tables), read line
// by line: `#` starts a comment, words are split at spaces, and a quoted word
// keeps its spaces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/resources.h"

namespace platform {

// The words of every line that has any; a quoted word loses its quotes and is
// marked by a leading '"' so it is never taken for a name. Nothing when a
// quote is left open.
std::optional<std::vector<std::vector<std::string>>> resourceLines(std::string_view text);
// A word that is a whole decimal number.
std::optional<int> resourceNumber(const std::string& word);
// A quoted word's text.
std::optional<std::u16string> resourceQuoted(const std::string& word);
// The resource's bytes as text.
std::string_view resourceText(const ResourceEntry& entry);

}  // namespace platform

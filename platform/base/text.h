// UTF-16 text as the game stores it, and its conversion to and from the UTF-8
// that the host's file system and fonts speak.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/types.h"

namespace platform {

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// Length of a terminated text in a buffer of `capacity` characters; a buffer
// without a terminator counts as full, so nothing past it is ever read.
std::size_t boundedLength(const WCHAR* text, std::size_t capacity);

// Copies `text` into a fixed buffer, cut to capacity - 1 characters and terminated.
void copyToBuffer(WCHAR* buffer, std::size_t capacity, std::u16string_view text);

// ASCII letters folded to lower case; the platform's names compare without
// regard to letter case.
WCHAR foldCase(WCHAR c);
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace platform

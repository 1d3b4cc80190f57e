// The file calls the game makes: where the program lies, finding files by a
// name pattern, reading a whole file.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/types.h"

// The host separates folders with a slash; the game finds its folder by
// looking for the last one.
inline constexpr WCHAR PATH_SEPARATOR = u'/';

inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes = 0;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    WCHAR cFileName[MAX_PATH] = {};
};

// Writes the full path of the program file into `buffer` (cut to size - 1
// characters and terminated) and returns the number of characters written.
DWORD GetModuleFileName(HMODULE module, WCHAR* buffer, DWORD size);

// Starts a search for the files in a folder whose names match the pattern
// after the last separator (`*` any run, `?` one character), without regard
// to letter case; `data` receives the name as the file system has it. Names
// are reported in a stable, sorted order; a name that is not valid UTF-8 is
// left out, as it could be neither shown nor opened. Returns INVALID_HANDLE_VALUE when
// nothing matches.
HANDLE FindFirstFile(const WCHAR* pattern, WIN32_FIND_DATA* data);
BOOL FindNextFile(HANDLE search, WIN32_FIND_DATA* data);
BOOL FindClose(HANDLE search);

namespace platform {

// The first `maxBytes` bytes of a regular file, or nothing when it cannot be
// opened or is not a regular file (platform/system/regular_file.h).
std::optional<std::vector<std::byte>> readFileBytes(const WCHAR* path, std::size_t maxBytes);

// Does the name match the pattern (`*`, `?`), without regard to letter case?
bool matchesPattern(std::u16string_view name, std::u16string_view pattern);

}  // namespace platform

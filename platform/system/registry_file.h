// The settings store's file: the text form of a registry export.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Quillory\Vellumar]
//   "CurrentPattern"="/usr/lib/vellumar/MonaLisa.mza"
//   "Level"=dword:00000001
//
// Text values are written as quoted UTF-8 with \\ and \" escaped; numbers as
// dword:; anything else as hex(type):bytes. A value keeps its type and its
// byte size (a text of n characters is stored as (n + 1) x 2 bytes of UTF-16).
// A line that cannot be read is counted as damaged and kept, with comments,
// to be written back in its place, so a damaged or cut file yields the values
// that are still whole and loses nothing a user wrote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/types.h"

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

namespace platform {

struct RegistryValue {
    std::u16string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// A line kept as it was read: it is written back after the first `before`
// values of its section.
struct KeptLine {
    std::size_t before = 0;
    std::string text;
};

struct RegistrySection {
    // e.g. HKEY_LOCAL_MACHINE\Software\Quillory\Vellumar; empty for the lines
    // under a section name that cannot be read, which belong to no section.
    std::u16string path;
    std::vector<RegistryValue> values;
    std::vector<KeptLine> keptLines;

    const RegistryValue* find(std::u16string_view name) const;
    void set(RegistryValue value);
};

struct RegistryDocument {
    std::vector<std::string> leadingLines;  // kept lines before the first section
    std::vector<RegistrySection> sections;
    int damagedLines = 0;  // lines that could not be read

    RegistrySection* find(std::u16string_view path);
    RegistrySection& findOrAdd(std::u16string_view path);
};

RegistryDocument parseRegistryText(std::string_view text);
std::string formatRegistryText(const RegistryDocument& document);

}  // namespace platform

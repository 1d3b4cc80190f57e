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
// A line that cannot be read is skipped and remembered, so a damaged or cut
// file yields the values that are still whole.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

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

struct RegistrySection {
    std::u16string path;  // e.g. HKEY_LOCAL_MACHINE\Software\Quillory\Vellumar
    std::vector<RegistryValue> values;

    const RegistryValue* find(std::u16string_view name) const;
    void set(RegistryValue value);
};

struct RegistryDocument {
    std::vector<RegistrySection> sections;
    int damagedLines = 0;  // lines that could not be read

    RegistrySection* find(std::u16string_view path);
    RegistrySection& findOrAdd(std::u16string_view path);
};

RegistryDocument parseRegistryText(std::string_view text);
std::string formatRegistryText(const RegistryDocument& document);

}  // namespace platform

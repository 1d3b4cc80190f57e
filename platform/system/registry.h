// The settings store, standing in for the registry: keys under
// HKEY_LOCAL_MACHINE with typed values, kept in one file per user
// ($XDG_CONFIG_HOME/vellumar/registry.reg, by default under ~/.config).
//
// A key opened for writing is written back when it is closed: to a temporary
// file, flushed, that then replaces the old one (or, for a link, its target),
// so the store is never half written. A store file that cannot be read, in
// whole or in part, reads as missing values. A damaged file is copied beside
// the new one (registry.reg.damaged), and the copy checked, before it is
// replaced; when no copy can be made, or the file cannot be read at all, it
// is left as it is. A save that fails says why in one line on stderr.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/system/registry_file.h"

using REGSAM = DWORD;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

extern const HKEY HKEY_LOCAL_MACHINE;

// Opens an existing key; ERROR_FILE_NOT_FOUND when the store or the key is missing.
LONG RegOpenKeyEx(HKEY root, const WCHAR* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens a key, creating it when it is missing. `disposition` may be null.
LONG RegCreateKeyEx(HKEY root, const WCHAR* subKey, DWORD options, REGSAM access, HKEY* result,
                    DWORD* disposition);

// Copies the value into `data` when it fits in *size bytes, and sets *size to
// the value's size. A value larger than the buffer is refused with
// ERROR_MORE_DATA and the buffer is left as it was. `type` may be null.
LONG RegQueryValueEx(HKEY key, const WCHAR* name, DWORD* type, BYTE* data, DWORD* size);

LONG RegSetValueEx(HKEY key, const WCHAR* name, DWORD type, const BYTE* data, DWORD size);

// Closes the key, writing the store back if the key was changed.
LONG RegCloseKey(HKEY key);

namespace platform {

// The store file: $XDG_CONFIG_HOME/vellumar/registry.reg, or
// ~/.config/vellumar/registry.reg; nothing when neither variable is set.
std::optional<std::filesystem::path> registryStorePath();

// Reads the store, at most a megabyte of it.
RegistryDocument readRegistryStore(const std::filesystem::path& file, bool* found);

// Replaces the store durably (platform/system/durable_file.h); empty when done,
// otherwise why not.
std::string writeRegistryStore(const std::filesystem::path& file, const RegistryDocument& document);

}  // namespace platform

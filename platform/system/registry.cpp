#include "platform/system/registry.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <system_error>

#include "platform/base/text.h"
#include "platform/system/durable_file.h"
#include "platform/system/regular_file.h"

namespace platform {

struct RegistryKey {
    std::u16string path;  // full path, beginning with the root's name
    std::optional<std::filesystem::path> file;
    RegistryDocument document;
    bool changed = false;
    bool damaged = false;
    bool unreadable = false;  // something is there that cannot be read
};

namespace {

constexpr std::u16string_view kLocalMachineName = u"HKEY_LOCAL_MACHINE";

// Only the root's address is used, never its members: it names the store,
// which is read from its file when a key under it is opened.
RegistryKey localMachine;

bool isRoot(HKEY key) {
    return key == &localMachine;
}

std::u16string joinPath(HKEY root, const WCHAR* subKey) {
    (void)root;  // the one root there is
    std::u16string path(kLocalMachineName);
    if (subKey != nullptr && *subKey != 0) {
        path += u'\\';
        path += subKey;
    }
    return path;
}

LONG openKey(HKEY root, const WCHAR* subKey, bool create, HKEY* result, DWORD* disposition) {
    if (result == nullptr || root == nullptr || !isRoot(root)) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    auto key = std::make_unique<RegistryKey>();
    key->path = joinPath(root, subKey);
    key->file = registryStorePath();
    bool found = false;
    if (key->file) {
        key->document = readRegistryStore(*key->file, &found);
        key->damaged = key->document.damagedLines > 0;
        std::error_code error;
        key->unreadable = !found && std::filesystem::exists(*key->file, error);
    }
    const bool exists = key->document.find(key->path) != nullptr;
    if (!exists && !create) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!key->file && create) {
        return ERROR_ACCESS_DENIED;
    }
    if (!exists) {
        key->document.findOrAdd(key->path);
        key->changed = true;
    }
    if (disposition != nullptr) {
        *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *result = key.release();
    return ERROR_SUCCESS;
}

// A copy of a damaged store beside it, read back to be sure it is whole;
// empty when made, otherwise why not.
std::string keepDamagedCopy(const std::filesystem::path& file) {
    const auto original = readRegularFile(file, kLargestSettingsFile + 1);
    if (!original || original->size() > kLargestSettingsFile) {
        return original ? "it is too large to copy" : "it cannot be read";
    }
    std::filesystem::path copy = file;
    copy += ".damaged";
    const std::string_view bytes(reinterpret_cast<const char*>(original->data()), original->size());
    if (std::string why = replaceFileDurably(copy, bytes); !why.empty()) {
        return why;
    }
    const auto back = readRegularFile(copy, original->size() + 1);
    return back == original ? std::string() : "the copy " + copy.string() + " does not read back whole";
}

// Writes a changed key's store; empty when done, otherwise why not. A store
// that cannot be read, or is damaged and cannot be copied aside, is left as
// it is and nothing is written over it.
std::string saveStore(const RegistryKey& key) {
    const std::string name = key.file->string();
    if (key.unreadable) {
        return name + " cannot be read, so it is left as it is";
    }
    if (key.damaged) {
        if (std::string why = keepDamagedCopy(*key.file); !why.empty()) {
            return name + " is damaged and no copy of it could be kept (" + why + "), so it is left as it is";
        }
    }
    return writeRegistryStore(*key.file, key.document);
}

}  // namespace

std::optional<std::filesystem::path> registryStorePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config != nullptr && *config == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        folder = std::filesystem::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    return folder / "vellumar" / "registry.reg";
}

RegistryDocument readRegistryStore(const std::filesystem::path& file, bool* found) {
    const auto bytes = readRegularFile(file, kLargestSettingsFile);
    *found = bytes.has_value();
    if (!bytes) {
        return {};
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    RegistryDocument document = parseRegistryText(text);
    if (text.size() == kLargestSettingsFile) {
        ++document.damagedLines;  // too large to be ours: keep what was read, keep the file
    }
    return document;
}

std::string writeRegistryStore(const std::filesystem::path& file, const RegistryDocument& document) {
    return replaceFileDurably(file, formatRegistryText(document));
}

}  // namespace platform

const HKEY HKEY_LOCAL_MACHINE = &platform::localMachine;

LONG RegOpenKeyEx(HKEY root, const WCHAR* subKey, DWORD, REGSAM, HKEY* result) {
    return platform::openKey(root, subKey, false, result, nullptr);
}

LONG RegCreateKeyEx(HKEY root, const WCHAR* subKey, DWORD, REGSAM, HKEY* result, DWORD* disposition) {
    return platform::openKey(root, subKey, true, result, disposition);
}

LONG RegQueryValueEx(HKEY key, const WCHAR* name, DWORD* type, BYTE* data, DWORD* size) {
    if (key == nullptr || platform::isRoot(key) || size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const platform::RegistrySection* section = key->document.find(key->path);
    const platform::RegistryValue* value = section ? section->find(name ? name : u"") : nullptr;
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    const DWORD needed = static_cast<DWORD>(value->data.size());
    if (type != nullptr) {
        *type = value->type;
    }
    if (data != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr) {
        std::copy(value->data.begin(), value->data.end(), data);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const WCHAR* name, DWORD type, const BYTE* data, DWORD size) {
    if (key == nullptr || platform::isRoot(key) || (data == nullptr && size != 0)) {
        return ERROR_INVALID_PARAMETER;
    }
    platform::RegistryValue value{name ? name : u"", type, std::vector<BYTE>(data, data + size)};
    key->document.findOrAdd(key->path).set(std::move(value));
    key->changed = true;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (key == nullptr || platform::isRoot(key)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::unique_ptr<platform::RegistryKey> owned(key);
    if (!owned->changed || !owned->file) {
        return ERROR_SUCCESS;
    }
    if (const std::string why = platform::saveStore(*owned); !why.empty()) {
        std::fprintf(stderr, "vellumar: the settings were not saved: %s\n", why.c_str());
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

#include "platform/registry.h"

#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "platform/regular_file.h"
#include "platform/text.h"

namespace platform {

struct RegistryKey {
    std::u16string path;  // full path, beginning with the root's name
    std::optional<std::filesystem::path> file;
    RegistryDocument document;
    bool changed = false;
    bool damaged = false;
};

namespace {

constexpr std::u16string_view kLocalMachineName = u"HKEY_LOCAL_MACHINE";

// Only the root's address is used, never its members: the settings are read
// during static initialisation, possibly before this object's own.
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

bool writeRegistryStore(const std::filesystem::path& file, const RegistryDocument& document) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const std::filesystem::path temporary =
        file.parent_path() / (file.filename().string() + ".tmp-" + std::to_string(::getpid()));
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        const std::string text = formatRegistryText(document);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
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
    if (owned->damaged) {
        std::error_code error;
        std::filesystem::path keep = *owned->file;
        keep += ".damaged";
        std::filesystem::copy_file(*owned->file, keep, std::filesystem::copy_options::overwrite_existing,
                                   error);
    }
    return platform::writeRegistryStore(*owned->file, owned->document) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

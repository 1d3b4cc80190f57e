#include "platform/system/files.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "platform/base/backend.h"
#include "platform/base/text.h"
#include "platform/system/regular_file.h"

namespace platform {

struct KernelObject {
    virtual ~KernelObject() = default;
};

namespace {

struct FoundEntry {
    std::u16string name;
    DWORD attributes = 0;
    std::uintmax_t size = 0;
};

struct FindSearch final : KernelObject {
    std::vector<FoundEntry> entries;
    std::size_t next = 0;
};

void fill(const FoundEntry& entry, WIN32_FIND_DATA* data) {
    data->dwFileAttributes = entry.attributes;
    data->nFileSizeHigh = static_cast<DWORD>(entry.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(entry.size & 0xFFFFFFFFu);
    copyToBuffer(data->cFileName, MAX_PATH, entry.name);
}

}  // namespace

bool matchesPattern(std::u16string_view name, std::u16string_view pattern) {
    // Iterative wildcard match with one backtrack point for the last `*`.
    std::size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || foldCase(pattern[p]) == foldCase(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

std::optional<std::vector<std::byte>> readFileBytes(const WCHAR* path, std::size_t maxBytes) {
    if (path == nullptr) {
        return std::nullopt;
    }
    return readRegularFile(std::filesystem::path(utf16ToUtf8(path)), maxBytes);
}

}  // namespace platform

DWORD GetModuleFileName(HMODULE, WCHAR* buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::u16string path = platform::backend().programPath();
    platform::copyToBuffer(buffer, size, path);
    return static_cast<DWORD>(platform::boundedLength(buffer, size));
}

HANDLE FindFirstFile(const WCHAR* pattern, WIN32_FIND_DATA* data) {
    if (pattern == nullptr || data == nullptr) {
        return INVALID_HANDLE_VALUE;
    }
    const std::u16string_view full(pattern);
    const std::size_t cut = full.rfind(PATH_SEPARATOR);
    const std::u16string folder(cut == std::u16string_view::npos ? u"." : full.substr(0, cut + 1));
    const std::u16string_view namePattern = cut == std::u16string_view::npos ? full : full.substr(cut + 1);

    auto search = std::make_unique<platform::FindSearch>();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(platform::utf16ToUtf8(folder), error)) {
        const std::string bytes = entry.path().filename().string();
        const std::u16string name = platform::utf8ToUtf16(bytes);
        // A name that is not UTF-8 would be listed mangled and could not be opened by it.
        const bool showable = platform::utf16ToUtf8(name) == bytes;
        if (!showable || name.size() >= MAX_PATH || !platform::matchesPattern(name, namePattern)) {
            continue;
        }
        std::error_code ignored;
        const bool directory = entry.is_directory(ignored);
        const std::uintmax_t size = directory ? 0 : entry.file_size(ignored);
        search->entries.push_back(
            {name, directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, ignored ? 0 : size});
    }
    if (search->entries.empty()) {
        return INVALID_HANDLE_VALUE;
    }
    std::ranges::sort(search->entries, {}, &platform::FoundEntry::name);
    platform::fill(search->entries[0], data);
    search->next = 1;
    return search.release();
}

BOOL FindNextFile(HANDLE handle, WIN32_FIND_DATA* data) {
    auto* search = dynamic_cast<platform::FindSearch*>(handle);
    if (search == nullptr || data == nullptr || search->next >= search->entries.size()) {
        return FALSE;
    }
    platform::fill(search->entries[search->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    delete handle;
    return TRUE;
}

#include "app/player_patterns.h"

#include <algorithm>
#include <system_error>

#include "core/settings.h"
#include "pattern/pattern.h"
#include "platform/base/text.h"
#include "platform/pixels/bmp_encoder.h"
#include "platform/system/files.h"
#include "platform/system/user_data.h"
#include "render/thumbnail.h"

namespace {

// The chooser's entries hold 63 characters; the longest suffix is " 9999".
constexpr std::size_t kLongestEntry = 63;
constexpr int kMostNumbered = 9999;
constexpr std::size_t kLongestBase = kLongestEntry - 5;

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Control characters and surrogates that pair with nothing are left out: the
// name must read back as valid UTF-8 and show in a list.
std::u16string printable(std::u16string_view text) {
    std::u16string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            kept += text.substr(i, 2);
            ++i;
        } else if (c >= 0x20 && c != 0x7F && !isHighSurrogate(c) && !isLowSurrogate(c)) {
            kept += c;
        }
    }
    return kept;
}

// The name without its extension (".mza", ".bmp"), folded for comparing.
std::u16string folded(std::u16string_view name) {
    std::u16string f(name);
    std::transform(f.begin(), f.end(), f.begin(), platform::foldCase);
    return f;
}

void addNamesIn(const std::u16string& folder, std::vector<std::u16string>& names) {
    WIN32_FIND_DATA found;
    const HANDLE search = FindFirstFile((folder + u"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::u16string file = folded(found.cFileName);
        if (file.ends_with(u".mza") || file.ends_with(u".bmp")) {
            names.push_back(file.substr(0, file.size() - 4));
        }
    } while (FindNextFile(search, &found));
    FindClose(search);
}

std::string asText(std::span<const std::byte> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::optional<std::filesystem::path> playerPatternFolder() {
    const auto data = platform::userDataFolder();
    return data ? std::optional(*data / "patterns") : std::nullopt;
}

std::u16string playerPatternFolderText() {
    const auto folder = playerPatternFolder();
    return folder ? platform::utf8ToUtf16(folder->string()) + PATH_SEPARATOR : std::u16string();
}

std::u16string patternNameFromFile(std::u16string_view path) {
    std::u16string_view name = path.substr(path.find_last_of(PATH_SEPARATOR) + 1);
    if (const std::size_t dot = name.find_last_of(u'.'); dot != std::u16string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    std::u16string kept = printable(name);
    kept.erase(0, std::min(kept.find_first_not_of(u". "), kept.size()));
    if (kept.size() > kLongestBase) {
        kept.resize(isLowSurrogate(kept[kLongestBase]) ? kLongestBase - 1 : kLongestBase);
    }
    kept.erase(std::min(kept.find_last_not_of(u' ') + 1, kept.size()));
    return kept.empty() ? u"Picture" : kept;
}

std::u16string uniquePatternName(const std::u16string& base, const std::vector<std::u16string>& folders) {
    std::vector<std::u16string> taken;
    for (const std::u16string& folder : folders) {
        addNamesIn(folder, taken);
    }
    std::u16string name = base;
    for (int n = 2; n <= kMostNumbered && std::ranges::find(taken, folded(name)) != taken.end(); ++n) {
        name = base + u" " + platform::utf8ToUtf16(std::to_string(n));
    }
    return name;
}

std::vector<std::byte> thumbnailFileFor(std::span<const std::byte> pattern) {
    // Drawn as the tool draws the bundled thumbnails: the default colours,
    // whatever the player's scheme.
    Settings defaults{Settings::DefaultsOnly{}};
    Pattern loaded(defaults);
    loadPatternFromBytes(loaded, pattern);
    const ThumbnailSize size = thumbnailSize(loaded, kThumbnailBoxWidth, kThumbnailBoxHeight);
    if (!loaded.loadError.empty() || size.width < 1) {
        return {};
    }
    return platform::encodeBmp24(renderThumbnail(loaded, size.width, size.height));
}

bool savePlayerPattern(const std::filesystem::path& folder, const std::u16string& name,
                       std::span<const std::byte> pattern, std::span<const std::byte> thumbnail) {
    const std::string base = platform::utf16ToUtf8(name);
    const std::filesystem::path patternFile = folder / (base + ".mza");
    if (!platform::replaceFileContents(patternFile, asText(pattern))) {
        return false;
    }
    if (!platform::replaceFileContents(folder / (base + ".bmp"), asText(thumbnail))) {
        std::error_code ignored;
        std::filesystem::remove(patternFile, ignored);
        return false;
    }
    return true;
}

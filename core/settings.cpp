#include "core/settings.h"

#include <bit>
#include <string>
#include <string_view>

#include "platform/base/text.h"
#include "platform/controls/message_box.h"
#include "platform/system/files.h"
#include "platform/system/process.h"
#include "platform/system/registry.h"

static_assert(std::endian::native == std::endian::little, "stored values are little-endian");

namespace {

constexpr std::uint32_t kDefaultColorScheme = 0;
constexpr std::uint32_t kDefaultLevel = 1;
constexpr auto kDefaultPaintingMode = static_cast<std::uint32_t>(PaintingMode::Normal);

std::u16string_view textOf(const WCHAR (&buffer)[MAX_PATH]) {
    return {buffer, platform::boundedLength(buffer, MAX_PATH)};
}

void queryInto(HKEY key, const WCHAR* name, void* field, DWORD size) {
    RegQueryValueEx(key, name, nullptr, static_cast<BYTE*>(field), &size);
}

void setText(HKEY key, const WCHAR* name, const WCHAR (&text)[MAX_PATH]) {
    const DWORD bytes = static_cast<DWORD>((textOf(text).size() + 1) * sizeof(WCHAR));
    RegSetValueEx(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

void setNumber(HKEY key, const WCHAR* name, const std::uint32_t& value) {
    RegSetValueEx(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool holdsDefaultPattern(const std::u16string& folder) {
    WIN32_FIND_DATA found;
    const HANDLE search = FindFirstFile((folder + kDefaultPatternFile).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

// Where the patterns lie: beside the program, as on the handheld, or, for a
// program installed under a prefix (in its bin/ or games/), in that prefix's
// share/vellumar/. The program's own folder comes first.
std::u16string patternFolderFor(std::u16string_view programFolder) {
    const std::u16string beside(programFolder);
    if (beside.empty() || holdsDefaultPattern(beside)) {
        return beside;
    }
    const std::size_t parentEnd = beside.rfind(PATH_SEPARATOR, beside.size() - 2);
    if (parentEnd == std::u16string::npos) {
        return beside;
    }
    const std::u16string shared =
        beside.substr(0, parentEnd + 1) + u"share" + PATH_SEPARATOR + u"vellumar" + PATH_SEPARATOR;
    return holdsDefaultPattern(shared) ? shared : beside;
}

}  // namespace

Settings::Settings() {
    WCHAR programPath[MAX_PATH] = {};
    GetModuleFileName(nullptr, programPath, MAX_PATH);
    const std::u16string_view path = textOf(programPath);
    const std::size_t separator = path.rfind(PATH_SEPARATOR);
    platform::copyToBuffer(
        programFolder, MAX_PATH,
        patternFolderFor(separator == std::u16string_view::npos ? u"" : path.substr(0, separator + 1)));

    const std::u16string candidate = std::u16string(textOf(programFolder)) + kDefaultPatternFile;
    WIN32_FIND_DATA found;
    const HANDLE search = FindFirstFile(candidate.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        MessageBox(nullptr, u"No Patterns found..can not continue", u"Warning", MB_OK);
        ExitProcess(0);
    }
    FindClose(search);
    const std::u16string_view name = textOf(found.cFileName);
    platform::copyToBuffer(CurrentPattern, MAX_PATH,
                           std::u16string(textOf(programFolder)) + std::u16string(name));
    platform::copyToBuffer(CurrentPatternShort, MAX_PATH, name.substr(0, name.size() - 4));

    resetToDefaults();
    load();
}

Settings::Settings(DefaultsOnly) {
    resetToDefaults();
}

void Settings::load() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, 0, &key) != ERROR_SUCCESS) {
        return;
    }
    queryInto(key, u"CurrentPattern", CurrentPattern, sizeof CurrentPattern);
    queryInto(key, u"CurrentPatternShort", CurrentPatternShort, sizeof CurrentPatternShort);
    queryInto(key, u"Level", &Level, sizeof Level);
    queryInto(key, u"ColorScheme", &ColorScheme, sizeof ColorScheme);
    queryInto(key, u"PaintingMode", &PaintingMode, sizeof PaintingMode);
    queryInto(key, u"Sound", &Sound, sizeof Sound);
    queryInto(key, u"Clock", &Clock, sizeof Clock);
    queryInto(key, u"KeepProgress", &KeepProgress, sizeof KeepProgress);
    RegCloseKey(key);

    // A stored text may lack its terminator; the buffers always keep one.
    CurrentPattern[MAX_PATH - 1] = 0;
    CurrentPatternShort[MAX_PATH - 1] = 0;
    // The game never stores values out of range; a store edited by hand may.
    if (ColorScheme > 3) {
        ColorScheme = kDefaultColorScheme;
    }
    if (Level > 2) {
        Level = kDefaultLevel;
    }
    if (PaintingMode >= kPaintingModeCount) {
        PaintingMode = kDefaultPaintingMode;
    }
    Sound = Sound != 0 ? 1 : 0;
    Clock = Clock != 0 ? 1 : 0;
    KeepProgress = KeepProgress != 0 ? 1 : 0;
}

void Settings::save() const {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSettingsKey, 0, 0, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    setText(key, u"CurrentPattern", CurrentPattern);
    setText(key, u"CurrentPatternShort", CurrentPatternShort);
    setNumber(key, u"Level", Level);
    setNumber(key, u"ColorScheme", ColorScheme);
    setNumber(key, u"PaintingMode", PaintingMode);
    setNumber(key, u"Sound", Sound);
    setNumber(key, u"Clock", Clock);
    setNumber(key, u"KeepProgress", KeepProgress);
    RegCloseKey(key);
}

void Settings::resetToDefaults() {
    ColorScheme = kDefaultColorScheme;
    Level = kDefaultLevel;
    PaintingMode = kDefaultPaintingMode;
    Sound = 1;
    Clock = 1;
    clearGameFlags();
}

void Settings::clearGameFlags() {
    clockStarted = 0;
    paused = 0;
}

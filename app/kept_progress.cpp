#include "app/kept_progress.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "app/app_state.h"
#include "app/control_states.h"
#include "app/picture_progress.h"
#include "pattern/pattern_file.h"
#include "platform/system/files.h"
#include "platform/system/user_data.h"
#include "platform/windows/timers.h"

namespace {

// A record is a few hundred bytes per thousand pieces; anything larger is not ours.
constexpr std::size_t kLargestRecord = 256 * 1024;

bool keeping() {
    return appState.settings.KeepProgress != 0;
}

std::optional<std::filesystem::path> recordPath() {
    const std::optional<std::filesystem::path> folder = platform::userDataFolder();
    if (!folder || !appState.pictureKey) {
        return std::nullopt;
    }
    return *folder / "progress" / progressFileName(*appState.pictureKey);
}

std::optional<std::string> readRecord(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(kLargestRecord + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// A record that cannot be used is kept aside for whoever wants to look, and
// the picture starts afresh.
void keepAside(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::path aside = file;
    aside += ".damaged";
    std::filesystem::rename(file, aside, error);
}

void applyLevelAndClock(const PictureProgress& progress) {
    appState.settings.Level = progress.level;
    const std::int32_t allowance = allowanceFor(appState.pattern->pieceTotal, progress.level);
    appState.clock.setAllowance(allowance);
    appState.clock.elapsedBefore = std::min(progress.elapsedSeconds, allowance);
    appState.clock.update();
    // A picture whose time ran out stays timed out: no paint tap starts its clock again.
    if (progress.elapsedSeconds >= allowance) {
        appState.settings.clockStarted = 1;
    }
}

}  // namespace

void restoreKeptProgress() {
    appState.pictureKey.reset();
    appState.keptProgressText.clear();
    if (!keeping() || !appState.pattern || !appState.pattern->loadError.empty()) {
        return;
    }
    const auto bytes = platform::readFileBytes(appState.settings.CurrentPattern, kLargestPatternFile);
    if (!bytes) {
        return;
    }
    appState.pictureKey = pictureKeyOf(*bytes);
    SetTimer(appState.mainWindow, kProgressTimerId, kProgressSaveMilliseconds, nullptr);
    const std::optional<std::filesystem::path> file = recordPath();
    const std::optional<std::string> text = file ? readRecord(*file) : std::nullopt;
    if (!text) {
        return;
    }
    const std::optional<PictureProgress> progress = parseProgress(*text);
    if (!progress || !fitsPattern(*progress, *appState.pictureKey, *appState.pattern)) {
        keepAside(*file);
        return;
    }
    applyProgress(*progress, *appState.pattern);
    applyLevelAndClock(*progress);
    appState.keptProgressText = *text;
    updateControlStates();  // the level is fixed once the picture has time on its clock
}

void saveKeptProgress() {
    if (!keeping() || !appState.pattern || !appState.pictureKey) {
        return;
    }
    if (!isHalfPainted(*appState.pattern)) {
        forgetKeptProgress();
        return;
    }
    const std::string text = formatProgress(captureProgress(
        *appState.pattern, *appState.pictureKey, appState.settings.Level, appState.clock.elapsedSeconds()));
    const std::optional<std::filesystem::path> file = recordPath();
    if (text != appState.keptProgressText && file && platform::replaceFileContents(*file, text)) {
        appState.keptProgressText = text;
    }
}

void forgetKeptProgress() {
    if (!keeping()) {
        return;
    }
    if (const std::optional<std::filesystem::path> file = recordPath()) {
        std::error_code error;
        std::filesystem::remove(*file, error);
    }
    appState.keptProgressText.clear();
}

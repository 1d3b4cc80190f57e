#include "app/window_title.h"

#include "app/app_state.h"
#include "platform/base/text.h"
#include "platform/windows/window.h"

std::u16string pictureTitle(std::u16string_view name, bool finished, std::optional<std::int32_t> seconds,
                            std::int32_t misses) {
    std::u16string title(name);
    if (!finished) {
        return title;
    }
    std::string tail = ": finished after the clock ran out, ";
    if (seconds) {
        const std::int32_t rest = *seconds % 60;
        tail = ": finished in " + std::to_string(*seconds / 60) + ":" + (rest < 10 ? "0" : "") +
               std::to_string(rest) + ", ";
    }
    tail += misses == 0 ? "no misses" : std::to_string(misses) + (misses == 1 ? " miss" : " misses");
    return title + platform::utf8ToUtf16(tail);
}

void showPictureTitle(bool finished) {
    const Pattern* pattern = appState.pattern.get();
    const std::u16string_view name(appState.settings.CurrentPatternShort,
                                   platform::boundedLength(appState.settings.CurrentPatternShort, MAX_PATH));
    const bool ranOut = appState.clock.remainingSeconds() == 0;
    const std::u16string title =
        pictureTitle(name, finished, ranOut ? std::nullopt : std::optional(appState.clock.elapsedSeconds()),
                     pattern != nullptr ? pattern->missCount : 0);
    SetWindowText(appState.mainWindow, title.c_str());
}

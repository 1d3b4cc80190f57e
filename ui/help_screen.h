// The help screen: a full-screen chart of the game's controls, portrait or
// landscape to match the main window's arrangement; any tap closes it.
#pragma once

#include <cstdint>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "resources/vellumar_ids.h"

struct HelpContext {
    HINSTANCE instance = nullptr;
    const std::uint8_t* isPortrait = nullptr;  // read at every paint: a turn of the screen changes the chart
    HBRUSH background = nullptr;
};

inline constexpr int kHelpDialog = IDD_HELP;
inline constexpr int kPortraitChart = IDB_HELP_CHART_PORTRAIT;
inline constexpr int kLandscapeChart = IDB_HELP_CHART_LANDSCAPE;

// Runs the help modally, owned by `owner`. The game goes on underneath.
void runHelpScreen(HWND owner, const HelpContext& context);

BOOL helpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The game's one record of global state: windows, graphics objects, board
// rectangles, the view, the scroll bars' records, the current pattern, the
// settings and the play clock. Every part of the shell reads and writes it
// directly, on the user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/picture_progress.h"
#include "core/settings.h"
#include "core/window_colour.h"
#include "pattern/pattern.h"
#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/controls/scroll_bar.h"
#include "render/countdown_timer.h"
#include "ui/screen_layout.h"

struct AppState {
    // Built first and second, before anything else of the game exists.
    Settings settings;
    CountdownTimer clock;

    SCROLLINFO vertScrollInfo{};
    SCROLLINFO horzScrollInfo{};
    BoardRectangle boardRect;
    BoardRectangle boardRectWithBars;
    BoardRectangle boardRectFull;
    HWND mainWindow = nullptr;
    HFONT largeFont = nullptr;
    HFONT smallFont = nullptr;
    HBITMAP boardBuffer = nullptr;
    HBITMAP clockFaceBitmap = nullptr;
    HPEN whiteThickPen = nullptr;
    HPEN blackThickPen = nullptr;
    HPEN whitePen = nullptr;
    HPEN blackPen = nullptr;
    HBRUSH blueBrush = nullptr;
    HBRUSH whiteBrush = nullptr;
    HBRUSH blackBrush = nullptr;
    HBRUSH grayBrush = nullptr;
    HBRUSH shadeBrush = nullptr;
    HBRUSH lightBrush = nullptr;
    HBRUSH backgroundBrush = nullptr;
    std::int32_t savedCentreX = 0;
    std::int32_t savedCentreY = 0;
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
    float savedZoom = 1.0f;
    float zoom = 1.0f;
    TapTool tapMode = TapTool::Zoom;
    RECT clockRect{};
    HINSTANCE instance = nullptr;
    std::unique_ptr<Pattern> pattern;
    std::uint8_t chooserOpen = 0;
    std::uint8_t isPortrait = 1;
    HWND chooserWindow = nullptr;
    std::array<BYTE, 12> shellActivateInfo{};
    // The current picture's file, while its progress is kept, and the record
    // last written for it.
    std::optional<PictureKey> pictureKey;
    std::string keptProgressText;
};

// The one record. Its storage is static, but nothing of it is built before
// `main` asks for it with constructAppState.
extern AppState& appState;

// Builds the record afresh (settings first, then the clock), dropping the one
// there was: the game does this once; tests do it for each fresh start.
void constructAppState();
void destroyAppState();
bool appStateExists();

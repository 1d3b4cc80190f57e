// The pattern chooser: a full-screen modal dialog listing the patterns beside
// the program and the player's own, one entry per thumbnail, in one sorted
// list, with the selected one's thumbnail. Open writes the chosen pattern's
// path (in its own folder) and name into the settings. A player's pattern
// named like a bundled one is not listed: the bundled one keeps the name.
#pragma once

#include <string>

#include "platform/base/handles.h"
#include "platform/base/messages.h"
#include "platform/base/types.h"
#include "resources/vellumar_ids.h"

class Settings;

inline constexpr int kChooserDialog = IDD_CHOOSER;
inline constexpr int IDC_PATTERN_LIST = 1002;
inline constexpr int IDC_THUMBNAIL = 1069;

struct ChooserContext {
    HINSTANCE instance = nullptr;
    Settings* settings = nullptr;
    HBRUSH background = nullptr;
    HWND* chooserWindow = nullptr;  // set while the dialog initialises
    std::u16string playerFolder;    // the player's own patterns, ending in a separator; empty for none
};

// Runs the chooser modally, owned by `owner`; answers IDOK (1) when closed by
// Open, IDCANCEL (2) when cancelled.
int runPatternChooser(HWND owner, const ChooserContext& context);

BOOL chooserDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The three controls' places for a client area of W x H.
struct ChooserBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
struct ChooserLayout {
    ChooserBox list;
    ChooserBox thumbnail;
    ChooserBox open;
};
ChooserLayout chooserLayoutFor(int width, int height);

// Places the controls for the chooser's current client size.
void layoutChooser();

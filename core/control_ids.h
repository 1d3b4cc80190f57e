// The identifiers of the main window's child controls and of its one
// keyboard command. The faces, the layout and the shell all name controls by
// these numbers, so this header is shared by every game layer.
#pragma once

inline constexpr int IDC_BANNER = 1001;
inline constexpr int IDC_ZOOM_IN = 1003;
inline constexpr int IDC_ZOOM_OUT = 1004;
inline constexpr int IDC_SOUND = 1005;
inline constexpr int IDC_TIMER = 1006;
inline constexpr int IDC_RESTART = 1007;
inline constexpr int IDC_PAUSE = 1008;
inline constexpr int IDC_COMPLETE = 1009;
inline constexpr int IDC_HELP = 1010;
inline constexpr int IDC_LEVEL_0 = 1011;
inline constexpr int IDC_LEVEL_1 = 1012;
inline constexpr int IDC_LEVEL_2 = 1013;
inline constexpr int IDC_STATUS = 1014;
inline constexpr int IDC_PALETTE_FIRST = 1020;  // palette button i is IDC_PALETTE_FIRST + i
inline constexpr int IDC_PALETTE_LAST = 1051;
inline constexpr int IDC_PATTERN_NAME = 1060;
inline constexpr int IDC_RESET = 1061;
inline constexpr int IDC_CLOSE = 1062;
inline constexpr int IDC_OPEN = 1063;
inline constexpr int IDC_COLOR_SCHEME = 1064;
inline constexpr int IDC_PAINTING_MODE = 1065;
inline constexpr int IDC_HSCROLL = 1066;
inline constexpr int IDC_VSCROLL = 1067;

inline constexpr int kPaletteButtons = 32;

// Ctrl+Q: closes the game.
inline constexpr int IDM_OK = 40000;

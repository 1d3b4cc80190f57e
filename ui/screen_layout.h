// Where every control of the main window goes for a client area of W x H
// pixels: a portrait arrangement when H >= W, a landscape one otherwise.
// Every length is a fixed fraction of W or H, computed in double precision
// with the additions in a fixed order and truncated only when a control is
// placed; those rules decide single pixels.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/base/types.h"
#include "resources/vellumar_ids.h"

// left, top, width, height
struct BoardRectangle {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const BoardRectangle&, const BoardRectangle&) = default;
};

struct ControlPlacement {
    int id = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct ScreenLayout {
    std::uint8_t isPortrait = 0;
    BoardRectangle boardRectFull;
    BoardRectangle boardRectWithBars;
    BoardRectangle boardRect;                  // the full board, until the scroll bars appear
    RECT clockRect;                            // left, top, right, bottom
    std::vector<ControlPlacement> placements;  // all 53 controls

    const ControlPlacement* find(int id) const;
};

// Width and height of the normal face of each toolbar button, Zoom In
// (1003) to Help (1010); the portrait toolbar keeps each button's aspect.
struct BitmapSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};
using ToolbarBitmapSizes = std::array<BitmapSize, 8>;

// The toolbar bitmaps' own sizes: the faces of the toolbar, left to right.
inline constexpr ToolbarBitmapSizes kToolbarBitmapSizes = {
    {{19, 28}, {19, 28}, {25, 28}, {19, 28}, {19, 28}, {13, 28}, {19, 28}, {10, 28}}};

// Bitmap resource numbers of the toolbar faces, in button order 1003 ... 1010.
inline constexpr std::array<int, 8> kToolbarBitmaps = {IDB_ZOOM_IN,     IDB_ZOOM_OUT, IDB_SOUND_ON,
                                                       IDB_CLOCK_SHOWN, IDB_RESTART,  IDB_PAUSED,
                                                       IDB_COMPLETE,    IDB_HELP};

ScreenLayout computeLayout(std::int32_t width, std::int32_t height, const ToolbarBitmapSizes& toolbarBitmaps);

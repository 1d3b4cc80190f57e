// One loaded pattern during one game: the palette with a brush, a pen and a
// brightness per colour, the pieces with their outlines in pattern units, the
// counters of play and the view transform.
//
// Pattern units: the picture is centred on (0, 0), its longer side measures
// 16000 units, and y grows downwards on the screen.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "pattern/pattern_heap.h"
#include "pattern/view_state.h"
#include "platform/base/types.h"
#include "platform/drawing/gdi_objects.h"

class Settings;

inline constexpr int kMaxColours = 256;
inline constexpr int kMaxContoursPerPiece = 1000;
inline constexpr int kMaxGatheredPoints = 45000;  // per piece, before duplicates go
inline constexpr std::int64_t kMaxPatternPoints = 8'000'000;
inline constexpr COLORREF kOutlineColour = RGB(150, 150, 150);

struct Piece {
    std::span<POINT> points;  // contour 0, then contour 1, ...
    std::span<std::int32_t> contourSizes;
    std::int32_t totalPoints = 0;
    std::int32_t contourCount = 0;
    std::int32_t boundsMinX = 0;  // bounding box of contour 0, inclusive
    std::int32_t boundsMinY = 0;
    std::int32_t boundsMaxX = 0;
    std::int32_t boundsMaxY = 0;
    std::int32_t paintedColour = 0;
    std::int32_t colour = 0;  // its number is colour + 1
    std::int32_t labelX = 0;
    std::int32_t labelY = 0;
    std::int32_t painted = 0;
};

class Pattern {
  public:
    explicit Pattern(Settings& settings);
    ~Pattern();
    Pattern(const Pattern&) = delete;
    Pattern& operator=(const Pattern&) = delete;

    Settings& settings;
    ViewTransform viewTransform;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    float extentWidth = 0.0f;
    float extentHeight = 0.0f;
    float originX = 0.0f;
    float originY = 0.0f;
    float minX = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
    float maxY = 0.0f;
    std::int32_t coordinateRange = 0;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    std::int16_t pieceCount = 0;
    std::int32_t pieceTotal = 0;
    std::int32_t piecesLeft = 0;
    std::int32_t coloursLeft = 0;
    std::int32_t missCount = 0;
    std::uint8_t polylineFlag = 0;
    std::uint8_t rectilinearFlag = 0;
    std::unique_ptr<PatternHeap> heap;
    std::array<std::array<BYTE, 3>, kMaxColours> colourRGB{};
    std::array<COLORREF, kMaxColours> colourRef{};
    std::array<std::int32_t, kMaxColours> piecesLeftPerColour{};
    std::int32_t colourCount = 0;
    std::int32_t selectedColour = -1;
    std::array<HBRUSH, kMaxColours> colourBrush{};
    std::array<HPEN, kMaxColours> colourPen{};
    std::array<std::int32_t, kMaxColours> colourLuma{};
    HPEN outlinePen = nullptr;
    std::span<Piece> pieces;
    std::span<POINT> screenPoints;  // scratch for one piece's outline in pixels

    // Why the last load left the pattern empty; empty when it loaded.
    std::string loadError;
};

// Reads the pattern file at `path` into a freshly constructed pattern. A file
// that cannot be opened, or that is malformed, leaves the pattern empty and
// says why in `loadError`.
void loadPattern(Pattern& pattern, const WCHAR* path);

// The same from the file's bytes, already read.
void loadPatternFromBytes(Pattern& pattern, std::span<const std::byte> bytes);

// Brightness as the palette judges it: (blue x 0.11 + red x 0.3) + green x 0.5
// in single precision, truncated. White gives 232.
std::int32_t colourLumaOf(BYTE red, BYTE green, BYTE blue);

// Sets the bounding box from contour 0; an empty contour keeps the box
// inverted (1000000 ... -1000000), so the piece is never visible.
void computeBounds(Piece& piece);

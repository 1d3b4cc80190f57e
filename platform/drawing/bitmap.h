// Bitmaps: a 32-bit surface behind a handle, selected into a memory device
// context to be drawn into or copied from.
//
// A bitmap may also hold the same picture drawn at 2, 3 or 4 times its size,
// so that art stretched onto a large screen stays sharp. It always reports and
// is addressed in its 1x size; StretchBlt from it samples the smallest variant
// that is at least as large as the destination (see chooseVariant). Drawing
// into a bitmap changes its 1x surface only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"

namespace platform {

struct BitmapObject {
    Surface surface;
    std::array<Surface, 3> variants;  // 2x, 3x, 4x; empty where there is none
    DeviceContext* selectedInto = nullptr;
    bool stock = false;
};

// A bitmap holding `surface`. Delete it with DeleteObject.
HBITMAP createBitmap(Surface surface);

// A bitmap from the bytes of a BMP file (or resource); nullptr when they are not one.
HBITMAP loadBitmap(std::span<const std::byte> bmpFile);

// Adds the picture at `scale` (2, 3 or 4) times the bitmap's size. Refused
// (false) when the scale or the surface's size does not fit.
bool addBitmapVariant(HBITMAP bitmap, int scale, Surface surface);

// The surface a stretch of the 1x block sourceWidth x sourceHeight onto
// width x height pixels samples, and its scale: the smallest variant at least
// as large as the destination in both directions, else the largest there is.
const Surface& chooseVariant(const BitmapObject& bitmap, std::int64_t sourceWidth, std::int64_t sourceHeight,
                             std::int64_t width, std::int64_t height, int& scale);

// The 1x pixels, for tests and tools that read or write them directly.
Surface& bitmapSurface(HBITMAP bitmap);

// A width x height bitmap with every pixel `fill`, written once; nullptr for
// negative or absurd sizes.
HBITMAP createFilledBitmap(int width, int height, Pixel fill);

// What a new memory device context holds: a 1 x 1 bitmap shared by all.
HBITMAP defaultBitmap();

}  // namespace platform

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
};

// Fills `out` with the bitmap's 1x size (32 bits a pixel) and answers the
// number of bytes written, or 0 when there is no bitmap or `size` is too small.
int GetObject(HBITMAP bitmap, int size, BITMAP* out);

// A width x height bitmap, black. The device context only stands for the
// screen: every bitmap has 32-bit pixels. nullptr for negative or absurd sizes.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

// Loads a BMP file; nullptr when it cannot be read or is not a BMP.
HBITMAP SHLoadDIBitmap(const WCHAR* path);

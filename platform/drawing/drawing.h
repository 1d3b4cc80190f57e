// The drawing calls, and the exact pixels they cover.
//
// A pixel is named by its top-left corner: pixel (x, y) covers x <= X < x + 1,
// y <= Y < y + 1, and a shape covers it when the shape holds the sampling
// point, which is the integer point (x, y) for fills, lines and polygons and
// the pixel's centre (x + 1/2, y + 1/2) for ellipses.
//
// - FillRect and the inside of Rectangle cover left <= x < right, top <= y < bottom.
//   A box with right <= left or bottom <= top covers nothing.
// - A line covers its start pixel and not its end pixel. Along its longer
//   axis it has one pixel per step; across it the exact line is rounded to
//   the nearest pixel, halves towards the larger coordinate (so a line and
//   its reverse cover the same pixels apart from their ends).
// - Polyline draws a line from each point to the next; the last point itself
//   is not drawn.
// - Polygon fills by the alternate (even-odd) rule: a pixel is inside when a
//   ray from it crosses the outline an odd number of times. A pixel whose
//   point lies exactly on a left or top edge is inside, on a right or bottom
//   edge outside. The polygon closes itself; a last point equal to the first
//   adds nothing. Its outline is then drawn as a closed polyline, so it passes
//   through every vertex and covers the right and bottom edges the fill leaves.
// - Pens of width 0 and 1 draw one pixel. A wider pen of width w spreads each
//   line pixel across the line over w pixels (offsets -w/2 ... w - 1 - w/2,
//   so -1, 0, 1 for width 3), draws the end pixel too, and puts a w x w
//   square on every vertex so that corners close.
// - Rectangle fills its box with the brush, then draws the outline through
//   (left, top), (right - 1, top), (right - 1, bottom - 1), (left, bottom - 1)
//   with the pen: a one-pixel pen lies on the box's outermost pixels, a
//   three-pixel pen one pixel outside them and one inside.
// - Ellipse fills the ellipse inscribed in its box (sampled at pixel centres,
//   so a 2 x 2 box gives a 2 x 2 dot) with the brush, then draws its edge with
//   the pen: a one-pixel pen covers the inside pixels that have a neighbour
//   (left, right, above or below) outside.
// - The null brush (GetStockObject(NULL_BRUSH)) fills nothing; the null pen
//   (GetStockObject(NULL_PEN)) draws no line.
// - BitBlt copies pixel for pixel. StretchBlt gives destination pixel (i, j)
//   of its block the source pixel under that pixel's centre:
//   source x = xSrc + floor((2i + 1) * wSrc / (2 * wDest)), likewise y.
//   Only SRCCOPY is supported; sizes that are not positive draw nothing
//   (no mirroring). Pixels whose source lies outside the source are kept.
// - Everything is clipped to the destination's surface (and a surface
//   context's clip); coordinates far outside it cost nothing.
#pragma once

#include "platform/base/handles.h"
#include "platform/base/types.h"

inline constexpr DWORD SRCCOPY = 0x00CC0020;

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Polygon(HDC hdc, const POINT* points, int count);
BOOL Polyline(HDC hdc, const POINT* points, int count);

namespace platform {
// A width x height bitmap already painted with `brush`: the pixels of
// CreateCompatibleBitmap and a FillRect of the whole, each written once.
HBITMAP createBitmapFilledWith(int width, int height, HBRUSH brush);

// Limits what the drawing calls on `hdc` change to `rect`, in its
// coordinates (within any clip it has already), until called again; nullptr
// lifts the limit. Copies from the context still read all of it.
void limitDrawingTo(HDC hdc, const RECT* rect);
}  // namespace platform

BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
// From a bitmap with larger variants (platform/drawing/bitmap.h), the block is read
// from the smallest variant that is at least as large as the destination.
BOOL StretchBlt(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);

// Draws a picture from vector shapes, supersampled: the shapes are filled
// with the platform's rasteriser on a surface eight times finer than the
// output in each direction, which is then averaged down. Coordinates are in
// pixels of the picture's 1x size, so one description serves every scale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "platform/base/types.h"
#include "platform/pixels/surface.h"

namespace art {

using platform::Pixel;
using platform::Surface;

constexpr Pixel rgb(int r, int g, int b) {
    return (static_cast<Pixel>(r) << 16) | (static_cast<Pixel>(g) << 8) | static_cast<Pixel>(b);
}

struct Pt {
    double x = 0.0;
    double y = 0.0;
};

// A point at `degrees` on the circle (cx, cy, r); angles grow clockwise on
// the screen, 0 pointing right and 90 down.
Pt onCircle(double cx, double cy, double r, double degrees);

enum class Cap { butt, square, round };

// A picture with its coverage: what icons need, being drawn on no background.
struct Coverage {
    Surface pixels;
    std::vector<std::uint8_t> alpha;
};

class Painter {
  public:
    // Samples per output pixel in each direction.
    static constexpr int kSupersample = 8;

    // A picture of width x height pixels at 1x, drawn at `scale` times that size.
    Painter(int width, int height, int scale);

    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }

    // Later shapes are moved by (dx, dy).
    void moveBy(double dx, double dy) {
        offsetX_ += dx;
        offsetY_ += dy;
    }

    void fill(Pixel colour);
    void rect(double left, double top, double right, double bottom, Pixel colour);
    // A band `thickness` wide along the inside of the box.
    void frame(double left, double top, double right, double bottom, double thickness, Pixel colour);
    void roundRect(double left, double top, double right, double bottom, double radius, Pixel colour);
    // Alternate (even-odd) rule, so a second loop in the same list cuts a hole.
    void polygon(std::span<const Pt> points, Pixel colour);
    void polygon(std::initializer_list<Pt> points, Pixel colour) { polygon(std::span(points), colour); }
    void ellipse(double cx, double cy, double rx, double ry, Pixel colour);
    void disc(double cx, double cy, double r, Pixel colour) { ellipse(cx, cy, r, r, colour); }
    void ring(double cx, double cy, double outer, double inner, Pixel colour);
    // A stroke `width` wide along the polyline; joints are rounded unless
    // the cap is square, which also squares the corners.
    void stroke(std::span<const Pt> points, double width, Pixel colour, Cap cap = Cap::round);
    void stroke(std::initializer_list<Pt> points, double width, Pixel colour, Cap cap = Cap::round) {
        stroke(std::span(points), width, colour, cap);
    }
    // A stroke along the arc of (cx, cy, r) from one angle to another (see onCircle).
    void arc(double cx, double cy, double r, double from, double to, double width, Pixel colour,
             Cap cap = Cap::round);
    // One line of text centred in the box, in the host's face for `face`.
    void text(std::u16string_view text, const char16_t* face, int weight, double height, double left,
              double top, double right, double bottom, Pixel colour);

    // The picture at its scale: each pixel the mean of its samples.
    Surface finish() const;
    // The same where the picture was begun with fill(kTransparent): pixels
    // the shapes left uncovered become transparent.
    Coverage finishWithCoverage() const;

    // A colour no picture uses, standing for "nothing drawn here".
    static constexpr Pixel kTransparent = rgb(254, 1, 254);

  private:
    std::int64_t sx(double x) const;
    std::int64_t sy(double y) const;
    void fillSampled(const std::vector<POINT>& points, Pixel colour);

    int width_;
    int height_;
    int scale_;
    int unit_;  // samples per 1x pixel
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
    Surface samples_;
};

}  // namespace art

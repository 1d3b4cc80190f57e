#include "tools/vellumar-art/painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "platform/drawing/device_context.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/text_renderer.h"
#include "platform/pixels/rasterizer.h"

namespace art {

Pt onCircle(double cx, double cy, double r, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {cx + r * std::cos(a), cy + r * std::sin(a)};
}

namespace {

// Points along an arc, close enough together that the polygon through them
// strays less than a sample from the circle at any scale we draw.
std::vector<Pt> arcPoints(double cx, double cy, double r, double from, double to) {
    const int steps = std::max(8, static_cast<int>(std::abs(to - from) / 4.0));
    std::vector<Pt> out;
    out.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        out.push_back(onCircle(cx, cy, r, from + (to - from) * i / steps));
    }
    return out;
}

}  // namespace

Painter::Painter(int width, int height, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      unit_(scale * kSupersample),
      samples_(width * unit_, height * unit_) {}

std::int64_t Painter::sx(double x) const {
    return std::llround((x + offsetX_) * unit_);
}
std::int64_t Painter::sy(double y) const {
    return std::llround((y + offsetY_) * unit_);
}

void Painter::fill(Pixel colour) {
    std::ranges::fill(samples_.pixels(), colour);
}

void Painter::rect(double left, double top, double right, double bottom, Pixel colour) {
    platform::fillBox(platform::wholeSurface(samples_), sx(left), sy(top), sx(right), sy(bottom), colour);
}

void Painter::frame(double left, double top, double right, double bottom, double t, Pixel colour) {
    rect(left, top, right, top + t, colour);
    rect(left, bottom - t, right, bottom, colour);
    rect(left, top + t, left + t, bottom - t, colour);
    rect(right - t, top + t, right, bottom - t, colour);
}

void Painter::roundRect(double left, double top, double right, double bottom, double radius, Pixel colour) {
    std::vector<Pt> points;
    const auto corner = [&](double cx, double cy, double from) {
        for (const Pt& p : arcPoints(cx, cy, radius, from, from + 90.0)) {
            points.push_back(p);
        }
    };
    corner(right - radius, top + radius, 270.0);
    corner(right - radius, bottom - radius, 0.0);
    corner(left + radius, bottom - radius, 90.0);
    corner(left + radius, top + radius, 180.0);
    polygon(points, colour);
}

void Painter::fillSampled(const std::vector<POINT>& points, Pixel colour) {
    platform::fillPolygon(platform::wholeSurface(samples_), points.data(), static_cast<int>(points.size()),
                          colour);
}

void Painter::polygon(std::span<const Pt> points, Pixel colour) {
    std::vector<POINT> sampled;
    sampled.reserve(points.size());
    for (const Pt& p : points) {
        sampled.push_back({static_cast<LONG>(sx(p.x)), static_cast<LONG>(sy(p.y))});
    }
    fillSampled(sampled, colour);
}

void Painter::ellipse(double cx, double cy, double rx, double ry, Pixel colour) {
    platform::drawEllipse(platform::wholeSurface(samples_), sx(cx - rx), sy(cy - ry), sx(cx + rx),
                          sy(cy + ry), &colour, nullptr, 0);
}

void Painter::ring(double cx, double cy, double outer, double inner, Pixel colour) {
    // Both circles in one even-odd polygon: the inner one cuts the hole, and
    // the seam between them is crossed twice, which cancels.
    std::vector<Pt> points = arcPoints(cx, cy, outer, 0.0, 360.0);
    for (const Pt& p : arcPoints(cx, cy, inner, 360.0, 0.0)) {
        points.push_back(p);
    }
    polygon(points, colour);
}

void Painter::stroke(std::span<const Pt> points, double width, Pixel colour, Cap cap) {
    const double half = width / 2.0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Pt a = points[i];
        Pt b = points[i + 1];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0.0) {
            continue;
        }
        const double ux = (b.x - a.x) / length;
        const double uy = (b.y - a.y) / length;
        if (cap == Cap::square) {
            a = {a.x - ux * half, a.y - uy * half};
            b = {b.x + ux * half, b.y + uy * half};
        }
        const double nx = -uy * half;
        const double ny = ux * half;
        polygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}},
                colour);
    }
    if (cap == Cap::round) {
        for (const Pt& p : points) {
            disc(p.x, p.y, half, colour);
        }
    } else if (cap == Cap::butt) {
        // Inner joints still need closing; round them.
        for (std::size_t i = 1; i + 1 < points.size(); ++i) {
            disc(points[i].x, points[i].y, half, colour);
        }
    }
}

void Painter::arc(double cx, double cy, double r, double from, double to, double width, Pixel colour,
                  Cap cap) {
    // The band between two arcs, in one polygon, so it has no seams.
    const std::vector<Pt> outer = arcPoints(cx, cy, r + width / 2.0, from, to);
    const std::vector<Pt> inner = arcPoints(cx, cy, r - width / 2.0, from, to);
    std::vector<Pt> band(outer);
    band.insert(band.end(), inner.rbegin(), inner.rend());
    polygon(band, colour);
    if (cap == Cap::round) {
        const Pt start = onCircle(cx, cy, r, from);
        const Pt end = onCircle(cx, cy, r, to);
        disc(start.x, start.y, width / 2.0, colour);
        disc(end.x, end.y, width / 2.0, colour);
    }
}

void Painter::text(std::u16string_view text, const char16_t* face, int weight, double height, double left,
                   double top, double right, double bottom, Pixel colour) {
    const platform::OwnedFont font(
        CreateFont(-static_cast<int>(std::lround(height * unit_)), weight, face, ANTIALIASED_QUALITY));
    HDC dc = platform::createSurfaceDC(samples_);
    const HFONT previous = SelectObject(dc, font.get());
    SetTextColor(dc, platform::colourFromPixel(colour));
    SetBkMode(dc, TRANSPARENT);
    RECT box{static_cast<LONG>(sx(left)), static_cast<LONG>(sy(top)), static_cast<LONG>(sx(right)),
             static_cast<LONG>(sy(bottom))};
    const std::u16string line(text);
    DrawText(dc, line.c_str(), static_cast<int>(line.size()), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

Surface Painter::finish() const {
    return finishWithCoverage().pixels;
}

Coverage Painter::finishWithCoverage() const {
    const int outW = width_ * scale_;
    const int outH = height_ * scale_;
    constexpr int n = kSupersample * kSupersample;
    Coverage out{Surface(outW, outH), std::vector<std::uint8_t>(static_cast<std::size_t>(outW) * outH)};
    for (int y = 0; y < outH; ++y) {
        for (int x = 0; x < outW; ++x) {
            int r = 0, g = 0, b = 0, covered = 0;
            for (int j = 0; j < kSupersample; ++j) {
                const Pixel* row = samples_.row(y * kSupersample + j) + x * kSupersample;
                for (int i = 0; i < kSupersample; ++i) {
                    const Pixel p = row[i];
                    if (p == kTransparent) {
                        continue;
                    }
                    r += static_cast<int>((p >> 16) & 0xFF);
                    g += static_cast<int>((p >> 8) & 0xFF);
                    b += static_cast<int>(p & 0xFF);
                    ++covered;
                }
            }
            const std::size_t at = static_cast<std::size_t>(y) * outW + x;
            out.alpha[at] = static_cast<std::uint8_t>((covered * 255 + n / 2) / n);
            if (covered > 0) {
                const int h = covered / 2;
                out.pixels.pixels()[at] = rgb((r + h) / covered, (g + h) / covered, (b + h) / covered);
            }
        }
    }
    return out;
}

}  // namespace art

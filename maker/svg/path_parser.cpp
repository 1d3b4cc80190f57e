#include "maker/svg/path_parser.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>

#include "maker/svg/number_scanner.h"

namespace svg {

namespace {

double angleBetween(double ux, double uy, double vx, double vy) {
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

class PathReader {
  public:
    explicit PathReader(std::string_view d) : in_(d) {}

    std::vector<Subpath> read() {
        char command = 0;
        while (!in_.atEnd()) {
            const char c = in_.peek();
            if (std::isalpha(static_cast<unsigned char>(c))) {
                command = c;
                in_.advance();
            } else if (command == 0) {
                break;  // numbers before any command
            } else if (command == 'M' || command == 'm') {
                command = command == 'M' ? 'L' : 'l';  // pairs after a move are lines
            }
            if (!step(command)) {
                break;
            }
            if (command == 'Z' || command == 'z') {
                command = 0;  // a number right after Z is an error
            }
        }
        finishSubpath();
        return std::move(subpaths_);
    }

  private:
    std::optional<PointD> pointArgument(bool relative) {
        const auto x = in_.number();
        const auto y = x ? in_.number() : std::nullopt;
        if (!y) {
            return std::nullopt;
        }
        return relative ? PointD{current_.x + *x, current_.y + *y} : PointD{*x, *y};
    }

    void finishSubpath() {
        if (!open_.segments.empty()) {
            subpaths_.push_back(std::move(open_));
        }
        open_ = {};
    }

    void lineTo(PointD p) {
        open_.segments.push_back(lineSegment(current_, p));
        current_ = p;
    }

    void cubicTo(PointD c1, PointD c2, PointD p) {
        open_.segments.push_back({current_, c1, c2, p, false});
        lastCubicControl_ = c2;
        current_ = p;
    }

    void quadTo(PointD q, PointD p) {
        const PointD c1{current_.x + 2.0 / 3.0 * (q.x - current_.x),
                        current_.y + 2.0 / 3.0 * (q.y - current_.y)};
        const PointD c2{p.x + 2.0 / 3.0 * (q.x - p.x), p.y + 2.0 / 3.0 * (q.y - p.y)};
        open_.segments.push_back({current_, c1, c2, p, false});
        lastQuadControl_ = q;
        current_ = p;
    }

    static PointD reflect(PointD control, PointD about) {
        return {2 * about.x - control.x, 2 * about.y - control.y};
    }

    // One command's arguments; false on an error.
    bool step(char command) {
        const bool rel = std::islower(static_cast<unsigned char>(command)) != 0;
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
        const char previous = previousCommand_;
        previousCommand_ = upper;
        switch (upper) {
            case 'M':
                return move(rel);
            case 'L':
                return line(rel);
            case 'H':
                return horizontal(rel);
            case 'V':
                return vertical(rel);
            case 'C':
                return cubic(rel);
            case 'S':
                return smoothCubic(rel, previous == 'C' || previous == 'S');
            case 'Q':
                return quadratic(rel);
            case 'T':
                return smoothQuadratic(rel, previous == 'Q' || previous == 'T');
            case 'A':
                return arc(rel);
            case 'Z':
                return close();
            default:
                return false;
        }
    }

    bool move(bool rel) {
        const auto p = pointArgument(rel);
        if (!p) {
            return false;
        }
        finishSubpath();
        current_ = start_ = *p;
        return true;
    }

    bool line(bool rel) {
        const auto p = pointArgument(rel);
        return p && (lineTo(*p), true);
    }

    bool horizontal(bool rel) {
        const auto x = in_.number();
        return x && (lineTo({rel ? current_.x + *x : *x, current_.y}), true);
    }

    bool vertical(bool rel) {
        const auto y = in_.number();
        return y && (lineTo({current_.x, rel ? current_.y + *y : *y}), true);
    }

    bool cubic(bool rel) {
        const auto c1 = pointArgument(rel);
        const auto c2 = c1 ? pointArgument(rel) : std::nullopt;
        const auto p = c2 ? pointArgument(rel) : std::nullopt;
        return p && (cubicTo(*c1, *c2, *p), true);
    }

    // The first control point mirrors the last cubic's second, when a cubic came just before.
    bool smoothCubic(bool rel, bool afterCubic) {
        const PointD c1 = afterCubic ? reflect(lastCubicControl_, current_) : current_;
        const auto c2 = pointArgument(rel);
        const auto p = c2 ? pointArgument(rel) : std::nullopt;
        return p && (cubicTo(c1, *c2, *p), true);
    }

    bool quadratic(bool rel) {
        const auto q = pointArgument(rel);
        const auto p = q ? pointArgument(rel) : std::nullopt;
        return p && (quadTo(*q, *p), true);
    }

    bool smoothQuadratic(bool rel, bool afterQuadratic) {
        const PointD q = afterQuadratic ? reflect(lastQuadControl_, current_) : current_;
        const auto p = pointArgument(rel);
        return p && (quadTo(q, *p), true);
    }

    bool arc(bool rel) {
        const auto rx = in_.number();
        const auto ry = rx ? in_.number() : std::nullopt;
        const auto rotation = ry ? in_.number() : std::nullopt;
        const auto large = rotation ? in_.flag() : std::nullopt;
        const auto sweep = large ? in_.flag() : std::nullopt;
        const auto p = sweep ? pointArgument(rel) : std::nullopt;
        if (!p) {
            return false;
        }
        appendArc(open_.segments, current_, *rx, *ry, *rotation, *large, *sweep, *p);
        current_ = *p;
        return true;
    }

    bool close() {
        if (current_.x != start_.x || current_.y != start_.y) {
            lineTo(start_);
        }
        finishSubpath();
        current_ = start_;
        return true;
    }

    NumberScanner in_;
    std::vector<Subpath> subpaths_;
    Subpath open_;
    PointD current_, start_, lastCubicControl_, lastQuadControl_;
    char previousCommand_ = 0;
};

}  // namespace

void appendArc(std::vector<Segment>& out, PointD from, double rx, double ry, double rotation, bool largeArc,
               bool sweep, PointD to) {
    if (from.x == to.x && from.y == to.y) {
        return;
    }
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        out.push_back(lineSegment(from, to));
        return;
    }
    const double phi = rotation * std::numbers::pi / 180.0;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double hx = (from.x - to.x) / 2, hy = (from.y - to.y) / 2;
    const double x1 = cosPhi * hx + sinPhi * hy, y1 = -sinPhi * hx + cosPhi * hy;
    const double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    const double root = std::sqrt(std::max(0.0, numerator / denominator)) * (largeArc == sweep ? -1.0 : 1.0);
    const double cxp = root * rx * y1 / ry, cyp = -root * ry * x1 / rx;
    const double cx = cosPhi * cxp - sinPhi * cyp + (from.x + to.x) / 2;
    const double cy = sinPhi * cxp + cosPhi * cyp + (from.y + to.y) / 2;
    const double theta = angleBetween(1, 0, (x1 - cxp) / rx, (y1 - cyp) / ry);
    double delta = angleBetween((x1 - cxp) / rx, (y1 - cyp) / ry, (-x1 - cxp) / rx, (-y1 - cyp) / ry);
    if (!sweep && delta > 0) {
        delta -= 2 * std::numbers::pi;
    } else if (sweep && delta < 0) {
        delta += 2 * std::numbers::pi;
    }
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::fabs(delta) / (std::numbers::pi / 2) - 1e-9)));
    const double step = delta / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    const auto onEllipse = [&](double ux, double uy) {
        return PointD{cx + cosPhi * rx * ux - sinPhi * ry * uy, cy + sinPhi * rx * ux + cosPhi * ry * uy};
    };
    PointD start = from;
    for (int i = 0; i < pieces; ++i) {
        const double a1 = theta + i * step, a2 = a1 + step;
        const double c1 = std::cos(a1), s1 = std::sin(a1), c2 = std::cos(a2), s2 = std::sin(a2);
        const PointD end = i == pieces - 1 ? to : onEllipse(c2, s2);
        out.push_back(
            {start, onEllipse(c1 - k * s1, s1 + k * c1), onEllipse(c2 + k * s2, s2 - k * c2), end, false});
        start = end;
    }
}

std::vector<Subpath> parsePathData(std::string_view d) {
    return PathReader(d).read();
}

}  // namespace svg

#include "maker/outline/curve_fit.h"

#include <algorithm>
#include <cmath>

namespace {

PointD operator+(PointD a, PointD b) {
    return {a.x + b.x, a.y + b.y};
}
PointD operator-(PointD a, PointD b) {
    return {a.x - b.x, a.y - b.y};
}
PointD operator*(PointD a, double s) {
    return {a.x * s, a.y * s};
}
double dot(PointD a, PointD b) {
    return a.x * b.x + a.y * b.y;
}
double length(PointD a) {
    return std::hypot(a.x, a.y);
}
PointD unit(PointD a) {
    const double l = length(a);
    return l > 0 ? a * (1.0 / l) : PointD{};
}

constexpr int kTangentReach =
    3;  // points looked ahead for a tangent: a staircase's next step is axis-aligned
constexpr int kReparameterisations = 4;

struct Cubic {
    PointD p[4];
    PointD at(double t) const {
        const double s = 1 - t;
        return p[0] * (s * s * s) + p[1] * (3 * s * s * t) + p[2] * (3 * s * t * t) + p[3] * (t * t * t);
    }
    PointD derivative(double t) const {
        const double s = 1 - t;
        return (p[1] - p[0]) * (3 * s * s) + (p[2] - p[1]) * (6 * s * t) + (p[3] - p[2]) * (3 * t * t);
    }
    PointD secondDerivative(double t) const {
        return (p[2] - p[1] * 2 + p[0]) * (6 * (1 - t)) + (p[3] - p[2] * 2 + p[1]) * (6 * t);
    }
};

class Fitter {
  public:
    Fitter(const std::vector<PointD>& points, double tolerance, const FitBounds& bounds)
        : d_(points), squaredTolerance_(tolerance * tolerance), bounds_(bounds) {}

    void fit(int first, int last, PointD t1, PointD t2) {
        const int count = last - first + 1;
        const double chord = length(d_[last] - d_[first]);
        if (count <= 2) {
            emit({{d_[first], d_[first] + t1 * (chord / 3), d_[last] + t2 * (chord / 3), d_[last]}});
            return;
        }
        std::vector<double> u = chordLengths(first, last);
        Cubic curve = leastSquares(first, last, u, t1, t2);
        int split = 0;
        double error = maxError(first, last, curve, u, split);
        if (fits(curve, error)) {
            emit(curve);
            return;
        }
        if (error <= 16 * squaredTolerance_) {
            for (int i = 0; i < kReparameterisations; ++i) {
                reparameterise(first, curve, u);
                curve = leastSquares(first, last, u, t1, t2);
                error = maxError(first, last, curve, u, split);
                if (fits(curve, error)) {
                    emit(curve);
                    return;
                }
            }
        }
        const PointD centre = centreTangent(first, last, split);
        fit(first, split, t1, centre);
        fit(split, last, centre * -1.0, t2);
    }

    PointD tangentFrom(int at, int towards) const {
        const int step = towards > at ? 1 : -1;
        // On a short run, look no further than its middle: the far end's chord
        // would flatten a small piece's bulge.
        const int reach = std::max(1, std::min(kTangentReach, std::abs(towards - at) / 2));
        for (int k = reach; k >= 1; --k) {
            const PointD t = unit(d_[at + step * k] - d_[at]);
            if (length(t) > 0) {
                return t;
            }
        }
        return {};
    }

    std::vector<CubicSpan> spans;

  private:
    void emit(const Cubic& c) { spans.push_back({c.p[1], c.p[2], c.p[3]}); }

    bool fits(const Cubic& c, double error) const {
        const auto inside = [&](PointD p) {
            return p.x >= bounds_.minX && p.x <= bounds_.maxX && p.y >= bounds_.minY && p.y <= bounds_.maxY;
        };
        return error <= squaredTolerance_ && inside(c.p[1]) && inside(c.p[2]);
    }

    std::vector<double> chordLengths(int first, int last) const {
        std::vector<double> u(static_cast<std::size_t>(last - first + 1), 0.0);
        for (int i = first + 1; i <= last; ++i) {
            u[i - first] = u[i - first - 1] + length(d_[i] - d_[i - 1]);
        }
        const double total = u.back();
        for (double& v : u) {
            v = total > 0 ? v / total : 0.0;
        }
        return u;
    }

    // The inner control points along the end tangents that fit the points best.
    Cubic leastSquares(int first, int last, const std::vector<double>& u, PointD t1, PointD t2) const {
        const PointD p0 = d_[first], p3 = d_[last];
        double c00 = 0, c01 = 0, c11 = 0, x0 = 0, x1 = 0;
        for (int i = first; i <= last; ++i) {
            const double t = u[i - first], s = 1 - t;
            const double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
            const PointD a1 = t1 * b1, a2 = t2 * b2;
            c00 += dot(a1, a1);
            c01 += dot(a1, a2);
            c11 += dot(a2, a2);
            const PointD rest = d_[i] - (p0 * (b0 + b1) + p3 * (b2 + b3));
            x0 += dot(a1, rest);
            x1 += dot(a2, rest);
        }
        const double det = c00 * c11 - c01 * c01;
        double alpha1 = 0, alpha2 = 0;
        if (std::fabs(det) > 1e-12) {
            alpha1 = (x0 * c11 - x1 * c01) / det;
            alpha2 = (c00 * x1 - c01 * x0) / det;
        }
        const double chord = length(p3 - p0);
        const double small = 1e-6 * chord;
        if (alpha1 < small || alpha2 < small || alpha1 > 2 * chord || alpha2 > 2 * chord) {
            alpha1 = alpha2 = chord / 3;  // the fit is unreliable: fall back to the chord's thirds
        }
        return {{p0, p0 + t1 * alpha1, p3 + t2 * alpha2, p3}};
    }

    double maxError(int first, int last, const Cubic& c, const std::vector<double>& u, int& split) const {
        double worst = 0;
        split = (first + last) / 2;
        for (int i = first + 1; i < last; ++i) {
            const PointD miss = c.at(u[i - first]) - d_[i];
            const double e = dot(miss, miss);
            if (e > worst) {
                worst = e;
                split = i;
            }
        }
        return worst;
    }

    // One Newton step per point towards the curve's nearest parameter.
    void reparameterise(int first, const Cubic& c, std::vector<double>& u) const {
        for (std::size_t i = 0; i < u.size(); ++i) {
            const PointD miss = c.at(u[i]) - d_[first + static_cast<int>(i)];
            const PointD d1 = c.derivative(u[i]), d2 = c.secondDerivative(u[i]);
            const double denominator = dot(d1, d1) + dot(miss, d2);
            if (std::fabs(denominator) > 1e-12) {
                u[i] = std::clamp(u[i] - dot(miss, d1) / denominator, 0.0, 1.0);
            }
        }
    }

    PointD centreTangent(int first, int last, int at) const {
        const int reach = std::min({kTangentReach, at - first, last - at});
        const PointD t = unit(d_[at - reach] - d_[at + reach]);
        return length(t) > 0 ? t : unit(d_[at - 1] - d_[at + 1]);
    }

    const std::vector<PointD>& d_;
    double squaredTolerance_;
    FitBounds bounds_;
};

}  // namespace

std::vector<CubicSpan> fitCubicSpans(const std::vector<PointD>& points, double tolerance, PointD startTangent,
                                     PointD endTangent, const FitBounds& bounds) {
    if (points.size() < 2) {
        return {};
    }
    Fitter fitter(points, tolerance, bounds);
    const int last = static_cast<int>(points.size()) - 1;
    const PointD t1 = length(startTangent) > 0 ? startTangent : fitter.tangentFrom(0, last);
    const PointD t2 = length(endTangent) > 0 ? endTangent : fitter.tangentFrom(last, 0);
    fitter.fit(0, last, t1, t2);
    return std::move(fitter.spans);
}

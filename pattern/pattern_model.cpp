#include "pattern/pattern_model.h"

#include <algorithm>
#include <cmath>

int curveStepsFor(PointD p0, PointD p1, PointD p2, PointD p3) {
    const double d = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                              std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const double steps = std::ceil(std::sqrt(0.75 * d / kCurveTolerance));
    if (!(steps >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(steps, static_cast<double>(kMaxCurveSteps)));
}

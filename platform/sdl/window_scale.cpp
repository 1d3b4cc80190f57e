#include "platform/sdl/window_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform {

namespace {

std::int64_t floorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int chooseScale(ScreenSize usable, ScreenSize base) {
    if (base.width <= 0 || base.height <= 0) {
        return kMinimumScale;
    }
    const int byWidth = usable.width * 9 / 10 / base.width;
    const int byHeight = usable.height * 9 / 10 / base.height;
    return std::max(kMinimumScale, std::min(byWidth, byHeight));
}

ScreenSize scaled(ScreenSize base, int scale) {
    return {base.width * scale, base.height * scale};
}

bool isPortrait(ScreenSize screen) {
    return screen.height >= screen.width;
}

ScreenSize turned(ScreenSize current, int scale) {
    return scaled(isPortrait(current) ? kLandscapeBase : kPortraitBase, scale);
}

ScreenSize snapWindowSize(ScreenSize requested) {
    const ScreenSize base = isPortrait(requested) ? kPortraitBase : kLandscapeBase;
    // The k nearest in both sides together: least squares, rounded.
    const double k = (double(requested.width) * base.width + double(requested.height) * base.height) /
                     (double(base.width) * base.width + double(base.height) * base.height);
    return scaled(base, std::max(1, static_cast<int>(std::lround(k))));
}

ScreenSize fittedScreen(ScreenSize drawable, bool portrait) {
    const ScreenSize base = portrait ? kPortraitBase : kLandscapeBase;
    return scaled(base, std::max(1, std::min(drawable.width / base.width, drawable.height / base.height)));
}

POINT screenOrigin(ScreenSize drawable, ScreenSize screen) {
    return {std::max(0, (drawable.width - screen.width) / 2),
            std::max(0, (drawable.height - screen.height) / 2)};
}

POINT windowToScreen(int x, int y, ScreenSize window, ScreenSize screen) {
    if (window.width <= 0 || window.height <= 0) {
        return {x, y};
    }
    const auto sx = floorDivide(std::int64_t{x} * screen.width, window.width);
    const auto sy = floorDivide(std::int64_t{y} * screen.height, window.height);
    return {static_cast<LONG>(sx), static_cast<LONG>(sy)};
}

POINT touchToScreen(float x, float y, ScreenSize screen) {
    // The last pixel takes a touch at exactly 1.
    const auto place = [](float fraction, int size) {
        const auto at = static_cast<LONG>(std::floor(static_cast<double>(fraction) * size));
        return std::clamp<LONG>(at, 0, std::max(0, size - 1));
    };
    return {place(x, screen.width), place(y, screen.height)};
}

int dotsPerInchForScale(int scale) {
    return 96 * scale;
}

}  // namespace platform

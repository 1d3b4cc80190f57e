#include "maker/regions/lab_image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// sRGB (D65) to XYZ relative to the white point, and back.
constexpr double kToXyz[3][3] = {{0.4124564 / 0.95047, 0.3575761 / 0.95047, 0.1804375 / 0.95047},
                                 {0.2126729, 0.7151522, 0.0721750},
                                 {0.0193339 / 1.08883, 0.1191920 / 1.08883, 0.9503041 / 1.08883}};
constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;

double labF(double t) {
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0;
}

// Tables make the conversion a few lookups a pixel: the sRGB curve per
// channel value, and the CIELAB cube root sampled finely enough that linear
// interpolation stays within a thousandth of a unit.
struct LabTables {
    static constexpr int kSteps = 8192;
    std::array<double, 256> linear{};
    std::array<float, kSteps + 2> f{};

    LabTables() {
        for (int c = 0; c < 256; ++c) {
            const double v = c / 255.0;
            linear[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        }
        for (int i = 0; i < kSteps + 2; ++i) {
            f[i] = static_cast<float>(labF(static_cast<double>(i) / kSteps));
        }
    }

    float fOf(double t) const {
        const double scaled = std::clamp(t, 0.0, 1.0) * kSteps;
        const int i = static_cast<int>(scaled);
        const float w = static_cast<float>(scaled - i);
        return f[i] + (f[i + 1] - f[i]) * w;
    }
};

const LabTables& tables() {
    static const LabTables instance;
    return instance;
}

double srgbOfLinear(double v) {
    return v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
}

double fInverse(double f) {
    return f * f * f > kEpsilon ? f * f * f : (116.0 * f - 16.0) / kKappa;
}

}  // namespace

LabImage labImageOf(const Picture& picture) {
    const LabTables& t = tables();
    LabImage image{picture.width, picture.height, std::vector<LabPixel>(picture.pixels.size())};
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t rgb = picture.pixels[i];
        const double r = t.linear[(rgb >> 16) & 0xff], g = t.linear[(rgb >> 8) & 0xff],
                     b = t.linear[rgb & 0xff];
        const float fx = t.fOf(kToXyz[0][0] * r + kToXyz[0][1] * g + kToXyz[0][2] * b);
        const float fy = t.fOf(kToXyz[1][0] * r + kToXyz[1][1] * g + kToXyz[1][2] * b);
        const float fz = t.fOf(kToXyz[2][0] * r + kToXyz[2][1] * g + kToXyz[2][2] * b);
        image.pixels[i] = {116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
    }
    return image;
}

std::uint32_t rgbOfLab(const LabPixel& lab) {
    const double fy = (lab.l + 16.0) / 116.0, fx = fy + lab.a / 500.0, fz = fy - lab.b / 200.0;
    const double x = fInverse(fx) * 0.95047, y = fInverse(fy), z = fInverse(fz) * 1.08883;
    const double linear[3] = {3.2404542 * x - 1.5371385 * y - 0.4985314 * z,
                              -0.9692660 * x + 1.8760108 * y + 0.0415560 * z,
                              0.0556434 * x - 0.2040259 * y + 1.0572252 * z};
    std::uint32_t rgb = 0;
    for (const double v : linear) {
        const double channel = std::round(srgbOfLinear(std::clamp(v, 0.0, 1.0)) * 255.0);
        rgb = (rgb << 8) | static_cast<std::uint32_t>(std::clamp(channel, 0.0, 255.0));
    }
    return rgb;
}

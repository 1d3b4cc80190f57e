// Colours as a person sees them: sRGB (D65 white) into CIELAB, and the
// differences between two colours, CIE76 (plain distance in CIELAB) and
// CIEDE2000 (closer to what the eye tells apart).
#pragma once

#include <cstdint>

struct Lab {
    double l = 0, a = 0, b = 0;
};

Lab labOf(std::uint32_t rgb);  // 0x00RRGGBB
double cie76(const Lab& x, const Lab& y);
double ciede2000(const Lab& x, const Lab& y);

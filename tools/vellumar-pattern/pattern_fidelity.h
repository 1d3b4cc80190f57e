// How close a made pattern comes to the picture it was made from: the board
// drawn finished, as the game paints it, at the picture's own size, and
// compared with it pixel by pixel.
#pragma once

#include "maker/picture.h"

class Pattern;

struct Fidelity {
    double meanCiede2000 = 0;
    double p95Ciede2000 = 0;  // 95 of every 100 pixels differ by no more
    double meanCie76 = 0;
};

// Paints every piece of the pattern (it stays painted).
Fidelity measureFidelity(Pattern& pattern, const Picture& source);

// Measurements of a sound for the tests: its power in narrow frequency
// bands, averaged over time, and the few numbers drawn from it.
#pragma once

#include <cstddef>
#include <vector>

namespace sound_test {

// Power in bins of sampleRate / frameSize Hz from 0 up to the Nyquist
// frequency, averaged over half-overlapping Hann-windowed frames of
// samples[first, last).
struct PowerByFrequency {
    double binWidth = 0.0;
    std::vector<double> power;

    double centroid() const;
    double fractionAbove(double frequency) const;
    double strongestFrequency() const;
};

// The largest magnitude among samples[first, last).
double peakOf(const std::vector<double>& samples, std::size_t first, std::size_t last);

PowerByFrequency powerByFrequency(const std::vector<double>& samples, int sampleRate, std::size_t first,
                                  std::size_t last, std::size_t frameSize = 256);

}  // namespace sound_test

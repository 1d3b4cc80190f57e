#include "tests/tools/vellumar-synth/frequency_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace sound_test {

double PowerByFrequency::centroid() const {
    double weighted = 0.0;
    for (std::size_t k = 0; k < power.size(); ++k) {
        weighted += k * binWidth * power[k];
    }
    const double total = std::accumulate(power.begin(), power.end(), 0.0);
    return total > 0.0 ? weighted / total : 0.0;
}

double PowerByFrequency::fractionAbove(double frequency) const {
    const auto firstAbove =
        power.begin() + std::min(power.size(), static_cast<std::size_t>(frequency / binWidth) + 1);
    const double total = std::accumulate(power.begin(), power.end(), 0.0);
    return total > 0.0 ? std::accumulate(firstAbove, power.end(), 0.0) / total : 0.0;
}

double PowerByFrequency::strongestFrequency() const {
    return static_cast<double>(std::ranges::max_element(power) - power.begin()) * binWidth;
}

PowerByFrequency powerByFrequency(const std::vector<double>& samples, int sampleRate, std::size_t first,
                                  std::size_t last, std::size_t frameSize) {
    const std::size_t bins = frameSize / 2 + 1;
    PowerByFrequency s;
    s.binWidth = static_cast<double>(sampleRate) / frameSize;
    s.power.assign(bins, 0.0);

    std::vector<double> window(frameSize);
    std::vector<double> cosines(frameSize);
    std::vector<double> sines(frameSize);
    for (std::size_t n = 0; n < frameSize; ++n) {
        const double angle = 2.0 * std::numbers::pi * n / frameSize;
        window[n] = 0.5 - 0.5 * std::cos(angle);
        cosines[n] = std::cos(angle);
        sines[n] = std::sin(angle);
    }
    // Plain DFT: the sounds are short and the tests need no speed.
    std::vector<double> frame(frameSize);
    for (std::size_t start = first; start + frameSize <= last; start += frameSize / 2) {
        for (std::size_t n = 0; n < frameSize; ++n) {
            frame[n] = samples[start + n] * window[n];
        }
        for (std::size_t k = 0; k < bins; ++k) {
            double re = 0.0;
            double im = 0.0;
            for (std::size_t n = 0; n < frameSize; ++n) {
                const std::size_t i = (k * n) % frameSize;
                re += frame[n] * cosines[i];
                im -= frame[n] * sines[i];
            }
            s.power[k] += re * re + im * im;
        }
    }
    return s;
}

double peakOf(const std::vector<double>& samples, std::size_t first, std::size_t last) {
    return std::accumulate(samples.begin() + static_cast<std::ptrdiff_t>(first),
                           samples.begin() + static_cast<std::ptrdiff_t>(last), 0.0,
                           [](double peak, double x) { return std::max(peak, std::abs(x)); });
}

}  // namespace sound_test

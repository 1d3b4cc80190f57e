#include "tools/vellumar-synth/dsp.h"

#include <algorithm>
#include <cmath>

namespace synth {

double sineOfCycles(double cycles) {
    // Reduce to -1/2 ... 1/2 of a cycle, fold into -1/4 ... 1/4, then a Taylor
    // series to x^21: the first omitted term is below 1e-17 at x = pi / 2.
    double c = cycles - std::floor(cycles + 0.5);
    if (c > 0.25) {
        c = 0.5 - c;
    } else if (c < -0.25) {
        c = -0.5 - c;
    }
    const double x = 2.0 * kPi * c;
    const double x2 = x * x;
    double sum = 1.0;
    for (int n = 21; n >= 3; n -= 2) {
        sum = 1.0 - sum * x2 / (n * (n - 1));
    }
    return x * sum;
}

double sine(double radians) {
    return sineOfCycles(radians / (2.0 * kPi));
}
double cosine(double radians) {
    return sineOfCycles(radians / (2.0 * kPi) + 0.25);
}

double exponential(double x) {
    // e^x = 2^n e^r with |r| <= ln 2 / 2; ldexp is exact.
    constexpr double kLn2 = 0.69314718055994530942;
    const double n = std::floor(x / kLn2 + 0.5);
    const double r = x - n * kLn2;
    double sum = 1.0;
    for (int k = 16; k >= 1; --k) {
        sum = 1.0 + sum * r / k;
    }
    return std::ldexp(sum, static_cast<int>(n));
}

double logarithm(double x) {
    // x = m 2^e with m in [1/2, 1); ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| <= 1/3.
    constexpr double kLn2 = 0.69314718055994530942;
    int e = 0;
    const double m = std::frexp(x, &e);
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double sum = 0.0;
    for (int k = 41; k >= 1; k -= 2) {
        sum = 1.0 / k + sum * s2;
    }
    return 2.0 * s * sum + e * kLn2;
}

Buffer::Buffer(int rate, double seconds)
    : sampleRate(rate), samples(static_cast<std::size_t>(std::lround(seconds * rate)), 0.0) {}

double fadeIn(double t, double attack) {
    if (t <= 0.0) {
        return 0.0;
    }
    if (t >= attack) {
        return 1.0;
    }
    const double s = sineOfCycles(0.25 * t / attack);
    return s * s;
}

double fadeOut(double t, double end, double release) {
    return fadeIn(end - t, release);
}

double decay(double t, double timeConstant) {
    return exponential(-t / timeConstant);
}

double glide(double from, double to, double progress) {
    return from * exponential(progress * logarithm(to / from));
}

void addTone(Buffer& out, const Tone& tone) {
    const double endFrequency = tone.endFrequency > 0.0 ? tone.endFrequency : tone.frequency;
    const double highest = std::max(tone.frequency, endFrequency) * (1.0 + tone.vibratoDepth);
    const double nyquist = out.sampleRate / 2.0;

    const auto first = static_cast<std::size_t>(std::ceil(tone.start * out.sampleRate));
    double phase = 0.0;  // in cycles of the fundamental, never wrapped, so ratio * phase stays exact
    for (std::size_t i = first; i < out.size(); ++i) {
        const double t = out.time(i) - tone.start;
        if (t > tone.length) {
            break;
        }
        double envelope = fadeIn(t, tone.attack) * fadeOut(t, tone.length, tone.release);
        if (tone.decayTime > 0.0) {
            envelope *= decay(t, tone.decayTime);
        }
        double value = 0.0;
        for (const Partial& p : tone.partials) {
            const double top = p.ratio * highest;
            if (top < kPartialCeiling && top < nyquist) {
                value += p.amplitude * sineOfCycles(p.ratio * phase);
            }
        }
        out[i] += tone.level * envelope * value;

        double frequency = glide(tone.frequency, endFrequency, t / tone.length);
        if (tone.vibratoDepth > 0.0) {
            // The vibrato grows in over the first half second, as a player's would.
            frequency *= 1.0 + tone.vibratoDepth * fadeIn(t, 0.5) * sineOfCycles(tone.vibratoRate * t);
        }
        phase += frequency / out.sampleRate;
    }
}

double Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

Filter::Outputs Filter::process(double in, double cutoff, double q) {
    const double g = sine(kPi * cutoff / sampleRate_) / cosine(kPi * cutoff / sampleRate_);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = in - s2_;
    const double v1 = a1 * s1_ + a2 * v3;
    const double v2 = s2_ + a2 * s1_ + a3 * v3;
    s1_ = 2.0 * v1 - s1_;
    s2_ = 2.0 * v2 - s2_;
    return {v2, v1, in - k * v1 - v2};
}

void lowPass(Buffer& buffer, double cutoff, double q) {
    Filter filter(buffer.sampleRate);
    for (double& s : buffer.samples) {
        s = filter.lowPass(s, cutoff, q);
    }
}

void shapeEdges(Buffer& buffer, double attack, double release) {
    const double end = buffer.duration();
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const double t = buffer.time(i);
        buffer[i] *= fadeIn(t, attack) * fadeOut(t, end, release);
    }
}

void scaleToPeak(Buffer& buffer, double peak) {
    double largest = 0.0;
    for (double s : buffer.samples) {
        largest = std::max(largest, std::abs(s));
    }
    if (largest > 0.0) {
        for (double& s : buffer.samples) {
            s *= peak / largest;
        }
    }
}

}  // namespace synth

// The synthesiser's building blocks: arithmetic that gives the same bits on
// every compiler and C library, a sample buffer, envelopes, tones made of
// partials, a seeded noise source and a state-variable filter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace synth {

inline constexpr double kPi = 3.14159265358979323846;

// The committed sound files must be reproducible byte for byte, so the
// transcendental functions are our own, built from + - * / alone (the C
// library's may differ in the last bit between versions). Accurate to about
// 1e-12, far below one step of a 16-bit sample.
double sineOfCycles(double cycles);  // sin(2 pi cycles)
double sine(double radians);
double cosine(double radians);
double exponential(double x);
double logarithm(double x);  // x > 0

// Mono samples at a fixed rate, nominally within -1 ... 1.
struct Buffer {
    Buffer(int rate, double seconds);

    int sampleRate;
    std::vector<double> samples;

    std::size_t size() const { return samples.size(); }
    double time(std::size_t i) const { return static_cast<double>(i) / sampleRate; }
    double duration() const { return time(size() - 1); }  // time of the last sample
    double& operator[](std::size_t i) { return samples[i]; }
};

// Envelope shapes of local time t. The fades are quarter sine-squared
// curves: they start and end with zero slope, so they never click, and are
// exactly 0 at their silent end.
double fadeIn(double t, double attack);                 // 0 at t = 0, 1 from t = attack
double fadeOut(double t, double end, double release);   // 1 until end - release, 0 at t = end
double decay(double t, double timeConstant);            // e^(-t / timeConstant)
double glide(double from, double to, double progress);  // geometric: even steps in pitch

// Partials above this are left out: at 8 kHz they would alias or sound harsh.
inline constexpr double kPartialCeiling = 3400.0;

struct Partial {
    double ratio;  // times the fundamental
    double amplitude;
};

// A note: partials over one fundamental that may glide, shaped by a soft
// attack, an optional exponential decay, and a release that reaches silence
// exactly at start + length.
struct Tone {
    double start = 0.0;
    double length = 0.0;
    double frequency = 0.0;
    double endFrequency = 0.0;  // 0: no glide
    double level = 1.0;
    std::vector<Partial> partials = {{1.0, 1.0}};
    double attack = 0.01;
    double release = 0.05;
    double decayTime = 0.0;     // 0: no decay
    double vibratoRate = 0.0;   // Hz
    double vibratoDepth = 0.0;  // fraction of the frequency
};

// Mixes `tone` into `out`.
void addTone(Buffer& out, const Tone& tone);

// Uniform white noise in -1 ... 1 from a fixed seed (xorshift32).
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed == 0 ? 1u : seed) {}
    double next();

  private:
    std::uint32_t state_;
};

// Topology-preserving state-variable filter: stable for any cutoff below the
// Nyquist frequency, so the cutoff may move on every sample.
class Filter {
  public:
    explicit Filter(int sampleRate) : sampleRate_(sampleRate) {}
    struct Outputs {
        double low;
        double band;
        double high;
    };
    Outputs process(double in, double cutoff, double q);
    double lowPass(double in, double cutoff, double q = 0.7071) { return process(in, cutoff, q).low; }
    double bandPass(double in, double cutoff, double q) { return process(in, cutoff, q).band; }

  private:
    int sampleRate_;
    double s1_ = 0.0;
    double s2_ = 0.0;
};

// Filters the whole buffer through a low pass.
void lowPass(Buffer& buffer, double cutoff, double q = 0.7071);

// Fades the first `attack` and last `release` seconds so that the first and
// last samples are exact silence, whatever came before.
void shapeEdges(Buffer& buffer, double attack, double release);

// Scales so that the largest magnitude is `peak`.
void scaleToPeak(Buffer& buffer, double peak);

}  // namespace synth

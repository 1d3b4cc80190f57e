// The synthesiser's building blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/system/wave_file.h"
#include "tests/sounds/frequency_analysis.h"
#include "tools/vellumar-synth/dsp.h"
#include "tools/vellumar-synth/wave_writer.h"

namespace {

using namespace synth;

TEST(SynthMath, SineMatchesTheLibraryOverManyCycles) {
    for (double x = -60.0; x <= 60.0; x += 0.0137) {
        ASSERT_NEAR(sine(x), std::sin(x), 1e-11) << x;
        ASSERT_NEAR(cosine(x), std::cos(x), 1e-11) << x;
    }
    EXPECT_EQ(sineOfCycles(0.0), 0.0);
    EXPECT_NEAR(sineOfCycles(0.25), 1.0, 1e-15);
    EXPECT_NEAR(sineOfCycles(-0.25), -1.0, 1e-15);
}

TEST(SynthMath, ExponentialAndLogarithmMatchTheLibrary) {
    for (double x = -40.0; x <= 8.0; x += 0.0113) {
        ASSERT_NEAR(exponential(x) / std::exp(x), 1.0, 1e-13) << x;
    }
    for (double x = 1e-6; x <= 1e5; x *= 1.0371) {
        ASSERT_NEAR(logarithm(x), std::log(x), 1e-12) << x;
    }
}

TEST(SynthEnvelope, FadesStartAndEndAtExactSilenceAndRiseSteadily) {
    EXPECT_EQ(
        (std::array{fadeIn(0.0, 0.01), fadeIn(0.01, 0.01), fadeOut(0.5, 0.5, 0.1), fadeOut(0.3, 0.5, 0.1)}),
        (std::array{0.0, 1.0, 0.0, 1.0}));
    double previous = 0.0;
    for (double t = 0.0005; t <= 0.01; t += 0.0005) {
        const double v = fadeIn(t, 0.01);
        EXPECT_GT(v, previous) << t;
        previous = v;
    }
    EXPECT_NEAR(glide(200, 800, 0.5), 400.0, 1e-9);  // halfway in pitch is the geometric mean
}

TEST(SynthTone, SoundsOnlyWithinItsSpanAndStartsAndEndsSilent) {
    Buffer b(8000, 1.0);
    addTone(b, {.start = 0.25, .length = 0.5, .frequency = 440});
    // At t = 0.25 exactly the attack starts from nothing; at t = 0.75 exactly the release has ended.
    EXPECT_EQ((std::array{sound_test::peakOf(b.samples, 0, 2000), b.samples[2000], b.samples[6000],
                          sound_test::peakOf(b.samples, 6000, 8000)}),
              (std::array{0.0, 0.0, 0.0, 0.0}));
    EXPECT_NEAR(sound_test::peakOf(b.samples, 2000, 6000), 1.0, 0.01);
}

TEST(SynthTone, LeavesOutPartialsAboveTheCeiling) {
    Buffer b(8000, 0.5);
    addTone(b, {.length = 0.499, .frequency = 1000, .partials = {{1, 1.0}, {3, 1.0}, {4, 1.0}}});
    const auto power = sound_test::powerByFrequency(b.samples, 8000, 0, b.size());
    // The third partial (3 kHz) stays; the fourth would be 4 kHz, at the Nyquist frequency.
    EXPECT_GT(power.fractionAbove(2500.0), 0.3);
    EXPECT_LT(power.fractionAbove(3500.0), 1e-4);
}

TEST(SynthTone, GlidesFromItsStartToItsEndFrequency) {
    Buffer b(8000, 1.0);
    addTone(b, {.length = 0.999, .frequency = 1600, .endFrequency = 400, .release = 0.01});
    EXPECT_NEAR(sound_test::powerByFrequency(b.samples, 8000, 0, 256).strongestFrequency(), 1600, 60);
    EXPECT_NEAR(sound_test::powerByFrequency(b.samples, 8000, 7600, 7856).strongestFrequency(), 400, 60);
}

TEST(SynthNoise, IsRepeatableBoundedAndCentred) {
    Noise a(42);
    Noise b(42);
    Noise c(43);
    double sum = 0.0;
    int differing = 0;
    for (int i = 0; i < 100000; ++i) {
        const double x = a.next();
        ASSERT_EQ(x, b.next());
        ASSERT_GE(x, -1.0);
        ASSERT_LT(x, 1.0);
        differing += x != c.next();
        sum += x;
    }
    EXPECT_NEAR(sum / 100000, 0.0, 0.01);
    EXPECT_GT(differing, 99000);
}

double filteredAmplitude(double frequency, double cutoff) {
    Filter filter(8000);
    double peak = 0.0;
    for (int i = 0; i < 8000; ++i) {
        const double out = filter.lowPass(std::sin(2 * kPi * frequency * i / 8000), cutoff);
        if (i >= 4000) {  // once the filter has settled
            peak = std::max(peak, std::abs(out));
        }
    }
    return peak;
}

TEST(SynthFilter, LowPassKeepsTheLowAndCutsTheHigh) {
    EXPECT_NEAR(filteredAmplitude(60, 600), 1.0, 0.02);
    EXPECT_NEAR(filteredAmplitude(600, 600), std::sqrt(0.5), 0.02);  // -3 dB at the cutoff
    EXPECT_LT(filteredAmplitude(3000, 600), 0.05);
}

TEST(SynthFilter, StaysStableWithACutoffNearTheNyquistFrequency) {
    Filter filter(8000);
    Noise noise(7);
    double peak = 0.0;
    for (int i = 0; i < 8000; ++i) {
        peak = std::max(peak, std::abs(filter.bandPass(noise.next(), 3900 - (i % 400), 5.0)));
    }
    EXPECT_LT(peak, 4.0);
}

TEST(SynthWave, WritesWhatTheReaderReadsBackWithinHalfAStep) {
    for (int bits : {8, 16}) {
        Buffer b(11025, 0.01);
        for (std::size_t i = 0; i < b.size(); ++i) {
            b.samples[i] = 0.9 * std::sin(0.3 * static_cast<double>(i));
        }
        b.samples[3] = 1.7;  // beyond full scale: clamped, not wrapped
        b.samples[4] = -1.7;
        std::string fault;
        const auto wave = platform::parseWaveFile(encodeWave(b, bits), &fault);
        ASSERT_TRUE(wave.has_value()) << fault;
        EXPECT_EQ((std::array<DWORD, 3>{wave->sampleRate, wave->bitsPerSample, wave->channels}),
                  (std::array<DWORD, 3>{11025, static_cast<DWORD>(bits), 1}));
        ASSERT_EQ(wave->sampleCount(), b.size());
        const double step = bits == 8 ? 1.0 / 128 : 1.0 / 32768;
        for (std::size_t i = 0; i < b.size(); ++i) {
            const double expected =
                std::clamp(b.samples[i], -1.0, 1.0) * (bits == 8 ? 127.0 / 128 : 32767.0 / 32768);
            ASSERT_NEAR(wave->sample(i), expected, step / 2 + 1e-12) << bits << "-bit sample " << i;
        }
    }
}

TEST(SynthWave, PadsAnOddDataChunkToKeepTheFileEven) {
    const Buffer b(8000, 0.000375);  // three samples
    const std::vector<std::uint8_t> bytes = encodeWave(b, 8);
    EXPECT_EQ(bytes.size() % 2, 0u);
    const auto wave = platform::parseWaveFile(bytes);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->sampleCount(), 3u);
    EXPECT_EQ(wave->data, (std::vector<BYTE>{128, 128, 128}));
}

}  // namespace

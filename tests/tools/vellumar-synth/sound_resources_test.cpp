// The committed sound resources: each has the format the game expects, is
// neither clipped nor silent, starts and ends quietly, stays out of the
// harsh top of an 8 kHz channel, and is exactly what the synthesiser makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <numeric>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/system/wave_file.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct ExpectedSound {
    const char* name;
    DWORD sampleRate;
    WORD bitsPerSample;
    double shortest;  // seconds
    double longest;
};

// The game's sounds. Where the length is fixed it may be off by 5%.
constexpr ExpectedSound kSounds[] = {
    {"IDR_PALETTE", 22050, 8, 0.32 * 0.95, 0.32 * 1.05},
    {"IDR_ERASE", 8000, 16, 0.93 * 0.95, 0.93 * 1.05},
    {"IDR_FINISH", 8000, 16, 2.5 * 0.95, 2.5 * 1.05},
    {"IDR_TIMEDOUT", 8000, 16, 2.96 * 0.95, 2.96 * 1.05},
    {"IDR_FILL", 8000, 16, 0.15, 0.25},
    {"IDR_FINISHCOLOR", 8000, 16, 0.5, 0.8},
    {"IDR_ERROR", 8000, 16, 0.3, 0.4},
};

// The share of the power above `frequency`, the power taken in bins of
// rate / 256 Hz over half-overlapping Hann-windowed frames (a plain DFT: the
// sounds are short).
double powerShareAbove(const std::vector<double>& samples, int rate, double frequency) {
    constexpr std::size_t kFrame = 256;
    std::vector<double> power(kFrame / 2 + 1, 0.0);
    const auto turn = [](std::size_t n) {
        return 2.0 * std::numbers::pi * static_cast<double>(n % kFrame) / kFrame;
    };
    for (std::size_t start = 0; start + kFrame <= samples.size(); start += kFrame / 2) {
        for (std::size_t k = 0; k < power.size(); ++k) {
            double re = 0.0;
            double im = 0.0;
            for (std::size_t n = 0; n < kFrame; ++n) {
                const double x = samples[start + n] * (0.5 - 0.5 * std::cos(turn(n)));
                re += x * std::cos(turn(k * n));
                im -= x * std::sin(turn(k * n));
            }
            power[k] += re * re + im * im;
        }
    }
    const auto above = power.begin() + static_cast<std::ptrdiff_t>(frequency * kFrame / rate) + 1;
    return std::accumulate(above, power.end(), 0.0) / std::accumulate(power.begin(), power.end(), 0.0);
}

// The largest magnitude among samples[first, last).
double peakOf(const std::vector<double>& samples, std::size_t first, std::size_t last) {
    return std::accumulate(samples.begin() + static_cast<std::ptrdiff_t>(first),
                           samples.begin() + static_cast<std::ptrdiff_t>(last), 0.0,
                           [](double peak, double x) { return std::max(peak, std::abs(x)); });
}

std::vector<BYTE> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path committedFile(const std::string& name) {
    return fs::path(VELLUMAR_SOUNDS_FOLDER) / (name + ".wav");
}

std::vector<double> samplesOf(const platform::WaveFile& wave) {
    std::vector<double> out(wave.sampleCount());
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = wave.sample(i);
    }
    return out;
}

double rmsOf(const std::vector<double>& s) {
    return std::sqrt(std::inner_product(s.begin(), s.end(), s.begin(), 0.0) / static_cast<double>(s.size()));
}

// Mono PCM at the expected rate, width and length; audible but far from
// clipping; starting and ending in silence without a click; its energy below
// the harsh top of an 8 kHz channel.
TEST(SoundResource, EachHasTheFormatLevelsEdgesAndBandTheGameExpects) {
    for (const ExpectedSound& expected : kSounds) {
        SCOPED_TRACE(expected.name);
        std::string fault;
        const auto wave = platform::parseWaveFile(readBytes(committedFile(expected.name)), &fault);
        ASSERT_TRUE(wave.has_value()) << fault;
        const std::vector<double> samples = samplesOf(*wave);
        ASSERT_FALSE(samples.empty());
        EXPECT_EQ(std::tuple(wave->format, wave->channels, wave->sampleRate, wave->bitsPerSample),
                  std::tuple(WAVE_FORMAT_PCM, WORD{1}, expected.sampleRate, expected.bitsPerSample));
        EXPECT_GE(wave->seconds(), expected.shortest);
        EXPECT_LE(wave->seconds(), expected.longest);

        const double peak = peakOf(samples, 0, samples.size());
        EXPECT_LE(peak, 0.8) << "too close to full scale";
        EXPECT_GE(peak, 0.25) << "too quiet beside the other sounds";
        EXPECT_GE(rmsOf(samples), 0.02) << "hardly more than silence";

        // One step of an 8-bit sample; a 16-bit silence is far below it.
        constexpr double kSilence = 1.0 / 128;
        EXPECT_LE(std::abs(samples.front()), kSilence);
        EXPECT_LE(std::abs(samples.back()), kSilence);
        // A sound that jumped in or was cut off would be near its full level
        // within half a millisecond of either end.
        const auto edge = static_cast<std::size_t>(wave->sampleRate / 2000);
        EXPECT_LE(peakOf(samples, 0, edge), 0.5 * peak) << "abrupt start";
        EXPECT_LE(peakOf(samples, samples.size() - edge, samples.size()), 0.05 * peak) << "abrupt end";
        EXPECT_LE(powerShareAbove(samples, static_cast<int>(wave->sampleRate), 3500.0), 0.01);
    }
}

// The synthesiser, run afresh into a scratch folder, makes exactly the seven
// committed files, so they never drift from their source.
TEST(Synthesiser, ReproducesEveryCommittedFileByteForByteAndNoOther) {
    const TempFolder folder;
    const std::string command = std::string("\"") + VELLUMAR_SYNTH + "\" \"" + folder.path().string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto wavesIn = [](const fs::path& place) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(place)) {
            if (entry.path().extension() == ".wav") {
                names.insert(entry.path().stem().string());
            }
        }
        return names;
    };
    std::set<std::string> expected;
    for (const ExpectedSound& sound : kSounds) {
        expected.insert(sound.name);
        const std::vector<BYTE> made = readBytes(folder / (std::string(sound.name) + ".wav"));
        ASSERT_FALSE(made.empty()) << sound.name;
        EXPECT_TRUE(made == readBytes(committedFile(sound.name)))
            << sound.name << " differs from the synthesiser's output; run tools/vellumar-synth/regenerate.sh";
    }
    EXPECT_EQ(wavesIn(folder.path()), expected);
    EXPECT_EQ(wavesIn(VELLUMAR_SOUNDS_FOLDER), expected);
}

}  // namespace

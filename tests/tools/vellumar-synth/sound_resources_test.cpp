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
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "platform/wave_file.h"
#include "tests/support/temp_folder.h"
#include "tests/tools/vellumar-synth/frequency_analysis.h"

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

class SoundResource : public testing::TestWithParam<ExpectedSound> {
  protected:
    void SetUp() override {
        const fs::path file = committedFile(GetParam().name);
        ASSERT_TRUE(fs::exists(file)) << file;
        std::string fault;
        auto parsed = platform::parseWaveFile(readBytes(file), &fault);
        ASSERT_TRUE(parsed.has_value()) << file << ": " << fault;
        wave = std::move(*parsed);
        samples = samplesOf(wave);
        ASSERT_FALSE(samples.empty());
    }

    platform::WaveFile wave;
    std::vector<double> samples;
};

// Mono PCM at the expected rate, width and length; audible but far from
// clipping; starting and ending in silence without a click; its energy below
// the harsh top of an 8 kHz channel.
TEST_P(SoundResource, HasTheFormatLevelsEdgesAndBandTheGameExpects) {
    EXPECT_EQ(wave.format, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.sampleRate, GetParam().sampleRate);
    EXPECT_EQ(wave.bitsPerSample, GetParam().bitsPerSample);
    EXPECT_GE(wave.seconds(), GetParam().shortest);
    EXPECT_LE(wave.seconds(), GetParam().longest);

    const double peak = sound_test::peakOf(samples, 0, samples.size());
    EXPECT_LE(peak, 0.8) << "too close to full scale";
    EXPECT_GE(peak, 0.25) << "too quiet beside the other sounds";
    EXPECT_GE(rmsOf(samples), 0.02) << "hardly more than silence";

    // One step of an 8-bit sample; a 16-bit silence is far below it.
    constexpr double kSilence = 1.0 / 128;
    EXPECT_LE(std::abs(samples.front()), kSilence);
    EXPECT_LE(std::abs(samples.back()), kSilence);
    // A sound that jumped in or was cut off would be near its full level
    // within half a millisecond of either end.
    const auto edge = static_cast<std::size_t>(wave.sampleRate / 2000);
    EXPECT_LE(sound_test::peakOf(samples, 0, edge), 0.5 * peak) << "abrupt start";
    EXPECT_LE(sound_test::peakOf(samples, samples.size() - edge, samples.size()), 0.05 * peak)
        << "abrupt end";

    const auto power =
        sound_test::powerByFrequency(samples, static_cast<int>(wave.sampleRate), 0, samples.size());
    EXPECT_LE(power.fractionAbove(3500.0), 0.01);
}

INSTANTIATE_TEST_SUITE_P(AllSounds, SoundResource, testing::ValuesIn(kSounds),
                         [](const testing::TestParamInfo<ExpectedSound>& info) {
                             return std::string(info.param.name);
                         });

// Each sound's character, as far as numbers show it: the miss is a dull low
// sound below all others, the fill bright, the time-out alarm falls, the
// colour chime rises, the erase swish sweeps upwards.
sound_test::PowerByFrequency powerOf(const char* name, double from, double to) {
    const auto wave = platform::parseWaveFile(readBytes(committedFile(name))).value_or(platform::WaveFile{});
    EXPECT_GT(wave.sampleCount(), 0u) << name;
    const auto first = static_cast<std::size_t>((from < 0 ? wave.seconds() + from : from) * wave.sampleRate);
    const auto last = static_cast<std::size_t>((to <= 0 ? wave.seconds() + to : to) * wave.sampleRate);
    return sound_test::powerByFrequency(samplesOf(wave), static_cast<int>(wave.sampleRate), first,
                                        std::min(wave.sampleCount(), last));
}

TEST(SoundCharacter, EachSoundHasItsCharacter) {
    const double miss = powerOf("IDR_ERROR", 0, 0).centroid();
    EXPECT_LT(miss, 400.0);
    for (const ExpectedSound& other : kSounds) {
        if (std::string(other.name) != "IDR_ERROR") {
            EXPECT_GT(powerOf(other.name, 0, 0).centroid(), 1.5 * miss) << other.name;
        }
    }
    EXPECT_GT(powerOf("IDR_FILL", 0, 0).centroid(), 800.0);
    // Start and end: a negative time counts from the end, 0 as an end is the end.
    const struct {
        const char* name;
        double from[2], to[2];
        bool byCentroid;
        double ratio;  // the later part over the earlier one at least (or at most, below 1)
    } changes[] = {
        {"IDR_TIMEDOUT", {0.0, -0.6}, {0.5, 0}, false, 1 / 1.5},
        {"IDR_FINISHCOLOR", {0.0, 0.2}, {0.08, 0.4}, false, 1.2},
        {"IDR_ERASE", {0.0, -0.31}, {0.31, 0}, true, 1.5},
    };
    for (const auto& c : changes) {
        double at[2];
        for (int i = 0; i < 2; ++i) {
            const auto power = powerOf(c.name, c.from[i], c.to[i]);
            at[i] = c.byCentroid ? power.centroid() : power.strongestFrequency();
        }
        EXPECT_TRUE(c.ratio > 1 ? at[1] > c.ratio * at[0] : at[1] < c.ratio * at[0])
            << c.name << ": " << at[0] << " Hz then " << at[1] << " Hz";
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

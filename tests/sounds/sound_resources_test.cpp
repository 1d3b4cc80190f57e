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
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/system/wave_file.h"
#include "tests/sounds/frequency_analysis.h"

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

void PrintTo(const ExpectedSound& sound, std::ostream* out) {
    *out << sound.name;
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
    double sum = 0.0;
    for (double x : s) {
        sum += x * x;
    }
    return std::sqrt(sum / static_cast<double>(s.size()));
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

TEST_P(SoundResource, IsMonoPcmAtTheExpectedRateAndWidthAndLastsTheExpectedTime) {
    EXPECT_EQ(wave.format, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.sampleRate, GetParam().sampleRate);
    EXPECT_EQ(wave.bitsPerSample, GetParam().bitsPerSample);
    EXPECT_GE(wave.seconds(), GetParam().shortest);
    EXPECT_LE(wave.seconds(), GetParam().longest);
}

TEST_P(SoundResource, IsAudibleButFarFromClipping) {
    const double peak = sound_test::peakOf(samples, 0, samples.size());
    EXPECT_LE(peak, 0.8) << "too close to full scale";
    EXPECT_GE(peak, 0.25) << "too quiet beside the other sounds";
    EXPECT_GE(rmsOf(samples), 0.02) << "hardly more than silence";
}

TEST_P(SoundResource, StartsAndEndsInSilenceWithoutAClick) {
    // One step of an 8-bit sample; a 16-bit silence is far below it.
    constexpr double kSilence = 1.0 / 128;
    EXPECT_LE(std::abs(samples.front()), kSilence);
    EXPECT_LE(std::abs(samples.back()), kSilence);
    // A sound that jumped in or was cut off would be near its full level
    // within half a millisecond of either end.
    const double peak = sound_test::peakOf(samples, 0, samples.size());
    const auto edge = static_cast<std::size_t>(wave.sampleRate / 2000);
    EXPECT_LE(sound_test::peakOf(samples, 0, edge), 0.5 * peak) << "abrupt start";
    EXPECT_LE(sound_test::peakOf(samples, samples.size() - edge, samples.size()), 0.05 * peak)
        << "abrupt end";
}

TEST_P(SoundResource, KeepsItsEnergyBelowTheHarshTopOfTheBand) {
    const sound_test::PowerByFrequency power =
        sound_test::powerByFrequency(samples, static_cast<int>(wave.sampleRate), 0, samples.size());
    EXPECT_LE(power.fractionAbove(3500.0), 0.01);
}

INSTANTIATE_TEST_SUITE_P(AllSounds, SoundResource, testing::ValuesIn(kSounds),
                         [](const testing::TestParamInfo<ExpectedSound>& info) {
                             return std::string(info.param.name);
                         });

// Each sound's character, as far as numbers show it.
platform::WaveFile loadCommitted(const char* name) {
    auto wave = platform::parseWaveFile(readBytes(committedFile(name)));
    EXPECT_TRUE(wave.has_value()) << name;
    return wave.value_or(platform::WaveFile{});
}

sound_test::PowerByFrequency powerBetween(const platform::WaveFile& wave, double from, double to) {
    const auto first = static_cast<std::size_t>(from * wave.sampleRate);
    const auto last = std::min(wave.sampleCount(), static_cast<std::size_t>(to * wave.sampleRate));
    return sound_test::powerByFrequency(samplesOf(wave), static_cast<int>(wave.sampleRate), first, last);
}

double centroidOf(const char* name) {
    const platform::WaveFile wave = loadCommitted(name);
    return powerBetween(wave, 0.0, wave.seconds()).centroid();
}

TEST(SoundCharacter, TheMissIsADullLowSoundBelowAllOthers) {
    const double miss = centroidOf("IDR_ERROR");
    EXPECT_LT(miss, 400.0);
    for (const ExpectedSound& other : kSounds) {
        if (std::string(other.name) != "IDR_ERROR") {
            EXPECT_GT(centroidOf(other.name), 1.5 * miss) << other.name;
        }
    }
}

TEST(SoundCharacter, TheFillIsBright) {
    EXPECT_GT(centroidOf("IDR_FILL"), 800.0);
}

TEST(SoundCharacter, TheTimeOutAlarmFalls) {
    const platform::WaveFile wave = loadCommitted("IDR_TIMEDOUT");
    const double opening = powerBetween(wave, 0.0, 0.5).strongestFrequency();
    const double closing = powerBetween(wave, wave.seconds() - 0.6, wave.seconds()).strongestFrequency();
    EXPECT_GT(opening, 1.5 * closing) << opening << " Hz then " << closing << " Hz";
}

TEST(SoundCharacter, TheColourChimeRises) {
    const platform::WaveFile wave = loadCommitted("IDR_FINISHCOLOR");
    const double first = powerBetween(wave, 0.0, 0.08).strongestFrequency();
    const double last = powerBetween(wave, 0.2, 0.4).strongestFrequency();
    EXPECT_GT(last, 1.2 * first) << first << " Hz then " << last << " Hz";
}

TEST(SoundCharacter, TheEraseSwishSweepsUpwards) {
    const platform::WaveFile wave = loadCommitted("IDR_ERASE");
    const double third = wave.seconds() / 3;
    const double early = powerBetween(wave, 0.0, third).centroid();
    const double late = powerBetween(wave, 2 * third, wave.seconds()).centroid();
    EXPECT_GT(late, 1.5 * early) << early << " Hz then " << late << " Hz";
}

// The synthesiser, run afresh into a scratch folder, makes exactly the
// committed files, so they never drift from their source.
class Synthesiser : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::random_device entropy;
        folder_ =
            new fs::path(fs::temp_directory_path() / ("vellumar-synth-test-" + std::to_string(entropy())));
        const std::string command = std::string("\"") + VELLUMAR_SYNTH + "\" \"" + folder_->string() + "\"";
        exitCode_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        fs::remove_all(*folder_, ignored);
        delete folder_;
        folder_ = nullptr;
    }

    static std::set<std::string> wavesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".wav") {
                names.insert(entry.path().stem().string());
            }
        }
        return names;
    }

    static inline fs::path* folder_ = nullptr;
    static inline int exitCode_ = -1;
};

TEST_F(Synthesiser, WritesTheSevenSoundsAndNothingElseIsCommitted) {
    ASSERT_EQ(exitCode_, 0);
    std::set<std::string> expected;
    for (const ExpectedSound& sound : kSounds) {
        expected.insert(sound.name);
    }
    EXPECT_EQ(wavesIn(*folder_), expected);
    EXPECT_EQ(wavesIn(VELLUMAR_SOUNDS_FOLDER), expected);
}

TEST_F(Synthesiser, ReproducesEveryCommittedFileByteForByte) {
    ASSERT_EQ(exitCode_, 0);
    for (const ExpectedSound& sound : kSounds) {
        const std::vector<BYTE> made = readBytes(*folder_ / (std::string(sound.name) + ".wav"));
        const std::vector<BYTE> committed = readBytes(committedFile(sound.name));
        ASSERT_FALSE(made.empty()) << sound.name;
        EXPECT_TRUE(made == committed)
            << sound.name << " differs from the synthesiser's output; run tools/vellumar-synth/regenerate.sh";
    }
}

}  // namespace

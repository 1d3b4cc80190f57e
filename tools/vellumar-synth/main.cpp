// vellumar-synth: writes the game's sound resources as wave files.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/vellumar-synth/sounds.h"
#include "tools/vellumar-synth/wave_writer.h"

namespace {

constexpr const char* kUsage =
    "usage: vellumar-synth [--stats] FOLDER\n"
    "\n"
    "Writes IDR_PALETTE.wav, IDR_ERASE.wav, ... (the seven sound resources) into FOLDER.\n"
    "--stats also prints each sound's length, peak, RMS level and power-weighted mean frequency "
    "(centroid).\n";

// The power-weighted mean frequency: a rough measure of how bright a sound is.
// Evaluated on a 10 Hz grid, which is plenty for comparing sounds.
double meanFrequency(const synth::Buffer& b) {
    double weighted = 0.0;
    double total = 0.0;
    for (double f = 10.0; f < b.sampleRate / 2.0; f += 10.0) {
        double re = 0.0;
        double im = 0.0;
        const double step = 2.0 * synth::kPi * f / b.sampleRate;
        for (std::size_t i = 0; i < b.size(); ++i) {
            re += b.samples[i] * std::cos(step * static_cast<double>(i));
            im -= b.samples[i] * std::sin(step * static_cast<double>(i));
        }
        const double power = re * re + im * im;
        weighted += f * power;
        total += power;
    }
    return total > 0.0 ? weighted / total : 0.0;
}

void printStats(std::string_view name, const synth::Buffer& b) {
    double peak = 0.0;
    double squares = 0.0;
    for (double s : b.samples) {
        peak = std::max(peak, std::abs(s));
        squares += s * s;
    }
    const double rms = std::sqrt(squares / static_cast<double>(b.size()));
    std::printf("%-16.*s %5d Hz  %.3f s  peak %.2f  RMS %.3f (%.1f dBFS)  centroid %4.0f Hz\n",
                static_cast<int>(name.size()), name.data(), b.sampleRate,
                static_cast<double>(b.size()) / b.sampleRate, peak, rms, 20.0 * std::log10(rms),
                meanFrequency(b));
}

}  // namespace

int main(int argc, char** argv) {
    bool stats = false;
    int arg = 1;
    if (arg < argc && std::strcmp(argv[arg], "--stats") == 0) {
        stats = true;
        ++arg;
    }
    if (arg < argc && (std::strcmp(argv[arg], "--help") == 0 || std::strcmp(argv[arg], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc - arg != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[arg];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "vellumar-synth: cannot create %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return 1;
    }
    for (const synth::SoundRecipe& sound : synth::sounds()) {
        const synth::Buffer buffer = sound.make();
        const std::vector<std::uint8_t> bytes = synth::encodeWave(buffer, sound.bitsPerSample);
        const std::filesystem::path file = folder / (std::string(sound.name) + ".wav");
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "vellumar-synth: cannot write %s\n", file.c_str());
            return 1;
        }
        if (stats) {
            printStats(sound.name, buffer);
        }
    }
    return 0;
}

// The wave reader: what it reads, and the damaged headers it refuses.
#include "platform/system/wave_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// A little-endian number of `size` bytes.
void put(Bytes& b, std::uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i, v >>= 8) {
        b.push_back(static_cast<BYTE>(v & 0xFF));
    }
}

struct Format {
    std::uint32_t tag = WAVE_FORMAT_PCM;
    std::uint32_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint32_t bits = 16;
    std::uint32_t blockAlign = 0;  // 0: the consistent value
    std::uint32_t byteRate = 0;    // 0: the consistent value
};

Bytes formatBody(const Format& f) {
    const std::uint32_t align = f.blockAlign != 0 ? f.blockAlign : f.channels * f.bits / 8;
    Bytes b;
    for (const auto& [value, size] : {std::pair{f.tag, 2},
                                      {f.channels, 2},
                                      {f.rate, 4},
                                      {f.byteRate != 0 ? f.byteRate : f.rate * align, 4},
                                      {align, 2},
                                      {f.bits, 2}}) {
        put(b, value, size);
    }
    return b;
}

// One chunk; the declared size may lie about the body.
Bytes chunk(const std::string& tag, const Bytes& body, std::int64_t declaredSize = -1) {
    Bytes b(tag.begin(), tag.end());
    put(b, static_cast<std::uint32_t>(declaredSize >= 0 ? declaredSize
                                                        : static_cast<std::int64_t>(body.size())));
    b.insert(b.end(), body.begin(), body.end());
    if (declaredSize < 0 && body.size() % 2 == 1) {
        b.push_back(0);
    }
    return b;
}

// A RIFF/WAVE file of the given chunks: a chunk itself, whose declared size may lie too.
Bytes riff(const std::vector<Bytes>& chunks, std::int64_t declaredSize = -1,
           const std::string& form = "WAVE") {
    Bytes body(form.begin(), form.end());
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    return chunk("RIFF", body, declaredSize);
}

Bytes validWave() {
    return riff({chunk("fmt ", formatBody({})), chunk("data", {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80})});
}

// Parses a copy of exactly the given size, so a read past its end is a read
// outside the allocation, which the sanitiser builds report.
std::optional<platform::WaveFile> parse(const Bytes& bytes, std::string* fault = nullptr) {
    const Bytes exact(bytes.begin(), bytes.end());
    return platform::parseWaveFile(exact, fault);
}

void expectRefused(const Bytes& bytes, const std::string& why) {
    std::string fault;
    EXPECT_FALSE(parse(bytes, &fault).has_value()) << why;
    EXPECT_FALSE(fault.empty()) << why << ": refused without a reason";
}

TEST(WaveFile, RefusesEveryTruncation) {
    const Bytes whole = validWave();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        expectRefused(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)),
                      "cut to " + std::to_string(size) + " bytes");
    }
}

// Each damaged header or chunk is refused with a reason.
TEST(WaveFile, RefusesDamagedContainersSizesFormatsAndChunks) {
    const Bytes format = chunk("fmt ", formatBody({}));
    const Bytes data = chunk("data", {0, 0, 0, 0});
    Bytes notRiff = validWave();
    notRiff[3] = 'X';  // "RIFX", the big-endian variant
    expectRefused(notRiff, "RIFX");
    expectRefused(riff({chunk("fmt ", formatBody({})), chunk("data", {0, 0})}, -1, "AVI "), "AVI form");
    const auto actual = static_cast<std::int64_t>(validWave().size() - 8);
    const std::vector<Bytes> chunks = {chunk("fmt ", formatBody({})),
                                       chunk("data", {0x00, 0x00, 0xFF, 0x7F, 0x00, 0x80})};
    expectRefused(riff(chunks, actual + 2), "RIFF size beyond the buffer");
    expectRefused(riff(chunks, 0xFFFFFFFF), "RIFF size near 4 GiB");
    expectRefused(riff(chunks, 2), "RIFF size too small for its form type");
    expectRefused(riff(chunks, actual - 2), "RIFF size ending inside the data chunk");
    expectRefused(riff({format, chunk("data", {0, 0, 0, 0}, 6)}), "data chunk past the end");
    expectRefused(riff({format, chunk("data", {0, 0, 0, 0}, 0xFFFFFFFE)}),
                  "data size that wraps a 32-bit sum");
    expectRefused(riff({chunk("fmt ", formatBody({}), 200), chunk("data", {0, 0})}),
                  "format chunk past the end");
    expectRefused(riff({chunk("LIST", {1, 2}, 0xFFFFFFF8), format, chunk("data", {0, 0})}),
                  "huge unknown chunk");
    Bytes stray = format;
    stray.insert(stray.end(), {'d', 'a', 't'});
    expectRefused(riff({stray}), "chunk header cut short");
    for (std::uint32_t tag : {0u, 2u /* ADPCM */, 3u /* float */, 0xFFFEu /* extensible */}) {
        expectRefused(riff({chunk("fmt ", formatBody({.tag = tag})), chunk("data", {0, 0})}),
                      "format tag " + std::to_string(tag));
    }
    expectRefused(riff({chunk("fmt ", formatBody({.channels = 0})), data}), "no channels");
    expectRefused(riff({chunk("fmt ", formatBody({.rate = 0})), data}), "zero rate");
    // Twelve bytes are whole frames of 8, 16, 24 and 32 bits: only the width can refuse them.
    for (std::uint32_t bits : {0u, 4u, 12u, 24u, 32u}) {
        expectRefused(riff({chunk("fmt ", formatBody({.bits = bits})), chunk("data", Bytes(12, 0))}),
                      std::to_string(bits) + "-bit samples");
    }
    expectRefused(riff({chunk("fmt ", formatBody({.blockAlign = 4})), data}),
                  "block alignment of a stereo file");
    expectRefused(riff({chunk("fmt ", formatBody({.byteRate = 8000})), data}), "byte rate of an 8-bit file");
    Bytes shortFormat = formatBody({});
    shortFormat.resize(14);
    expectRefused(riff({chunk("fmt ", shortFormat), data}), "format chunk of 14 bytes");
    expectRefused(riff({data, format}), "data before format");
    expectRefused(riff({format}), "no data");
    expectRefused(riff({data}), "no format");
    expectRefused(riff({}), "nothing after the form type");
    expectRefused(riff({format, format, data}), "two format chunks");
    expectRefused(riff({chunk("fmt ", formatBody({})), chunk("data", {0, 0, 0})}), "half a 16-bit sample");
    expectRefused(riff({chunk("fmt ", formatBody({.channels = 2})), chunk("data", {0, 0, 0, 0, 0, 0})}),
                  "half a stereo frame");
}

TEST(WaveFile, SurvivesRandomDamage) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::printf("wave damage seed %u\n", seed);
    std::mt19937 random(seed);
    const Bytes whole =
        riff({chunk("LIST", {1, 2, 3}), chunk("fmt ", formatBody({})), chunk("data", Bytes(40, 7))});
    for (int round = 0; round < 20000; ++round) {
        Bytes damaged = whole;
        const int hits = 1 + static_cast<int>(random() % 4);
        for (int h = 0; h < hits; ++h) {
            damaged[random() % damaged.size()] = static_cast<BYTE>(random());
        }
        damaged.resize(damaged.size() - random() % 8);
        const auto wave = parse(damaged);
        if (wave.has_value()) {
            // Whatever is accepted is whole frames that lay inside the buffer.
            ASSERT_LE(wave->data.size(), damaged.size());
            const std::size_t frameBytes = wave->channels * (wave->bitsPerSample / 8u);
            ASSERT_EQ(wave->data.size() % frameBytes, 0u);
        }
    }
}

}  // namespace

#include "tools/vellumar-synth/wave_writer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace synth {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace

std::vector<std::uint8_t> encodeWave(const Buffer& buffer, int bitsPerSample) {
    const std::uint32_t bytesPerSample = bitsPerSample / 8;
    const auto dataSize = static_cast<std::uint32_t>(buffer.size() * bytesPerSample);
    const std::uint32_t pad = dataSize & 1;

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize + pad);
    putTag(out, "RIFF");
    put32(out, 36 + dataSize + pad);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(buffer.sampleRate));
    put32(out, static_cast<std::uint32_t>(buffer.sampleRate) * bytesPerSample);
    put16(out, bytesPerSample);
    put16(out, static_cast<std::uint32_t>(bitsPerSample));
    putTag(out, "data");
    put32(out, dataSize);
    for (double s : buffer.samples) {
        const double clamped = std::clamp(s, -1.0, 1.0);
        if (bitsPerSample == 8) {
            out.push_back(static_cast<std::uint8_t>(128 + std::lround(clamped * 127.0)));
        } else {
            put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32767.0))));
        }
    }
    if (pad != 0) {
        out.push_back(0);
    }
    return out;
}

}  // namespace synth

#include "platform/system/wave_file.h"

#include <cstdint>

namespace platform {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kPcmFormatSize = 16;

std::uint32_t readU32(std::span<const BYTE> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t readU16(std::span<const BYTE> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool hasTag(std::span<const BYTE> bytes, std::size_t at, const char (&tag)[5]) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (bytes[at + i] != static_cast<BYTE>(tag[i])) {
            return false;
        }
    }
    return true;
}

std::optional<WaveFile> refuse(std::string* fault, const char* reason) {
    if (fault != nullptr) {
        *fault = reason;
    }
    return std::nullopt;
}

// Reads the format chunk at `body` into `w`; answers why the sound cannot be
// played, or nothing.
const char* readFormat(std::span<const BYTE> bytes, std::uint64_t body, std::uint64_t size, WaveFile& w) {
    if (size < kPcmFormatSize) {
        return "format chunk too small";
    }
    w.format = readU16(bytes, body);
    w.channels = readU16(bytes, body + 2);
    w.sampleRate = readU32(bytes, body + 4);
    const std::uint32_t byteRate = readU32(bytes, body + 8);
    const std::uint16_t blockAlign = readU16(bytes, body + 12);
    w.bitsPerSample = readU16(bytes, body + 14);
    if (w.format != WAVE_FORMAT_PCM) {
        return "not PCM";
    }
    if (w.channels == 0) {
        return "no channels";
    }
    if (w.bitsPerSample != 8 && w.bitsPerSample != 16) {
        return "sample width is neither 8 nor 16 bits";
    }
    if (w.sampleRate == 0) {
        return "sample rate is zero";
    }
    if (blockAlign != w.channels * (w.bitsPerSample / 8) ||
        byteRate != std::uint64_t{w.sampleRate} * blockAlign) {
        return "block alignment or byte rate disagrees with the format";
    }
    return nullptr;
}

// Takes the samples of the data chunk at `body`, whole frames only.
const char* readData(std::span<const BYTE> bytes, std::uint64_t body, std::uint64_t size, WaveFile& w) {
    const std::size_t frameBytes = static_cast<std::size_t>(w.channels) * (w.bitsPerSample / 8);
    if (size % frameBytes != 0) {
        return "data chunk ends inside a frame";
    }
    w.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(body),
                  bytes.begin() + static_cast<std::ptrdiff_t>(body + size));
    return nullptr;
}

}  // namespace

std::size_t WaveFile::frameCount() const {
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * (bitsPerSample / 8);
    return frameBytes == 0 ? 0 : data.size() / frameBytes;
}

double WaveFile::seconds() const {
    return sampleRate == 0 ? 0.0 : static_cast<double>(frameCount()) / sampleRate;
}

std::size_t WaveFile::sampleCount() const {
    return frameCount() * channels;
}

double WaveFile::sample(std::size_t index) const {
    if (bitsPerSample == 8) {
        return (static_cast<int>(data[index]) - 128) / 128.0;
    }
    const auto raw = static_cast<std::int16_t>(data[2 * index] | (data[2 * index + 1] << 8));
    return raw / 32768.0;
}

std::optional<WaveFile> parseWaveFile(std::span<const BYTE> bytes, std::string* fault) {
    if (bytes.size() < 12 || !hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE")) {
        return refuse(fault, "not a RIFF/WAVE file");
    }
    // 64-bit sums: a chunk size near 4 GiB must not wrap around to something that fits.
    const std::uint64_t riffEnd = std::uint64_t{8} + readU32(bytes, 4);
    if (riffEnd < 12) {
        return refuse(fault, "RIFF chunk too small to hold its form type");
    }
    if (riffEnd > bytes.size()) {
        return refuse(fault, "RIFF chunk runs past the end of the buffer");
    }

    WaveFile wave;
    bool haveFormat = false;
    std::uint64_t at = 12;
    while (at < riffEnd) {
        if (at + kChunkHeaderSize > riffEnd) {
            return refuse(fault, "chunk header cut short");
        }
        const std::uint64_t size = readU32(bytes, at + 4);
        const std::uint64_t body = at + kChunkHeaderSize;
        if (body + size > riffEnd) {
            return refuse(fault, "chunk runs past the end of the RIFF chunk");
        }
        if (hasTag(bytes, at, "fmt ")) {
            if (haveFormat) {
                return refuse(fault, "more than one format chunk");
            }
            if (const char* why = readFormat(bytes, body, size, wave)) {
                return refuse(fault, why);
            }
            haveFormat = true;
        } else if (hasTag(bytes, at, "data")) {
            if (!haveFormat) {
                return refuse(fault, "data chunk before the format chunk");
            }
            if (const char* why = readData(bytes, body, size, wave)) {
                return refuse(fault, why);
            }
            return wave;
        }
        // Chunks are padded to an even length; a missing pad byte at the very end is tolerated.
        at = body + size + (size & 1);
    }
    return refuse(fault, haveFormat ? "no data chunk" : "no format chunk");
}

}  // namespace platform

// Wave files (RIFF/WAVE, uncompressed PCM) as the program's sound resources
// hold them. Reading is strict: every chunk must lie inside the buffer and the
// format header must agree with itself, so a damaged resource is refused with
// a reason instead of being played as noise or read past its end.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/types.h"

inline constexpr WORD WAVE_FORMAT_PCM = 1;

namespace platform {

struct WaveFile {
    WORD format = WAVE_FORMAT_PCM;
    WORD channels = 0;
    DWORD sampleRate = 0;
    WORD bitsPerSample = 0;  // 8 (unsigned, silence at 128) or 16 (signed)
    std::vector<BYTE> data;  // the sample bytes as stored: interleaved frames, little-endian

    std::size_t frameCount() const;
    double seconds() const;

    // Sample `index` (frames times channels, interleaved) scaled to -1 ... 1.
    double sample(std::size_t index) const;
    std::size_t sampleCount() const;
};

// Parses a whole RIFF/WAVE buffer. Chunks other than "fmt " and "data" are
// skipped; bytes after the RIFF chunk are ignored. On refusal, `fault` (when
// given) says why.
std::optional<WaveFile> parseWaveFile(std::span<const BYTE> bytes, std::string* fault = nullptr);

}  // namespace platform

// Turns a buffer into the bytes of a mono PCM RIFF/WAVE file.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/vellumar-synth/dsp.h"

namespace synth {

// Rounds each sample to the nearest step; 8-bit samples are unsigned with
// silence at 128, 16-bit ones signed. Values beyond full scale are clamped.
std::vector<std::uint8_t> encodeWave(const Buffer& buffer, int bitsPerSample);

}  // namespace synth

// The game's seven sounds, each made by one short function.
#pragma once

#include <span>
#include <string_view>

#include "tools/vellumar-synth/dsp.h"

namespace synth {

struct SoundRecipe {
    std::string_view name;  // the wave resource's name, and the file's without ".wav"
    int bitsPerSample;      // 8 (unsigned) or 16 (signed)
    Buffer (*make)();
};

std::span<const SoundRecipe> sounds();

}  // namespace synth

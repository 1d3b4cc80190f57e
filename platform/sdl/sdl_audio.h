// Sound through SDL's audio queue: one output device, wave
// resources converted to its format, played to the end before the call returns
// (the game's sounds are synchronous).
#pragma once

#include <SDL_audio.h>

#include <cstdint>
#include <string>

#include "platform/system/wave_file.h"

namespace platform {

class SdlAudio {
  public:
    // Opens the default output device, keeping the audio libraries' own
    // messages off standard error; without one, play() returns at once.
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool available() const { return device_ != 0; }
    // Why there is no device, in SDL's words; empty when there is one.
    const std::string& failure() const { return failure_; }

    // Plays `wave` and returns when it has been heard to its end. Answers false
    // when there is no device or the wave cannot be converted.
    bool play(const WaveFile& wave);

  private:
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::string failure_;
};

// SDL's name of a wave's sample format, or 0 when SDL has none.
SDL_AudioFormat sdlFormatOf(const WaveFile& wave);

}  // namespace platform

#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

// The audio libraries beneath SDL (ALSA above all) write their own complaints
// to standard error when there is no sound card; the player gets our one line
// instead. Standard error goes to /dev/null while the device is opened.
class QuietStandardError {
  public:
    QuietStandardError() : saved_(dup(STDERR_FILENO)) {
        std::fflush(stderr);
        const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && sink >= 0) {
            dup2(sink, STDERR_FILENO);
        }
        if (sink >= 0) {
            close(sink);
        }
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_;
};

}  // namespace

SdlAudio::SdlAudio() {
    const QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failure_ = SDL_GetError();
        return;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    // Whatever the device prefers; every wave is converted to it.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device_ == 0) {
        failure_ = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    SDL_PauseAudioDevice(device_, 0);
}

SdlAudio::~SdlAudio() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

SDL_AudioFormat sdlFormatOf(const WaveFile& wave) {
    if (wave.format != WAVE_FORMAT_PCM) {
        return 0;
    }
    switch (wave.bitsPerSample) {
        case 8:
            return AUDIO_U8;
        case 16:
            return AUDIO_S16LSB;
        default:
            return 0;
    }
}

bool SdlAudio::play(const WaveFile& wave) {
    const SDL_AudioFormat format = sdlFormatOf(wave);
    if (device_ == 0 || format == 0 || wave.channels == 0 || wave.data.empty()) {
        return false;
    }
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(wave.channels), static_cast<int>(wave.sampleRate),
                          spec_.format, spec_.channels, spec_.freq) < 0) {
        return false;
    }
    // Whole frames only: a torn last frame would shift every channel after it.
    const std::size_t frameBytes = std::size_t{wave.channels} * (wave.bitsPerSample / 8);
    const std::size_t length = wave.data.size() / frameBytes * frameBytes;
    std::vector<Uint8> buffer(length * static_cast<std::size_t>(std::max(cvt.len_mult, 1)));
    std::copy_n(wave.data.begin(), length, buffer.begin());
    cvt.buf = buffer.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) {
        return false;
    }
    const auto converted = static_cast<Uint32>(cvt.needed != 0 ? cvt.len_cvt : cvt.len);

    SDL_ClearQueuedAudio(device_);
    if (SDL_QueueAudio(device_, buffer.data(), converted) != 0) {
        return false;
    }
    // Wait for the queue to drain into the device, then for the device's last
    // buffer to be heard. A stalled device must not hang the game, so the
    // wait ends a second after the sound should have.
    const Uint64 start = SDL_GetTicks64();
    const auto soundMs = static_cast<Uint64>(wave.seconds() * 1000.0);
    const Uint64 giveUp = start + soundMs + 1000;
    while (SDL_GetQueuedAudioSize(device_) > 0 && SDL_GetTicks64() < giveUp) {
        SDL_Delay(5);
    }
    const Uint32 bufferMs = spec_.freq > 0 ? spec_.samples * 1000u / static_cast<Uint32>(spec_.freq) : 0;
    SDL_Delay(bufferMs);
    return true;
}

}  // namespace platform

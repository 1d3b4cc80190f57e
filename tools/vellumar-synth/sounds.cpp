#include "tools/vellumar-synth/sounds.h"

namespace synth {

namespace {

// Equal-tempered pitches.
constexpr double G4 = 392.00;
constexpr double C5 = 523.25;
constexpr double E5 = 659.26;
constexpr double G5 = 783.99;
constexpr double C6 = 1046.50;
constexpr double E6 = 1318.51;
constexpr double G6 = 1567.98;

// A round brass-like timbre: strong low harmonics, fading upwards.
const std::vector<Partial> kBrass = {{1, 1.0}, {2, 0.55}, {3, 0.32}, {4, 0.16}, {5, 0.08}};
// Odd harmonics only, a softened square wave: reads as a signal, not a note.
const std::vector<Partial> kHollow = {{1, 1.0}, {3, 0.28}, {5, 0.1}};

// A palette pick: a soft wooden tick, a low knock with a faint ring over a
// breath of filtered noise, all gone within a tenth of a second.
Buffer palette() {
    Buffer out(22050, 0.32);
    addTone(out, {.length = 0.3, .frequency = 540, .attack = 0.002, .release = 0.1, .decayTime = 0.022});
    addTone(out, {.length = 0.3,
                  .frequency = 1480,
                  .level = 0.3,
                  .attack = 0.002,
                  .release = 0.1,
                  .decayTime = 0.009});
    Noise noise(0x7A1E77E5);
    Filter filter(out.sampleRate);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = out.time(i);
        out[i] += 0.4 * fadeIn(t, 0.001) * decay(t, 0.003) * filter.bandPass(noise.next(), 1800, 1.2);
    }
    shapeEdges(out, 0.001, 0.05);
    scaleToPeak(out, 0.5);
    return out;
}

// Erasing the board: a swish, noise through a band pass whose centre sweeps
// upwards like a broom's stroke, swelling and then fading away.
Buffer erase() {
    Buffer out(8000, 0.93);
    Noise noise(0x5EED1234);
    Filter band(out.sampleRate);
    Filter smooth(out.sampleRate);
    const double end = out.duration();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = out.time(i);
        const double centre = glide(300, 2200, t / end);
        const double swell = fadeIn(t, 0.38) * fadeOut(t, end, 0.55);
        out[i] = swell * smooth.lowPass(band.bandPass(noise.next(), centre, 1.8), 2600);
    }
    shapeEdges(out, 0.005, 0.02);
    scaleToPeak(out, 0.6);
    return out;
}

// The finished picture: a fanfare, four rising notes and a held major chord
// that swells with a little vibrato and dies away.
Buffer finish() {
    Buffer out(8000, 2.5);
    const double pickup[] = {G4, C5, E5};
    for (int n = 0; n < 3; ++n) {
        addTone(out, {.start = 0.14 * n,
                      .length = 0.16,
                      .frequency = pickup[n],
                      .partials = kBrass,
                      .attack = 0.015,
                      .release = 0.06});
    }
    const double chord[] = {C5, E5, G5, C6};
    const double chordLevel[] = {0.8, 0.6, 0.7, 0.5};
    for (int n = 0; n < 4; ++n) {
        addTone(out, {.start = 0.42,
                      .length = 2.06,
                      .frequency = chord[n],
                      .level = chordLevel[n],
                      .partials = kBrass,
                      .attack = 0.03,
                      .release = 0.9,
                      .decayTime = 1.6,
                      .vibratoRate = 5.2,
                      .vibratoDepth = 0.004});
    }
    shapeEdges(out, 0.005, 0.02);
    scaleToPeak(out, 0.7);
    return out;
}

// Time is up: an alarm of hollow beeps, each sliding down, stepping lower
// beep by beep, ending in one long falling tone.
Buffer timedOut() {
    Buffer out(8000, 2.96);
    constexpr int kBeeps = 7;
    for (int n = 0; n < kBeeps; ++n) {
        const double pitch = glide(1100, 620, n / (kBeeps - 1.0));
        addTone(out, {.start = 0.32 * n,
                      .length = 0.26,
                      .frequency = pitch,
                      .endFrequency = pitch * 0.84,
                      .partials = kHollow,
                      .attack = 0.012,
                      .release = 0.07});
    }
    addTone(out, {.start = 2.24,
                  .length = 0.7,
                  .frequency = 560,
                  .endFrequency = 300,
                  .partials = kHollow,
                  .attack = 0.012,
                  .release = 0.35});
    shapeEdges(out, 0.005, 0.02);
    scaleToPeak(out, 0.5);
    return out;
}

// A piece painted: a bright pluck, its overtones dying faster than its body.
Buffer fill() {
    Buffer out(8000, 0.2);
    addTone(out, {.length = 0.199, .frequency = G5, .attack = 0.002, .release = 0.06, .decayTime = 0.07});
    addTone(out, {.length = 0.199,
                  .frequency = G5,
                  .partials = {{2, 0.6}, {3, 0.35}, {4, 0.2}},
                  .attack = 0.002,
                  .release = 0.06,
                  .decayTime = 0.03});
    shapeEdges(out, 0.002, 0.02);
    scaleToPeak(out, 0.6);
    return out;
}

// A colour finished: a rising chime, three bell notes of a major chord
// struck one after another and left to ring.
Buffer finishColour() {
    Buffer out(8000, 0.65);
    const double notes[] = {C6, E6, G6};
    for (int n = 0; n < 3; ++n) {
        const double start = 0.09 * n;
        addTone(out, {.start = start,
                      .length = 0.649 - start,
                      .frequency = notes[n],
                      .level = 0.8,
                      .attack = 0.003,
                      .release = 0.15,
                      .decayTime = 0.22});
        addTone(out, {.start = start,
                      .length = 0.649 - start,
                      .frequency = notes[n],
                      .level = 0.25,
                      .partials = {{2, 1.0}, {3, 0.4}},
                      .attack = 0.003,
                      .release = 0.15,
                      .decayTime = 0.07});
    }
    shapeEdges(out, 0.002, 0.02);
    scaleToPeak(out, 0.6);
    return out;
}

// A miss: a dull low buzz, a sawtooth sagging in pitch, its edge filtered off.
Buffer error() {
    Buffer out(8000, 0.35);
    std::vector<Partial> saw;
    for (int k = 1; k <= 24; ++k) {
        saw.push_back({static_cast<double>(k), 1.0 / k});
    }
    addTone(out, {.length = 0.349,
                  .frequency = 130,
                  .endFrequency = 110,
                  .partials = saw,
                  .attack = 0.015,
                  .release = 0.09});
    lowPass(out, 520, 0.8);
    shapeEdges(out, 0.005, 0.02);
    scaleToPeak(out, 0.5);
    return out;
}

constexpr SoundRecipe kSounds[] = {
    {"IDR_PALETTE", 8, palette},    {"IDR_ERASE", 16, erase}, {"IDR_FINISH", 16, finish},
    {"IDR_TIMEDOUT", 16, timedOut}, {"IDR_FILL", 16, fill},   {"IDR_FINISHCOLOR", 16, finishColour},
    {"IDR_ERROR", 16, error},
};

}  // namespace

std::span<const SoundRecipe> sounds() {
    return kSounds;
}

}  // namespace synth

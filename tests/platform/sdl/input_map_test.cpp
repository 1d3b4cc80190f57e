#include <gtest/gtest.h>

#include <tuple>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_drop.h"
#include "platform/sdl/sdl_input_map.h"

namespace platform {
namespace {

// The keys the game uses give its virtual keys: letters and digits their
// capital ASCII codes, plus and minus of either keyboard zoom.
TEST(KeyTranslation, GivesTheGamesVirtualKeysAndNothingForOthers) {
    // Those whose rule is not a plain rename: the keypad's Enter, letters as
    // capitals, digits, and the plus and minus of either keyboard.
    const std::pair<SDL_Keycode, UINT> keys[] = {{SDLK_RETURN, VK_RETURN},
                                                 {SDLK_KP_ENTER, VK_RETURN},
                                                 {SDLK_ESCAPE, VK_ESCAPE},
                                                 {SDLK_LEFT, VK_LEFT},
                                                 {SDLK_PAGEUP, VK_PRIOR},
                                                 {SDLK_PAGEDOWN, VK_NEXT},
                                                 {SDLK_a, 'A'},
                                                 {SDLK_z, 'Z'},
                                                 {SDLK_0, '0'},
                                                 {SDLK_9, '9'},
                                                 {SDLK_EQUALS, VK_OEM_PLUS},
                                                 {SDLK_PLUS, VK_OEM_PLUS},
                                                 {SDLK_KP_PLUS, VK_ADD},
                                                 {SDLK_MINUS, VK_OEM_MINUS},
                                                 {SDLK_KP_MINUS, VK_SUBTRACT}};
    for (const auto& [key, virtualKey] : keys) {
        EXPECT_EQ(virtualKeyFor(key), virtualKey) << key;
    }
    for (const SDL_Keycode key : {SDLK_F1, SDLK_LSHIFT, SDLK_LCTRL, SDLK_VOLUMEUP}) {
        EXPECT_FALSE(virtualKeyFor(key)) << key;
    }
    EXPECT_FALSE(translateKey(SDLK_F12, KMOD_NONE));
    // F9 turns the screen, and nothing else does.
    EXPECT_TRUE(isRotateKey(SDLK_F9));
    EXPECT_FALSE(isRotateKey(SDLK_F8) || isRotateKey(SDLK_r));
}

// Either Control key with Q is the letter with the Control modifier; lock keys are no modifiers.
TEST(KeyTranslation, ModifiersKeepTheirMeaning) {
    EXPECT_EQ(translateKey(SDLK_q, KMOD_LCTRL), (TranslatedKey{'Q', MODIFIER_CONTROL}));
    EXPECT_EQ(translateKey(SDLK_q, KMOD_RCTRL), (TranslatedKey{'Q', MODIFIER_CONTROL}));
    EXPECT_EQ(translateKey(SDLK_q, KMOD_NUM | KMOD_CAPS), (TranslatedKey{'Q', MODIFIER_NONE}));
    EXPECT_EQ(modifiersFor(KMOD_RALT), MODIFIER_ALT);
    EXPECT_EQ(modifiersFor(KMOD_LCTRL | KMOD_RSHIFT), MODIFIER_CONTROL | MODIFIER_SHIFT);
}

TEST(ButtonTranslation, OnlyTheLeftButtonIsTheStylusTheRightAndMiddlePan) {
    for (const auto& [button, stylus, other] : {std::tuple{SDL_BUTTON_LEFT, true, OtherButton::None},
                                                {SDL_BUTTON_RIGHT, false, OtherButton::Right},
                                                {SDL_BUTTON_MIDDLE, false, OtherButton::Middle},
                                                {SDL_BUTTON_X1, false, OtherButton::None}}) {
        EXPECT_EQ(isStylusButton(static_cast<Uint8>(button)), stylus) << button;
        EXPECT_EQ(otherButtonFor(static_cast<Uint8>(button)), other) << button;
    }
}

TEST(WheelTranslation, NotchesAndPinchesBecomeWheelDeltas) {
    EXPECT_EQ(wheelDeltaFor(1.0f, SDL_MOUSEWHEEL_NORMAL), WHEEL_DELTA);
    EXPECT_EQ(wheelDeltaFor(1.0f, SDL_MOUSEWHEEL_FLIPPED), -WHEEL_DELTA);
    EXPECT_EQ(wheelDeltaFor(-0.25f, SDL_MOUSEWHEEL_NORMAL), -WHEEL_DELTA / 4);
    float gathered = 0.0f;
    const struct {
        float spread;
        int delta;
    } pinch[] = {{kPinchPerNotch * 0.6f, 0},
                 {kPinchPerNotch * 0.6f, WHEEL_DELTA},
                 {kPinchPerNotch * 2.0f, 2 * WHEEL_DELTA},
                 {-kPinchPerNotch * 1.4f, -WHEEL_DELTA}};
    for (const auto& [spread, delta] : pinch) {
        EXPECT_EQ(pinchWheelDelta(gathered, spread), delta) << spread;
    }
}

TEST(SoundFormat, PcmWavesMapToSdlsFormats) {
    // Floating point (format 3) is not a format the game's resources use.
    const struct {
        WORD format, bits;
        SDL_AudioFormat sdl;
    } cases[] = {{WAVE_FORMAT_PCM, 8, AUDIO_U8},
                 {WAVE_FORMAT_PCM, 16, AUDIO_S16LSB},
                 {WAVE_FORMAT_PCM, 24, 0},
                 {3, 16, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(sdlFormatOf(WaveFile{.format = c.format, .bitsPerSample = c.bits, .data = {}}), c.sdl)
            << c.format << c.bits;
    }
}

SDL_DropEvent dropEvent(Uint32 type, char* file = nullptr) {
    SDL_DropEvent event{};
    event.type = type;
    event.file = file;
    return event;
}

TEST(DropTranslation, GathersTheFilesOfOneDropAndTakesALoneFileAlone) {
    using Paths = std::vector<std::string>;
    char a[] = "/p/a.png", b[] = "/p/b.svg", text[] = "some words";
    const struct {
        std::vector<SDL_DropEvent> events;
        std::vector<Paths> drops;
    } cases[] = {
        {{dropEvent(SDL_DROPBEGIN), dropEvent(SDL_DROPFILE, a), dropEvent(SDL_DROPFILE, b),
          dropEvent(SDL_DROPCOMPLETE)},
         {{"/p/a.png", "/p/b.svg"}}},
        {{dropEvent(SDL_DROPFILE, a), dropEvent(SDL_DROPFILE, b)}, {{"/p/a.png"}, {"/p/b.svg"}}},
        {{dropEvent(SDL_DROPBEGIN), dropEvent(SDL_DROPTEXT, text), dropEvent(SDL_DROPCOMPLETE)}, {}},
    };
    for (const auto& c : cases) {
        DropGatherer gatherer;
        std::vector<Paths> drops;
        for (const SDL_DropEvent& event : c.events) {
            if (auto paths = gatherer.take(event)) {
                drops.push_back(*paths);
            }
        }
        EXPECT_EQ(drops, c.drops);
    }
}

}  // namespace
}  // namespace platform

#include <gtest/gtest.h>

#include <tuple>

#include "platform/drawing/cursor.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_cursor.h"
#include "platform/sdl/sdl_drop.h"
#include "platform/sdl/sdl_input_map.h"

namespace platform {
namespace {

TEST(KeyTranslation, GivesTheGamesVirtualKeys) {
    EXPECT_EQ(virtualKeyFor(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(virtualKeyFor(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(virtualKeyFor(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(virtualKeyFor(SDLK_RIGHT), VK_RIGHT);
    EXPECT_EQ(virtualKeyFor(SDLK_UP), VK_UP);
    EXPECT_EQ(virtualKeyFor(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(virtualKeyFor(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(virtualKeyFor(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(virtualKeyFor(SDLK_TAB), VK_TAB);
    EXPECT_EQ(virtualKeyFor(SDLK_PAGEUP), VK_PRIOR);
    EXPECT_EQ(virtualKeyFor(SDLK_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(virtualKeyFor(SDLK_HOME), VK_HOME);
    EXPECT_EQ(virtualKeyFor(SDLK_END), VK_END);
}

TEST(KeyTranslation, LettersAndDigitsAreTheirCapitalAsciiCodes) {
    EXPECT_EQ(virtualKeyFor(SDLK_a), UINT{'A'});
    EXPECT_EQ(virtualKeyFor(SDLK_q), UINT{'Q'});
    EXPECT_EQ(virtualKeyFor(SDLK_z), UINT{'Z'});
    EXPECT_EQ(virtualKeyFor(SDLK_0), UINT{'0'});
    EXPECT_EQ(virtualKeyFor(SDLK_9), UINT{'9'});
}

TEST(KeyTranslation, KeysTheGameHasNoUseForGiveNothing) {
    EXPECT_FALSE(virtualKeyFor(SDLK_F1));
    EXPECT_FALSE(virtualKeyFor(SDLK_LSHIFT));
    EXPECT_FALSE(virtualKeyFor(SDLK_LCTRL));
    EXPECT_FALSE(virtualKeyFor(SDLK_VOLUMEUP));
    EXPECT_FALSE(translateKey(SDLK_F12, KMOD_NONE));
}

TEST(KeyTranslation, ControlQIsTheLetterWithTheControlModifier) {
    EXPECT_EQ(translateKey(SDLK_q, KMOD_LCTRL), (TranslatedKey{'Q', MODIFIER_CONTROL}));
    EXPECT_EQ(translateKey(SDLK_q, KMOD_RCTRL), (TranslatedKey{'Q', MODIFIER_CONTROL}));
    EXPECT_EQ(translateKey(SDLK_q, KMOD_NONE), (TranslatedKey{'Q', MODIFIER_NONE}));
}

TEST(KeyTranslation, ModifiersKeepTheirMeaning) {
    EXPECT_EQ(modifiersFor(KMOD_NONE), MODIFIER_NONE);
    EXPECT_EQ(modifiersFor(KMOD_LSHIFT), MODIFIER_SHIFT);
    EXPECT_EQ(modifiersFor(KMOD_RALT), MODIFIER_ALT);
    EXPECT_EQ(modifiersFor(KMOD_LCTRL | KMOD_RSHIFT), MODIFIER_CONTROL | MODIFIER_SHIFT);
    // Lock keys are not modifiers of a press.
    EXPECT_EQ(modifiersFor(KMOD_NUM | KMOD_CAPS), MODIFIER_NONE);
}

TEST(KeyTranslation, F9TurnsTheScreenAndNothingElseDoes) {
    EXPECT_TRUE(isRotateKey(SDLK_F9));
    EXPECT_FALSE(isRotateKey(SDLK_F8));
    EXPECT_FALSE(isRotateKey(SDLK_r));
}

TEST(KeyTranslation, PlusAndMinusOfEitherKeyboardZoom) {
    for (const auto& [key, virtualKey] : {std::pair{SDLK_EQUALS, VK_OEM_PLUS},
                                          {SDLK_PLUS, VK_OEM_PLUS},
                                          {SDLK_KP_PLUS, VK_ADD},
                                          {SDLK_MINUS, VK_OEM_MINUS},
                                          {SDLK_KP_MINUS, VK_SUBTRACT}}) {
        EXPECT_EQ(virtualKeyFor(key), virtualKey) << key;
    }
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

TEST(CursorTranslation, EachOfTheGamesCursorsHasItsShape) {
    EXPECT_EQ(sdlCursorFor(IDC_ARROW), SDL_SYSTEM_CURSOR_ARROW);
    EXPECT_EQ(sdlCursorFor(IDC_CROSS), SDL_SYSTEM_CURSOR_CROSSHAIR);
    EXPECT_EQ(sdlCursorFor(IDC_WAIT), SDL_SYSTEM_CURSOR_WAIT);
}

TEST(SoundFormat, PcmWavesMapToSdlsFormats) {
    WaveFile wave;
    wave.bitsPerSample = 8;
    EXPECT_EQ(sdlFormatOf(wave), AUDIO_U8);
    wave.bitsPerSample = 16;
    EXPECT_EQ(sdlFormatOf(wave), AUDIO_S16LSB);
    wave.bitsPerSample = 24;
    EXPECT_EQ(sdlFormatOf(wave), 0);
    wave.bitsPerSample = 16;
    wave.format = 3;  // floating point: not a format the game's resources use
    EXPECT_EQ(sdlFormatOf(wave), 0);
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

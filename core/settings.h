// The player's choices that outlive a run, the program's folder, and the two
// flags of the running game. Built before the entry point runs; read from the
// settings store once, written back once when the main window goes away.
#pragma once

#include <cstdint>

#include "platform/base/types.h"

// How the board helps the player; stored as its number.
enum class PaintingMode : std::uint32_t { Normal = 0, Hint = 1, Free = 2 };
inline constexpr std::uint32_t kPaintingModeCount = 3;

// What a tap on the board does.
enum class TapTool : std::uint32_t { Zoom = 0, Paint = 1 };

class Settings {
  public:
    // Finds the program folder and the default pattern beside it (ending the
    // program with a warning when it is missing), sets the defaults, then loads.
    Settings();

    // The defaults alone: no program folder, no store. For the tools, which
    // read patterns but are not the game.
    struct DefaultsOnly {};
    explicit Settings(DefaultsOnly);

    // Reads the stored values over the current ones; a missing store or value
    // leaves them as they are.
    void load();
    // Writes the stored values; failures are silent.
    void save() const;
    // Every choice back to its default; the current pattern stays.
    void resetToDefaults();
    void clearGameFlags();

    std::uint32_t ColorScheme = 0;   // 0 ... 3
    std::uint32_t Level = 1;         // 0 ... 2
    std::uint32_t PaintingMode = 0;  // a PaintingMode, as stored
    std::uint32_t Sound = 1;
    std::uint32_t Clock = 1;
    // Keep each picture's progress between runs; 0 forgets it as the handheld did.
    std::uint32_t KeepProgress = 1;
    std::uint8_t clockStarted = 0;
    std::uint8_t paused = 0;
    WCHAR CurrentPattern[MAX_PATH] = {};
    WCHAR CurrentPatternShort[MAX_PATH] = {};
    // The folder of the patterns: the program's own, or the installed
    // share/vellumar/ when the default pattern is not beside the program.
    WCHAR programFolder[MAX_PATH] = {};
};

inline bool inPaintingMode(const Settings& settings, PaintingMode mode) {
    return settings.PaintingMode == static_cast<std::uint32_t>(mode);
}

// The settings' place in the store, under HKEY_LOCAL_MACHINE.
inline constexpr const WCHAR* kSettingsKey = u"Software\\Quillory\\Vellumar";
inline constexpr const WCHAR* kDefaultPatternFile = u"MonaLisa.mza";

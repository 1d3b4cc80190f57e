// The whole game on the headless backend: a program folder of its own with
// the patterns a test gives, a settings store of its own, a virtual screen,
// and the game started through its real start-up. Tests then drive it with
// taps, keys and the clock, and look at pixels, sounds and the settings file.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/app_state.h"
#include "pattern/pattern_file.h"
#include "platform/headless/headless_backend.h"
#include "tests/support/temp_folder.h"
#include "ui/screen_layout.h"

// A square picture of `columns` x `rows` square pieces; piece k has colour
// k % colours. Labels at the pieces' centres.
PatternFile gridPattern(int columns, int rows, int colours);

// How many pixels differ; every one when the sizes do.
int differingPixels(const platform::Surface& a, const platform::Surface& b);

class GameHarness {
  public:
    // `patterns`: file name (e.g. "MonaLisa.mza") to records, written into the
    // program folder before the game starts.
    explicit GameHarness(std::map<std::string, PatternFile> patterns, int width = 240, int height = 294);
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Builds the game's state, starts it and runs until idle; false when the
    // start-up refused.
    bool start();
    // Closes the game as the player does and starts it again in the same folders.
    bool restart();

    platform::HeadlessBackend backend;
    TempFolder root;

    // The program folder, ending in its separator.
    std::string programFolder() const;
    // Replaces the settings store with `values`; KeepProgress is off unless
    // they say otherwise, so that the game plays as the handheld did.
    void writeSettings(const std::string& values);
    // Where the kept progress of the pictures lies.
    std::filesystem::path progressFolder() const { return root / "data" / "vellumar" / "progress"; }
    std::string settingsFile() const;

    // Taps the middle of a control, placed by the layout of the current screen.
    void tapControl(int id);
    // The window pixel over pattern point (x, y) in the current view, and a tap there.
    POINT patternPixel(int x, int y);
    void tapPattern(int x, int y);
    void tapWindow(int x, int y);
    void pressKey(UINT key, BYTE modifiers = 0);
    void runFor(std::uint64_t milliseconds) { backend.runFor(milliseconds); }
    // The game's own message loop, fed by the backend's script; answers the
    // loop's exit code (the loop also ends when the script runs out).
    int runMessageLoop();

    // Taps a piece's centre (its bounding box's middle).
    void tapPiece(int index);
    std::vector<std::string> takeSounds();
    bool visible(int id) const;
    bool enabled(int id) const;

    // A width x height thumbnail beside the patterns, for the chooser.
    void writeThumbnail(const std::string& fileName, int width, int height);
    // Runs `inside` on the chooser's window while it is open, then Open or Cancel.
    void throughChooser(std::function<void(HWND dialog)> inside, bool pressOpen);
    // The chooser's list: its entries.
    static std::vector<std::u16string> listEntries(HWND list);
    // How many screen pixels a full repaint of the game (window erased, every
    // control redrawn) changes: 0 when the screen was up to date.
    int pixelsAFullRepaintChanges();

  private:
    ScopedConfigHome config_;
    ScopedEnvironment data_;
};

#include "tests/support/game_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

#include "app/entry.h"
#include "core/control_ids.h"
#include "pattern/view_transform.h"
#include "platform/base/text.h"
#include "platform/controls/list_box.h"
#include "platform/controls/message_box.h"
#include "platform/pixels/bmp_encoder.h"
#include "platform/system/resources.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window.h"
#include "platform/windows/window_object.h"
#include "tests/support/pattern_builder.h"

extern const platform::ResourceTable vellumarResources;

namespace {

// The game's resources are registered once per process: the first module is
// the program's own.
HINSTANCE gameModule() {
    static const HINSTANCE module = platform::registerModule(vellumarResources);
    return module;
}

}  // namespace

PatternFile gridPattern(int columns, int rows, int colours) {
    PatternFile file = squareFile(true);
    for (int c = 0; c < colours; ++c) {
        addColour(file, 40 + 50 * c % 200, 200 - 30 * c % 180, 90 + 70 * c % 160);
    }
    const int w = 16000 / columns, h = 16000 / rows;
    for (int k = 0; k < columns * rows; ++k) {
        const int x = (k % columns) * w, y = (k / columns) * h;
        addPolylinePiece(file, {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, k % colours, x + w / 2,
                         16000 - y - h / 2);
    }
    return file;
}

GameHarness::GameHarness(std::map<std::string, PatternFile> patterns, int width, int height)
    : config_(root / "config"), data_("XDG_DATA_HOME", (root / "data").string()) {
    writeSettings("");
    for (const auto& [name, file] : patterns) {
        writeBytesTo(root / "Games" / name, serializePatternFile(file));
    }
    backend.setProgramPath(platform::utf8ToUtf16((root / "Games" / "vellumar").string()));
    backend.setScreenSize(width, height);
}

GameHarness::~GameHarness() {
    if (appStateExists()) {
        if (IsWindow(appState.mainWindow)) {
            DestroyWindow(appState.mainWindow);
        }
        destroyAppState();
    }
}

bool GameHarness::start() {
    constructAppState();
    const bool up = initInstance(gameModule(), SW_SHOW);
    backend.runUntilIdle();
    return up;
}

bool GameHarness::restart() {
    PostMessage(appState.mainWindow, WM_CLOSE, 0, 0);
    backend.runUntilIdle();
    platform::resetWindows();
    return start();
}

int GameHarness::runMessageLoop() {
    return ::runMessageLoop(gameModule());
}

std::string GameHarness::programFolder() const {
    return (root / "Games").string() + "/";
}

void GameHarness::writeSettings(const std::string& values) {
    const std::string keepProgress =
        values.find("\"KeepProgress\"") == std::string::npos ? "\"KeepProgress\"=dword:00000000\n" : "";
    root.write(
        "config/vellumar/registry.reg",
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Quillory\\Vellumar]\n" +
            keepProgress + values);
}

std::string GameHarness::settingsFile() const {
    return root.read("config/vellumar/registry.reg");
}

void GameHarness::tapWindow(int x, int y) {
    backend.tap(x, y);
    backend.runUntilIdle();
}

void GameHarness::tapControl(int id) {
    RECT client{};
    GetClientRect(appState.mainWindow, &client);
    const ScreenLayout layout = computeLayout(client.right, client.bottom, kToolbarBitmapSizes);
    const ControlPlacement* p = layout.find(id);
    ASSERT_NE(p, nullptr) << "control " << id << " has no place";
    tapWindow(p->left + p->width / 2, p->top + p->height / 2);
}

// The game's own view is left as it is: a stale one must show in the tap.
POINT GameHarness::patternPixel(int x, int y) {
    Pattern& p = *appState.pattern;
    const ViewTransform gameView = p.viewTransform;
    setZoom(p, appState.zoom);
    setCentre(p, appState.centreX, appState.centreY);
    const POINT pixel = patternToBoard(p.viewTransform, boardScale(p.viewTransform), {x, y});
    p.viewTransform = gameView;
    return {appState.boardRect.left + pixel.x, appState.boardRect.top + pixel.y};
}

void GameHarness::tapPattern(int x, int y) {
    const POINT pixel = patternPixel(x, y);
    tapWindow(pixel.x, pixel.y);
}

void GameHarness::tapPiece(int index) {
    const Piece& piece = appState.pattern->pieces[index];
    tapPattern((piece.boundsMinX + piece.boundsMaxX) / 2, (piece.boundsMinY + piece.boundsMaxY) / 2);
}

void GameHarness::pressKey(UINT key, BYTE modifiers) {
    backend.pressKey(key, modifiers);
    backend.runUntilIdle();
}

std::vector<std::string> GameHarness::takeSounds() {
    std::vector<std::string> sounds = backend.soundLog();
    backend.clearSoundLog();
    return sounds;
}

bool GameHarness::visible(int id) const {
    return IsWindowVisible(GetDlgItem(appState.mainWindow, id)) != 0;
}
bool GameHarness::enabled(int id) const {
    return IsWindowEnabled(GetDlgItem(appState.mainWindow, id)) != 0;
}

void GameHarness::writeThumbnail(const std::string& fileName, int width, int height) {
    writeBytesTo(programFolder() + fileName,
                 platform::encodeBmp24(platform::Surface(width, height, 0xC03020)));
}

void GameHarness::throughChooser(std::function<void(HWND dialog)> inside, bool pressOpen) {
    backend.script().call([inside, pressOpen] {
        const HWND dialog = appState.chooserWindow;
        inside(dialog);
        SendMessage(dialog, WM_COMMAND, pressOpen ? IDOK : IDCANCEL, 0);
    });
    tapControl(IDC_OPEN);
}

std::vector<std::u16string> GameHarness::listEntries(HWND list) {
    std::vector<std::u16string> entries;
    for (LRESULT i = 0; i < SendMessage(list, LB_GETCOUNT, 0, 0); ++i) {
        WCHAR text[64] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

int differingPixels(const platform::Surface& a, const platform::Surface& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return static_cast<int>(std::max(a.pixels().size(), b.pixels().size()));
    }
    return std::transform_reduce(a.pixels().begin(), a.pixels().end(), b.pixels().begin(), 0, std::plus<>(),
                                 std::not_equal_to<>());
}

int GameHarness::pixelsAFullRepaintChanges() {
    const platform::Surface before = backend.screen();
    InvalidateRect(appState.mainWindow, nullptr, TRUE);
    backend.runUntilIdle();
    return differingPixels(before, backend.screen());
}

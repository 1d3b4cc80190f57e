#include "tools/vellumar-art/game_screen.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/control_ids.h"
#include "core/settings.h"
#include "pattern/painting.h"
#include "pattern/pattern.h"
#include "pattern/pattern_file.h"
#include "pattern/pattern_writer.h"
#include "pattern/view_transform.h"
#include "platform/base/text.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/system/resources.h"
#include "render/board_picture.h"
#include "render/button_faces.h"
#include "render/countdown_timer.h"
#include "render/game_fonts.h"
#include "resources/vellumar_ids.h"
#include "tools/vellumar-art/catalogue.h"
#include "tools/vellumar-art/output.h"

namespace art {

HINSTANCE facesModule() {
    static const HINSTANCE module = [] {
        static std::deque<std::vector<std::byte>> files;
        static std::vector<platform::ResourceEntry> entries;
        for (const Artwork& a : catalogue()) {
            if (a.render) {
                continue;  // a chart, not a face
            }
            for (const int scale : kScales) {
                files.push_back(bitmapFile(a, scale));
                entries.push_back({"BITMAP", a.id, {}, scale, files.back()});
            }
        }
        static const platform::ResourceTable table{entries};
        return platform::registerModule(table);
    }();
    return module;
}

namespace {

// A cottage under a sun between two hills: six colours, eight pieces.
PatternModel demoModel() {
    const auto box = [](double l, double t, double r, double b) {
        Outline o{{l, t}, {}};
        for (const PointD p : {PointD{r, t}, PointD{r, b}, PointD{l, b}, PointD{l, t}}) {
            o.spans.push_back({true, {}, {}, p, 0});
        }
        return o;
    };
    const auto polygon = [](std::initializer_list<PointD> points) {
        Outline o{*points.begin(), {}};
        for (auto it = points.begin() + 1; it != points.end(); ++it) {
            o.spans.push_back({true, {}, {}, *it, 0});
        }
        o.spans.push_back({true, {}, {}, *points.begin(), 0});
        return o;
    };
    const ColourRecord sky{150, 200, 240}, sun{250, 206, 64}, grass{118, 184, 86}, hill{58, 124, 74},
        roof{196, 64, 52}, wall{240, 226, 192};
    PatternModel m;
    m.sourceWidth = 1600;
    m.sourceHeight = 1100;
    m.pieces = {
        {sky, {box(-8000, -5500, 8000, 5500)}, {-5600, -3600}},
        {sun,
         {polygon({{4200, -4300},
                   {5800, -4300},
                   {6600, -3500},
                   {6600, -2300},
                   {5800, -1500},
                   {4200, -1500},
                   {3400, -2300},
                   {3400, -3500}})},
         {5000, -2900}},
        {hill,
         {polygon({{-8000, 800}, {-3600, -1400}, {1800, 400}, {8000, -1600}, {8000, 5500}, {-8000, 5500}})},
         {5200, 600}},
        {grass,
         {polygon({{-8000, 2600}, {0, 1700}, {8000, 2900}, {8000, 5500}, {-8000, 5500}})},
         {4600, 4200}},
        {wall, {box(-4600, -200, 600, 3800)}, {-1000, 1000}},
        {roof, {polygon({{-5400, -100}, {-2000, -3100}, {1400, -100}})}, {-2000, -1200}},
        {hill, {box(-1600, 1400, -200, 3800)}, {-900, 2700}},
        {sky, {box(-3900, 600, -2500, 1900)}, {-3200, 1300}},
    };
    return m;
}

// The demo game: the pattern loaded through the real reader, the sky and
// the far hill painted, two misses, the grass's colour in hand.
struct DemoGame {
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};

    DemoGame() {
        std::string error;
        const auto file = writePatternFile(demoModel(), error);
        if (file) {
            loadPatternFromBytes(pattern, serializePatternFile(*file));
        }
        settings.Sound = 0;  // painting here is silent
        for (const int piece : {0, 2}) {
            paintPiece(pattern, piece, pattern.pieces[piece].colour);
        }
        settings.Sound = 1;
        pattern.missCount = 2;
        pattern.selectedColour = pattern.pieces[3].colour;
        platform::copyToBuffer(settings.CurrentPatternShort, MAX_PATH, kDemoPatternName);
    }
};

DemoGame& demoGame() {
    static DemoGame game;
    return game;
}

}  // namespace

GameScreen drawGameScreen(int width, int height, int scale, platform::Pixel ground) {
    GameScreen screen{computeLayout(width * scale, height * scale, kToolbarBitmapSizes),
                      platform::Surface(width * scale, height * scale, ground)};
    DemoGame& game = demoGame();
    const platform::OwnedBrush background(CreateSolidBrush(platform::colourFromPixel(ground)));
    const platform::OwnedFont smallFont(createSmallFont(96 * scale));
    const platform::OwnedPen whiteThick(CreatePen(PS_SOLID, 3, RGB(255, 255, 255)));
    const platform::OwnedPen blackThick(CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
    const platform::OwnedPen black(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
    FaceContext context;
    context.instance = facesModule();
    context.pattern = &game.pattern;
    context.settings = &game.settings;
    context.tapMode = TapTool::Paint;
    context.smallFont = smallFont.get();
    context.whiteThickPen = whiteThick.get();
    context.blackThickPen = blackThick.get();
    context.blackPen = black.get();
    context.backgroundBrush = background.get();

    HDC dc = platform::createSurfaceDC(screen.pixels);
    for (const ControlPlacement& c : screen.layout.placements) {
        if (c.id == IDC_HSCROLL || c.id == IDC_VSCROLL) {
            continue;  // hidden until the board is zoomed
        }
        DRAWITEMSTRUCT item{};
        item.CtlID = static_cast<UINT>(c.id);
        item.hDC = dc;
        item.rcItem = {c.left, c.top, c.left + c.width, c.top + c.height};
        drawButtonFace(item, context);
    }
    CountdownTimer clock;
    clock.setAllowance(kDemoAllowanceSeconds);
    clock.reset();
    ClockPanel panel{screen.layout.clockRect, LoadBitmap(context.instance, IDB_CLOCK_PANEL), background.get(),
                     true};
    clock.paintClockPanel(dc, panel);
    DeleteObject(panel.face);
    DeleteDC(dc);
    return screen;
}

platform::Surface drawDemoBoard(int width, int height, int scale) {
    DemoGame& game = demoGame();
    fitToBoard(game.pattern, width, height);
    return drawBoardPicture(game.pattern, BoardView{{0, 0, width, height}, 1.0f, 0, 0}, 96 * scale);
}

}  // namespace art

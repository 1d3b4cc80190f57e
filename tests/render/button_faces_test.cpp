// The owner-drawn faces, drawn onto a surface and read back.
#include "render/button_faces.h"

#include <gtest/gtest.h>

#include "core/control_ids.h"
#include "core/window_colour.h"
#include "pattern/painting.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/pixels/surface.h"
#include "platform/system/resources.h"
#include "render/game_fonts.h"
#include "tests/support/pattern_builder.h"

extern const platform::ResourceTable vellumarResources;

namespace {

constexpr COLORREF kBackground = kWindowColour;

class Faces : public ::testing::Test {
  protected:
    std::unique_ptr<LoadedTestPattern> loaded;
    platform::Surface surface{30, 30, 0x00FF00};
    HDC dc = platform::createSurfaceDC(surface);
    FaceContext context;

    void SetUp() override {
        static const HINSTANCE module = platform::registerModule(vellumarResources);
        PatternFile file = squareFile(true);
        addColour(file, 255, 255, 255);  // luma 232: light
        addColour(file, 0, 0, 0);        // 0: dark
        addColour(file, 0, 255, 12);     // (12 x 0.11 + 0) + 127.5 = 128.82: 128 counts as light
        for (int c = 0; c < 3; ++c) {
            addPolylinePiece(file, {{c * 5000, 0}, {c * 5000 + 4000, 0}, {c * 5000 + 4000, 4000}}, c);
        }
        loaded = loadFromRecords(file);
        ASSERT_EQ(loaded->pattern.colourLuma[2], 128);
        context = {module,
                   &loaded->pattern,
                   &loaded->settings,
                   TapTool::Paint,
                   false,
                   createSmallFont(96),
                   CreatePen(PS_SOLID, 3, RGB(255, 255, 255)),
                   CreatePen(PS_SOLID, 3, RGB(0, 0, 0)),
                   CreatePen(PS_SOLID, 0, RGB(0, 0, 0)),
                   CreateSolidBrush(kBackground)};
    }
    void TearDown() override {
        DeleteDC(dc);
        DeleteObject(context.smallFont);
        DeleteObject(context.whiteThickPen);
        DeleteObject(context.blackThickPen);
        DeleteObject(context.blackPen);
        DeleteObject(context.backgroundBrush);
    }

    void draw(int id, UINT state = 0) {
        DRAWITEMSTRUCT item;
        item.CtlID = static_cast<UINT>(id);
        item.itemState = state;
        item.hDC = dc;
        item.rcItem = {0, 0, surface.width(), surface.height()};
        drawButtonFace(item, context);
    }
    COLORREF at(int x, int y) const { return platform::colourFromPixel(surface.at(x, y)); }
};

}  // namespace

TEST_F(Faces, TheSelectedColourGetsAThickFrameMarkedByItsBrightness) {
    loaded->pattern.selectedColour = 1;
    draw(IDC_PALETTE_FIRST + 1);
    EXPECT_EQ(at(0, 15), RGB(255, 255, 255)) << "dark colour: white frame";
    EXPECT_EQ(at(1, 15), RGB(255, 255, 255)) << "three pixels wide, two inside";
    EXPECT_EQ(at(2, 15), RGB(0, 0, 0));
    loaded->pattern.selectedColour = 2;
    draw(IDC_PALETTE_FIRST + 2);
    EXPECT_EQ(at(1, 15), RGB(0, 0, 0)) << "brightness 128 counts as light: black frame";
    EXPECT_EQ(at(2, 15), RGB(0, 255, 12));
}

TEST_F(Faces, WithTheZoomToolTheSelectedColourShowsOnlyTheThinFrame) {
    loaded->pattern.selectedColour = 1;
    context.tapMode = TapTool::Zoom;
    draw(IDC_PALETTE_FIRST + 1);
    EXPECT_EQ(at(0, 15), RGB(0, 0, 0));
    EXPECT_EQ(at(1, 15), RGB(0, 0, 0)) << "the swatch itself, black";
    draw(IDC_PALETTE_FIRST + 0);
    EXPECT_EQ(at(0, 15), RGB(0, 0, 0));
    EXPECT_EQ(at(1, 15), RGB(255, 255, 255));
}

TEST_F(Faces, FinishedAndUnusedColoursAreBlankExceptFinishedOnesInFreeMode) {
    loaded->pattern.piecesLeftPerColour[0] = 0;
    draw(IDC_PALETTE_FIRST + 0);
    EXPECT_EQ(at(15, 15), kBackground);
    loaded->settings.PaintingMode = 2;
    draw(IDC_PALETTE_FIRST + 0);
    EXPECT_EQ(at(5, 5), RGB(255, 255, 255));
    draw(IDC_PALETTE_FIRST + 5);
    EXPECT_EQ(at(15, 15), kBackground) << "beyond the pattern's colours";
    context.pattern = nullptr;
    draw(IDC_PALETTE_FIRST + 1);
    EXPECT_EQ(at(15, 15), kBackground);
}

TEST_F(Faces, FaceBitmapsFollowTheSettingsAndThePressedState) {
    const auto picture = [&](int id, UINT state = 0) {
        draw(id, state);
        return std::vector<platform::Pixel>(surface.pixels().begin(), surface.pixels().end());
    };
    EXPECT_NE(picture(IDC_ZOOM_IN), picture(IDC_ZOOM_IN, ODS_SELECTED));
    EXPECT_EQ(picture(IDC_SOUND), picture(IDC_SOUND, ODS_SELECTED)) << "settings faces ignore the press";
    const auto soundOn = picture(IDC_SOUND);
    loaded->settings.Sound = 0;
    EXPECT_NE(picture(IDC_SOUND), soundOn);
    loaded->settings.ColorScheme = 7;  // out of range: shows scheme 0
    const auto outOfRange = picture(IDC_COLOR_SCHEME);
    loaded->settings.ColorScheme = 0;
    EXPECT_EQ(picture(IDC_COLOR_SCHEME), outOfRange);
    surface = platform::Surface(30, 30, 0x00FF00);
    context.chooserOpen = true;
    draw(IDC_OPEN);
    EXPECT_EQ(at(15, 15), RGB(0, 255, 0)) << "not redrawn while the chooser is open";
}

TEST(BitmapInRect, AFittedThumbnailKeepsItsAspectAndIsCentred) {
    platform::HeadlessBackend backend;
    platform::Surface frame(96, 177, 0);
    const HDC dc = platform::createSurfaceDC(frame);
    const HBRUSH background = CreateSolidBrush(kBackground);
    const HBITMAP thumbnail = platform::createBitmap(platform::Surface(100, 50, 0xFF0000));
    drawBitmapInRect(dc, {0, 0, 96, 177}, thumbnail, BitmapFit::Fit, background);
    EXPECT_EQ(platform::colourFromPixel(frame.at(0, 63)), kBackground);
    EXPECT_EQ(platform::colourFromPixel(frame.at(0, 64)), RGB(255, 0, 0)) << "96 x 48, 64 pixels down";
    EXPECT_EQ(platform::colourFromPixel(frame.at(95, 111)), RGB(255, 0, 0));
    EXPECT_EQ(platform::colourFromPixel(frame.at(95, 112)), kBackground);
    drawBitmapInRect(dc, {0, 0, 96, 177}, nullptr, BitmapFit::Fit, background);
    EXPECT_EQ(platform::colourFromPixel(frame.at(40, 80)), kBackground) << "no bitmap: the background only";
    DeleteObject(thumbnail);
    DeleteObject(background);
    DeleteDC(dc);
}

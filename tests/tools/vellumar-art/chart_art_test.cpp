// The help charts show the game as it lays itself out: each toolbar button
// of a chart holds that button's own face, at the rectangle computeLayout
// gives it (the portrait chart's board is four pixels shorter than the
// screen's, so what lies below the board is four pixels higher).
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/control_ids.h"
#include "platform/drawing/bitmap.h"
#include "platform/pixels/bmp_decoder.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/resource_images.h"
#include "platform/system/resources.h"
#include "tests/support/picture_compare.h"
#include "ui/screen_layout.h"

extern const platform::ResourceTable vellumarResources;

namespace {

using platform::Surface;

HINSTANCE gameModule() {
    static HINSTANCE module = platform::registerModule(vellumarResources);
    return module;
}

Surface chartAt(int id, int scale) {
    const platform::ResourceEntry* entry = platform::findResource(gameModule(), "BITMAP", id, scale);
    if (entry == nullptr) {
        ADD_FAILURE() << "no chart " << id << " at " << scale << "x";
        return {};
    }
    auto picture = platform::decodeBmp(entry->data);
    return picture ? std::move(*picture) : Surface{};
}

Surface crop(const Surface& from, int left, int top, int width, int height) {
    Surface out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.set(x, y, from.at(left + x, top + y));
        }
    }
    return out;
}

// The face as the game draws it on a button of that size: the bitmap resource
// stretched over the whole button.
Surface faceAt(int bitmapId, int width, int height) {
    Surface out(width, height);
    const HBITMAP face = LoadBitmap(gameModule(), bitmapId);
    BITMAP size{};
    GetObject(face, sizeof size, &size);
    HDC source = CreateCompatibleDC(nullptr);
    const HBITMAP old = SelectObject(source, face);
    HDC dc = platform::createSurfaceDC(out);
    StretchBlt(dc, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    DeleteDC(dc);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(face);
    return out;
}

// The toolbar buttons with the faces of the game the charts show: sound and
// clock on, the clock not paused, nothing held down.
struct ToolbarFace {
    int control;
    int bitmap;
};
constexpr std::array<ToolbarFace, 8> kToolbar = {{{IDC_ZOOM_IN, 702},
                                                  {IDC_ZOOM_OUT, 704},
                                                  {IDC_SOUND, 706},
                                                  {IDC_TIMER, 708},
                                                  {IDC_RESTART, 710},
                                                  {IDC_PAUSE, 713},
                                                  {IDC_COMPLETE, 714},
                                                  {IDC_HELP, 716}}};

// Chart pixels are an 8-bit palette's nearest colours, so a face matches to
// within a level or two; another face, or the same one a pixel off, does not.
constexpr double kSameFace = 3.0;

struct ChartCase {
    int id;
    int width;
    int screenHeight;  // the layout's client area
    int shiftBelowBoard;
};

void expectToolbarWhereLaidOut(const ChartCase& c) {
    for (int scale = 1; scale <= 4; ++scale) {
        const Surface chart = chartAt(c.id, scale);
        ASSERT_FALSE(chart.empty());
        const ScreenLayout layout =
            computeLayout(c.width * scale, c.screenHeight * scale, kToolbarBitmapSizes);
        const int dy = -c.shiftBelowBoard * scale;
        for (const ToolbarFace& t : kToolbar) {
            const ControlPlacement* p = layout.find(t.control);
            ASSERT_NE(p, nullptr);
            const std::string what = std::to_string(c.id) + " at " + std::to_string(scale) + "x, control " +
                                     std::to_string(t.control);
            const Surface face = faceAt(t.bitmap, p->width, p->height);
            EXPECT_LT(
                arttest::meanAbsoluteDifference(crop(chart, p->left, p->top + dy, p->width, p->height), face),
                kSameFace)
                << what;
            // A pixel (at 1x) to the side is already far off: the match is not the ground's.
            EXPECT_GT(arttest::meanAbsoluteDifference(
                          crop(chart, p->left + scale, p->top + dy + scale, p->width, p->height), face),
                      2 * kSameFace)
                << what << ", moved by a pixel";
        }
    }
}

}  // namespace

TEST(HelpChart, PortraitAndLandscapeToolbarsLieWhereTheLayoutPutsThem) {
    expectToolbarWhereLaidOut({718, 240, 294, 4});
    expectToolbarWhereLaidOut({719, 320, 214, 0});
}

TEST(HelpChart, GroundIsTheChartsPurple) {
    // The top-left pixel of the landscape board's right strip and of the
    // portrait palette's last cell, neither of them covered by a control.
    constexpr platform::Pixel kGround = 0x6B559C;  // RGB(107, 85, 156)
    for (int scale = 1; scale <= 4; ++scale) {
        EXPECT_EQ(chartAt(718, scale).at(239 * scale, 240 * scale), kGround) << scale;
        EXPECT_EQ(chartAt(719, scale).at(315 * scale, 100 * scale), kGround) << scale;
    }
}

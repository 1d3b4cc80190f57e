#include "tools/vellumar-art/contact_sheet.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/control_ids.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/text_renderer.h"
#include "platform/pixels/bmp_decoder.h"
#include "resources/vellumar_ids.h"
#include "tools/codecs/png_writer.h"
#include "tools/vellumar-art/catalogue.h"
#include "tools/vellumar-art/face_style.h"
#include "tools/vellumar-art/output.h"
#include "ui/screen_layout.h"

namespace art {

namespace {

constexpr int kSheetWidth = 1320;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr Pixel kSheetBackground = rgb(222, 222, 226);

// The bitmaps as the game will load them: decoded from the files we write,
// the 1x picture carrying its larger variants.
struct Shipped {
    const Artwork* art;
    HBITMAP bitmap;
};

HBITMAP shippedBitmap(const Artwork& a) {
    HBITMAP bitmap = platform::loadBitmap(bitmapFile(a, 1));
    for (int scale = 2; scale <= 4; ++scale) {
        if (auto variant = platform::decodeBmp(bitmapFile(a, scale))) {
            platform::addBitmapVariant(bitmap, scale, std::move(*variant));
        }
    }
    return bitmap;
}

class Sheet {
  public:
    explicit Sheet(int height) : surface(kSheetWidth, height, kSheetBackground) {}

    void label(const std::string& text, int x, int y, COLORREF colour = RGB(40, 40, 48), int height = 13) {
        const platform::OwnedFont font(CreateFont(-height, FW_BOLD, u"Liberation Sans"));
        HDC dc = platform::createSurfaceDC(surface);
        SelectObject(dc, font.get());
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        const std::u16string wide(text.begin(), text.end());
        RECT box{x, y, x + 600, y + height + 4};
        DrawText(dc, wide.c_str(), -1, &box, DT_LEFT);
        DeleteDC(dc);
    }

    // Stretches the whole bitmap onto the box, as the game draws its faces.
    void stretch(HBITMAP bitmap, int x, int y, int width, int height) {
        HDC source = CreateCompatibleDC(nullptr);
        const HBITMAP previous = SelectObject(source, bitmap);
        BITMAP info;
        GetObject(bitmap, sizeof info, &info);
        HDC dc = platform::createSurfaceDC(surface);
        StretchBlt(dc, x, y, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        DeleteDC(dc);
        SelectObject(source, previous);
        DeleteDC(source);
    }

    void fill(int x, int y, int width, int height, Pixel colour) {
        for (int j = std::max(0, y); j < std::min(surface.height(), y + height); ++j) {
            for (int i = std::max(0, x); i < std::min(surface.width(), x + width); ++i) {
                surface.set(i, j, colour);
            }
        }
    }

    void copy(const Surface& picture, int x, int y) {
        for (int j = 0; j < picture.height(); ++j) {
            for (int i = 0; i < picture.width(); ++i) {
                surface.set(x + i, y + j, picture.at(i, j));
            }
        }
    }

    Surface surface;
};

// Text in a box of the mock screen, the way the game writes on its panels.
void panelText(Sheet& sheet, const char16_t* text, RECT box, COLORREF colour, int height, UINT format) {
    const platform::OwnedFont font(CreateFont(-height, FW_NORMAL, u"Arial"));
    HDC dc = platform::createSurfaceDC(sheet.surface);
    SelectObject(dc, font.get());
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawText(dc, text, -1, &box, format | DT_VCENTER | DT_SINGLELINE);
    DeleteDC(dc);
}

// The portrait screen at `factor` times 240 x 294, its board left white.
void mockScreen(Sheet& sheet, const std::map<int, HBITMAP>& bitmaps, int left, int top, int factor) {
    const int w = 240 * factor;
    const int h = 294 * factor;
    const ScreenLayout layout = computeLayout(w, h, kToolbarBitmapSizes);
    sheet.fill(left, top, w, h, kPurple);
    const BoardRectangle board = layout.boardRectFull;
    sheet.fill(left + board.left, top + board.top, board.width, board.height, rgb(250, 250, 250));
    const std::map<int, int> faces = {{IDC_BANNER, IDB_BANNER},
                                      {IDC_ZOOM_IN, IDB_ZOOM_IN},
                                      {IDC_ZOOM_OUT, IDB_ZOOM_OUT},
                                      {IDC_SOUND, IDB_SOUND_ON},
                                      {IDC_TIMER, IDB_CLOCK_SHOWN},
                                      {IDC_RESTART, IDB_RESTART},
                                      {IDC_PAUSE, IDB_RUNNING},
                                      {IDC_COMPLETE, IDB_COMPLETE},
                                      {IDC_HELP, IDB_HELP},
                                      {IDC_LEVEL_0, IDB_LEVEL_OTHER},
                                      {IDC_LEVEL_1, IDB_LEVEL_CURRENT},
                                      {IDC_LEVEL_2, IDB_LEVEL_OTHER},
                                      {IDC_STATUS, IDB_STATUS_PANEL},
                                      {IDC_PATTERN_NAME, IDB_PATTERN_NAME},
                                      {IDC_RESET, IDB_RESET},
                                      {IDC_CLOSE, IDB_CLOSE},
                                      {IDC_OPEN, IDB_OPEN},
                                      {IDC_COLOR_SCHEME, IDB_SCHEME_0},
                                      {IDC_PAINTING_MODE, IDB_MODE_NORMAL}};
    for (const ControlPlacement& c : layout.placements) {
        if (const auto face = faces.find(c.id); face != faces.end()) {
            sheet.stretch(bitmaps.at(face->second), left + c.left, top + c.top, c.width, c.height);
        } else if (c.id >= IDC_PALETTE_FIRST && c.id < IDC_PALETTE_FIRST + 24) {
            const int i = c.id - IDC_PALETTE_FIRST;
            const Pixel swatch = rgb(40 + (i * 53) % 200, 60 + (i * 97) % 180, 50 + (i * 31) % 190);
            sheet.fill(left + c.left, top + c.top, c.width, c.height, rgb(0, 0, 0));
            sheet.fill(left + c.left + 1, top + c.top + 1, c.width - 2, c.height - 2, swatch);
        }
    }
    const RECT clock = layout.clockRect;
    sheet.stretch(bitmaps.at(IDB_CLOCK_PANEL), left + clock.left, top + clock.top, clock.right - clock.left,
                  clock.bottom - clock.top);
    const int small = 9 * factor;
    panelText(sheet, u"05:40", {left + clock.left, top + clock.top, left + clock.right, top + clock.bottom},
              RGB(255, 255, 255), 16 * factor, DT_CENTER);
    if (const ControlPlacement* name = layout.find(IDC_PATTERN_NAME)) {
        const RECT box{left + name->left + name->width / 20, top + name->top, left + name->left + name->width,
                       top + name->top + name->height};
        panelText(sheet, u"MonaLisa", box, RGB(255, 255, 255), small, DT_LEFT);
    }
    if (const ControlPlacement* status = layout.find(IDC_STATUS)) {
        const int l = left + status->left;
        const int t = top + status->top;
        const int sw = status->width;
        const int b = t + status->height;
        panelText(sheet, u"1234", {l, t, l + sw * 37 / 100, b}, RGB(255, 255, 255), small, DT_CENTER);
        panelText(sheet, u"17", {l + sw * 40 / 100, t, l + sw * 68 / 100, b}, RGB(255, 255, 255), small,
                  DT_CENTER);
        panelText(sheet, u"3", {l + sw * 717 / 1000, t, l + sw, b}, RGB(255, 0, 0), small, DT_CENTER);
    }
}

// The largest variant that fits beside the 1x picture on the sheet.
int shownFactor(const Artwork& a) {
    return std::clamp((kSheetWidth - 2 * kMargin - a.width - 10) / a.width, 1, 4);
}

// Where each artwork's cell goes on the sheet.
struct Cell {
    const Artwork* art;
    int x, y;
};

// The cells laid out in rows, to know the sheet's height: the cells, and the
// bottom of their last row.
std::pair<std::vector<Cell>, int> layOutCells() {
    std::vector<Cell> cells;
    int x = kMargin;
    int y = kMargin + 24;
    int rowHeight = 0;
    for (const Artwork& a : catalogue()) {
        const int factor = shownFactor(a);
        const int width = std::max(a.width * (factor + 1) + 10, 150);
        const int height = kLabelHeight + a.height * factor;
        if (x + width > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kMargin;
            rowHeight = 0;
        }
        cells.push_back({&a, x, y});
        x += width + 2 * kMargin;
        rowHeight = std::max(rowHeight, height);
    }
    return {cells, y + rowHeight};
}

// Each bitmap at 1x and enlarged beside it; answers the bitmaps by number,
// for the mock screens.
std::map<int, HBITMAP> drawArtworkCells(Sheet& sheet, const std::vector<Cell>& cells) {
    std::map<int, HBITMAP> bitmaps;
    for (const Cell& c : cells) {
        const Artwork& a = *c.art;
        bitmaps[a.id] = shippedBitmap(a);
        sheet.label(std::to_string(a.id) + "  " + a.what + (a.bitsPerPixel == 24 ? " (24-bit)" : ""), c.x,
                    c.y);
        sheet.copy(platform::bitmapSurface(bitmaps[a.id]), c.x, c.y + kLabelHeight);
        const int factor = shownFactor(a);
        sheet.stretch(bitmaps[a.id], c.x + a.width + 10, c.y + kLabelHeight, a.width * factor,
                      a.height * factor);
    }
    return bitmaps;
}

// The icon at one size over the sheet's grey, as a desktop would show it.
Surface iconOverSheet(int size) {
    const Coverage icon = drawIcon(size);
    Surface shown(size, size);
    for (std::size_t i = 0; i < icon.alpha.size(); ++i) {
        const int a = icon.alpha[i];
        const Pixel p = icon.pixels.pixels()[i];
        int channels[3];
        for (int k = 0; k < 3; ++k) {
            const int over = static_cast<int>((p >> (16 - 8 * k)) & 0xFF);
            const int under = static_cast<int>((kSheetBackground >> (16 - 8 * k)) & 0xFF);
            channels[k] = (over * a + under * (255 - a) + 127) / 255;
        }
        shown.pixels()[i] = rgb(channels[0], channels[1], channels[2]);
    }
    return shown;
}

void drawIcons(Sheet& sheet, int top) {
    sheet.label("Icon 101 at 16, 32, 48, 64, 128 and 256 pixels", kMargin, top - 20, RGB(40, 40, 48), 16);
    int x = kMargin;
    for (const int size : kIconSizes) {
        sheet.label(iconFileName(size), x, top);
        sheet.copy(iconOverSheet(size), x, top + kLabelHeight);
        x += std::max(size, 80) + kMargin;
    }
}

}  // namespace

bool writeContactSheet(const std::string& path) {
    const auto [cells, cellsBottom] = layOutCells();
    const int iconsY = cellsBottom + kMargin + 24;
    const int screensY = iconsY + kLabelHeight + 256 + kMargin + 24;
    Sheet sheet(screensY + kLabelHeight + 588 + kMargin);

    sheet.label("Vellumar bitmaps: each at 1x, then at 4x (3x if wider than the sheet)", kMargin, kMargin,
                RGB(40, 40, 48), 16);
    const std::map<int, HBITMAP> bitmaps = drawArtworkCells(sheet, cells);
    drawIcons(sheet, iconsY);
    sheet.label("The portrait screen, 240 x 294 (1x) and 480 x 588 (2x)", kMargin, screensY - 20,
                RGB(40, 40, 48), 16);
    mockScreen(sheet, bitmaps, kMargin, screensY + kLabelHeight, 1);
    mockScreen(sheet, bitmaps, kMargin + 240 + 2 * kMargin, screensY + kLabelHeight, 2);
    for (const auto& [id, bitmap] : bitmaps) {
        DeleteObject(bitmap);
    }
    return codecs::writePng(sheet.surface, path);
}

}  // namespace art

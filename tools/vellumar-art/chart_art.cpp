// The help charts: the game's screen as computeLayout places it and the
// faces draw it, its board dimmed, and every control named in yellow with a
// thin leader. Positions are in 1x pixels of the chart; each variant is
// drawn at its own scale, text included, so the 4x chart is as sharp as the
// game at that size.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/control_ids.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/resource_images.h"
#include "platform/drawing/text_renderer.h"
#include "platform/pixels/bmp_decoder.h"
#include "platform/pixels/rasterizer.h"
#include "platform/system/resources.h"
#include "resources/vellumar_ids.h"
#include "tools/vellumar-art/game_screen.h"
#include "tools/vellumar-art/pictures.h"

namespace art {

namespace {

constexpr Pixel kGround = rgb(107, 85, 156);
constexpr Pixel kYellow = rgb(255, 228, 72);
constexpr Pixel kPale = rgb(236, 230, 250);  // names inside a group

enum class Align { left, right, centre };

// What a chart is drawn on: the picture at its scale, and the 1x layout the
// labels are placed by.
class Chart {
  public:
    Chart(Surface pixels, int scale) : pixels_(std::move(pixels)), scale_(scale) {}

    int scale() const { return scale_; }
    Surface& pixels() { return pixels_; }

    // A line of text whose left edge, right edge or centre is at x, its line
    // box starting at `top`; answers the 1x span of its ink, for placing leaders.
    struct Span {
        double left;
        double right;
    };
    Span text(std::u16string_view line, double x, double top, Align align, double size, Pixel colour,
              int weight = FW_BOLD) {
        const platform::OwnedFont font(
            CreateFont(-static_cast<int>(size * scale_ + 0.5), weight, u"Arial", ANTIALIASED_QUALITY));
        const Ink ink = measure(font.get(), line);
        const double width = static_cast<double>(ink.right - ink.left) / scale_;
        double left = x;  // where the ink begins, in 1x pixels
        if (align == Align::right) {
            left = x - width;
        } else if (align == Align::centre) {
            left = x - width / 2.0;
        }
        // On a whole 1x pixel, so every scale starts the text at the same place.
        left = std::floor(left + 0.5);
        HDC dc = platform::createSurfaceDC(pixels_);
        const HFONT previous = SelectObject(dc, font.get());
        SetTextColor(dc, platform::colourFromPixel(colour));
        SetBkMode(dc, TRANSPARENT);
        const int boxLeft = static_cast<int>(left * scale_ + 0.5) - ink.left;
        const int boxTop = static_cast<int>(top * scale_ + 0.5);
        RECT box{boxLeft, boxTop, boxLeft + ink.right + 4 * scale_,
                 boxTop + static_cast<int>(size * 2 * scale_)};
        const std::u16string copy(line);
        DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &box, DT_LEFT | DT_NOCLIP);
        SelectObject(dc, previous);
        DeleteDC(dc);

        return {left, left + width};
    }

    // Leaders and rules: boxes on whole 1x pixels, so they stay crisp at every scale.
    void box(double left, double top, double right, double bottom, Pixel colour) {
        platform::fillBox(platform::wholeSurface(pixels_), std::llround(left * scale_),
                          std::llround(top * scale_), std::llround(right * scale_),
                          std::llround(bottom * scale_), colour);
    }
    void vertical(double x, double top, double bottom, Pixel colour = kYellow) {
        box(x, top, x + 1, bottom, colour);
    }
    void horizontal(double left, double right, double y, Pixel colour = kYellow) {
        box(left, y, right, y + 1, colour);
    }

    // A bitmap resource stretched over a 1x box, as the faces are.
    void bitmap(HINSTANCE module, int id, double left, double top, double width, double height) {
        const HBITMAP picture = LoadBitmap(module, id);
        BITMAP size{};
        GetObject(picture, sizeof size, &size);
        HDC source = CreateCompatibleDC(nullptr);
        const HBITMAP old = SelectObject(source, picture);
        HDC dc = platform::createSurfaceDC(pixels_);
        StretchBlt(dc, static_cast<int>(left * scale_), static_cast<int>(top * scale_),
                   static_cast<int>(width * scale_), static_cast<int>(height * scale_), source, 0, 0,
                   size.bmWidth, size.bmHeight, SRCCOPY);
        DeleteDC(dc);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(picture);
    }

    // A face drawn smaller than its 1x size: each pixel the mean of the 4x
    // variant's pixels whose centres fall in it, which keeps small marks
    // whole where a nearest-pixel copy would drop strokes.
    void smallFace(HINSTANCE module, int id, double left, double top, double width, double height) {
        const platform::ResourceEntry* entry = platform::findResource(module, "BITMAP", id, 4);
        const auto source = entry != nullptr ? platform::decodeBmp(entry->data) : std::nullopt;
        if (!source) {
            return;
        }
        const int x0 = static_cast<int>(std::lround(left * scale_));
        const int y0 = static_cast<int>(std::lround(top * scale_));
        const int w = static_cast<int>(std::lround(width * scale_));
        const int h = static_cast<int>(std::lround(height * scale_));
        for (int y = 0; y < h; ++y) {
            const int sy0 = y * source->height() / h;
            const int sy1 = std::max(sy0 + 1, (y + 1) * source->height() / h);
            for (int x = 0; x < w; ++x) {
                const int sx0 = x * source->width() / w;
                const int sx1 = std::max(sx0 + 1, (x + 1) * source->width() / w);
                int sum[3] = {0, 0, 0};
                for (int j = sy0; j < sy1; ++j) {
                    for (int i = sx0; i < sx1; ++i) {
                        const Pixel p = source->at(i, j);
                        sum[0] += static_cast<int>((p >> 16) & 0xFF);
                        sum[1] += static_cast<int>((p >> 8) & 0xFF);
                        sum[2] += static_cast<int>(p & 0xFF);
                    }
                }
                const int n = (sy1 - sy0) * (sx1 - sx0);
                pixels_.set(x0 + x, y0 + y,
                            rgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n));
            }
        }
    }

  private:
    // Columns of a line's ink, measured by drawing it.
    struct Ink {
        int left;
        int right;
    };
    Ink measure(HFONT font, std::u16string_view line) const {
        const int height = fontHeightGuess(font);
        const int pad = height;
        Surface scratch(static_cast<int>(line.size()) * height + 2 * pad, 2 * height, 0);
        HDC dc = platform::createSurfaceDC(scratch);
        SelectObject(dc, font);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        RECT box{pad, 0, scratch.width(), scratch.height()};
        const std::u16string copy(line);
        DrawText(dc, copy.c_str(), static_cast<int>(copy.size()), &box, DT_LEFT);
        DeleteDC(dc);
        int left = scratch.width();
        int right = 0;
        for (int y = 0; y < scratch.height(); ++y) {
            for (int x = 0; x < scratch.width(); ++x) {
                if ((scratch.at(x, y) & 0xFF) > 64) {
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
            }
        }
        return right > left ? Ink{left - pad, right - pad} : Ink{0, 0};
    }
    static int fontHeightGuess(HFONT font) { return std::max(platform::fontLineHeight(font), 8); }

    Surface pixels_;
    int scale_;
};

// The board behind the labels: the game's own board, pushed most of the way
// into the ground (keeping `percent` of it) so that yellow text over it reads at 1x.
void dimmedBoard(Chart& chart, int left, int top, int width, int height, int percent) {
    const int s = chart.scale();
    const Surface board = drawDemoBoard(width * s, height * s, s);
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            const Pixel p = board.at(x, y);
            int channels[3];
            for (int k = 0; k < 3; ++k) {
                const int shift = 16 - 8 * k;
                const int over = static_cast<int>((p >> shift) & 0xFF);
                const int under = static_cast<int>((kGround >> shift) & 0xFF);
                channels[k] = (over * percent + under * (100 - percent) + 50) / 100;
            }
            chart.pixels().set(left * s + x, top * s + y, rgb(channels[0], channels[1], channels[2]));
        }
    }
}

struct Rect1x {
    double left, top, right, bottom;
    double centre() const { return (left + right) / 2.0; }
};

Rect1x placed(const ScreenLayout& layout, int id, double shiftBelow, double shift) {
    const ControlPlacement* c = layout.find(id);
    const double dy = c->top >= shiftBelow ? shift : 0.0;
    return {static_cast<double>(c->left), c->top + dy, static_cast<double>(c->left + c->width),
            c->top + c->height + dy};
}

// The portrait chart: the 240 x 294 screen with its board four pixels
// shorter, so everything below the board moves up by four.
class PortraitChart {
  public:
    explicit PortraitChart(int s)
        : screen_(drawGameScreen(240, 294, s, kGround)),
          layout_(computeLayout(240, 294, kToolbarBitmapSizes)),
          boardBottom_(layout_.boardRectFull.top +
                       layout_.boardRectFull.height),  // 209: rows from here move up
          chart_(Surface(240 * s, 290 * s, kGround), s) {}

    Surface draw() {
        shortenedScreen();
        toolbarNames();
        paletteName();
        statusNames();
        paintingModes();
        return std::move(chart_.pixels());
    }

  private:
    static constexpr int kShorter = 4;
    // The toolbar's names stand in four rows of 8 pixels.
    static constexpr double kSmall = 8.0;
    static constexpr double kRowA = 222.0, kRowB = 230.0, kRowC = 238.0, kRowD = 246.0;
    static constexpr double kLabel = 9.0;

    Rect1x at(int id) const { return placed(layout_, id, boardBottom_, -kShorter); }

    void shortenedScreen() {
        const int s = chart_.scale();
        for (int y = 0; y < 290 * s; ++y) {
            const int from = y < (boardBottom_ - kShorter) * s ? y : y + kShorter * s;
            std::copy_n(screen_.pixels.row(from), 240 * s, chart_.pixels().row(y));
        }
        const BoardRectangle board = layout_.boardRectFull;
        dimmedBoard(chart_, board.left, board.top, board.width, board.height - kShorter, 30);
    }

    void leader(double x, double row) { chart_.vertical(std::floor(x), row + kSmall, at(IDC_ZOOM_IN).top); }
    void name(std::u16string_view text, double row, Align align, double x) {
        chart_.text(text, x, row, align, kSmall, kYellow);
    }

    // The toolbar's names, in the palette's empty places and the gap above
    // the buttons: every text stops short of the leaders that climb past it
    // to a higher row.
    void toolbarNames() {
        name(u"Zoom In", kRowD, Align::left, 1.0);
        leader(at(IDC_ZOOM_IN).centre(), kRowD);
        name(u"Zoom Out", kRowC, Align::left, 0.0);
        leader(at(IDC_ZOOM_OUT).centre(), kRowC);
        name(u"Sound On/Off", kRowC, Align::left, 42.0);
        leader(at(IDC_SOUND).centre(), kRowC);
        name(u"Timer On/Off", kRowD, Align::left, 65.0);
        leader(at(IDC_TIMER).centre(), kRowD);
        const RECT c = layout_.clockRect;
        name(u"Countdown Timer", kRowB, Align::left, 93.0);
        leader((c.left + c.right) / 2.0, kRowB);
        // Stacked over the three dots, which stand in a column.
        const double levels = at(IDC_LEVEL_0).centre();
        name(u"User", kRowC, Align::centre, levels - 8.0);
        name(u"Difficulty", kRowD, Align::centre, levels - 8.0);
        leader(levels + 1.0, kRowD);
        name(u"Restart", kRowC, Align::left, std::floor(at(IDC_RESTART).centre()));
        leader(at(IDC_RESTART).centre(), kRowC);
        name(u"Pause", kRowD, Align::centre, at(IDC_PAUSE).centre());
        leader(at(IDC_PAUSE).centre(), kRowD);
        name(u"Complete Pattern", kRowB, Align::right, 239.0);
        leader(at(IDC_COMPLETE).centre(), kRowB);
        name(u"Help", kRowD, Align::right, 239.0);
        leader(at(IDC_HELP).centre(), kRowD);
    }

    // The palette: its swatches end where the pattern's colours do.
    void paletteName() {
        const Rect1x first = at(IDC_PALETTE_FIRST);
        const double right = first.left + (first.right - first.left) * 6;
        chart_.horizontal(right + 1.0, right + 4.0, kRowA + 4.0);
        name(u"Paint Color", kRowA, Align::left, right + 5.0);
    }

    // The status row's names, over the board: a comb whose teeth get longer
    // to the right, each name ending at its leader, so no name crosses one.
    void statusNames() {
        struct Named {
            std::u16string_view name;
            double x;
        };
        const Rect1x status = at(IDC_STATUS);
        const double cellW = status.right - status.left;
        const Named row[] = {
            {u"Pattern Name", at(IDC_PATTERN_NAME).left + 60.0},
            {u"# of Pieces", status.left + cellW * 0.185},
            {u"# of Colors", status.left + cellW * 0.54},
            {u"# of Misses", status.left + cellW * 0.86},
            {u"Open Pattern", at(IDC_OPEN).centre()},
            {u"Color Schemes", at(IDC_COLOR_SCHEME).centre()},
            {u"Painting Modes", at(IDC_PAINTING_MODE).centre()},
            {u"Reset", at(IDC_RESET).centre()},
            {u"Close", at(IDC_CLOSE).centre()},
        };
        constexpr double kPitch = 10.0;
        for (std::size_t i = 0; i < std::size(row); ++i) {
            const double top = status.top - 12.0 - kPitch * static_cast<double>(i);
            const double x = std::floor(row[i].x);
            chart_.text(row[i].name, x + 1.0, top, Align::right, kLabel, kYellow);
            chart_.vertical(x, top + kLabel, status.top);
        }
    }

    // The three painting modes, with the faces that show them.
    void paintingModes() {
        const HINSTANCE faces = facesModule();
        const double left = 6.0, top = 48.0;
        chart_.text(u"Painting Modes", left, top, Align::left, kLabel, kYellow);
        const std::u16string_view modes[] = {u"Normal", u"Hint", u"Free"};
        for (int i = 0; i < 3; ++i) {
            const double y = top + 12.0 + 15.0 * i;
            chart_.bitmap(faces, IDB_MODE_NORMAL + i, left, y, 13.0, 13.0);
            chart_.text(modes[i], left + 17.0, y + 1.0, Align::left, kLabel, kPale);
        }
    }

    GameScreen screen_;
    ScreenLayout layout_;
    int boardBottom_;
    Chart chart_;
};

// The landscape chart: the 320 x 214 screen as it is. Its right column packs
// the controls edge to edge, with no room for leaders between them, so the
// board holds a key instead: each control's own pixels, cut from this very
// screen (or its face), beside its name, in the column's order.
class LandscapeChart {
  public:
    explicit LandscapeChart(int s)
        : screen_(drawGameScreen(320, 214, s, kGround)),
          layout_(computeLayout(320, 214, kToolbarBitmapSizes)),
          chart_(Surface(screen_.pixels), s) {}

    Surface draw() {
        const BoardRectangle board = layout_.boardRectFull;
        // Fainter than the portrait's: the key's names and pictures cover it.
        dimmedBoard(chart_, board.left, board.top, board.width, board.height, 8);
        x_ = 6.0;
        y_ = 46.0;
        toolbarKey();
        clockAndLevelsKey();
        x_ = 128.0;
        y_ = 47.0;
        statusKey();
        smallButtonsKey();
        paintingModesKey();
        resetAndCloseKey();
        paletteKey();
        return std::move(chart_.pixels());
    }

  private:
    static constexpr double kLabel = 9.0;
    static constexpr double kPitch = 14.0;

    Rect1x control(int id) const {
        const ControlPlacement* c = layout_.find(id);
        return Rect1x{static_cast<double>(c->left), static_cast<double>(c->top),
                      static_cast<double>(c->left + c->width), static_cast<double>(c->top + c->height)};
    }

    // A piece of the screen copied into the key at (x, y), at its own size.
    void cut(Rect1x from, double x, double y) {
        const int s = chart_.scale();
        // The layout lets the column's last button run past the screen's edge; what lies beyond is not shown.
        const int w = (static_cast<int>(std::min(from.right, 320.0)) - static_cast<int>(from.left)) * s;
        const int h = static_cast<int>(from.bottom - from.top) * s;
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                chart_.pixels().set(static_cast<int>(x) * s + i, static_cast<int>(y) * s + j,
                                    screen_.pixels.at(static_cast<int>(from.left) * s + i,
                                                      static_cast<int>(from.top) * s + j));
            }
        }
    }

    void entry(double y, double iconWidth, std::u16string_view name) {
        chart_.text(name, x_ + iconWidth + 5.0, y + 3.0, Align::left, kLabel, kYellow);
    }

    // Left column of the key: the toolbar, top row to bottom row.
    void toolbarKey() {
        struct Tool {
            int bitmap;
            double width;
            std::u16string_view name;
        };
        const Tool tools[] = {{IDB_ZOOM_IN, 11, u"Zoom In"},           {IDB_ZOOM_OUT, 11, u"Zoom Out"},
                              {IDB_SOUND_ON, 14, u"Sound On/Off"},     {IDB_CLOCK_SHOWN, 11, u"Timer On/Off"},
                              {IDB_RESTART, 11, u"Restart"},           {IDB_RUNNING, 8, u"Pause"},
                              {IDB_COMPLETE, 11, u"Complete Pattern"}, {IDB_HELP, 6, u"Help"}};
        for (const Tool& t : tools) {
            chart_.smallFace(facesModule(), t.bitmap, x_ + std::floor((14.0 - t.width) / 2.0), y_, t.width,
                             14.0);
            entry(y_ - 1.0, 14.0, t.name);
            y_ += kPitch;
        }
    }

    void clockAndLevelsKey() {
        const RECT c = layout_.clockRect;
        cut({static_cast<double>(c.left), static_cast<double>(c.top), static_cast<double>(c.right),
             static_cast<double>(c.bottom)},
            x_, y_);
        entry(y_ + 7.0, static_cast<double>(c.right - c.left) - 1.0, u"Countdown Timer");
        y_ += 31.0;
        for (int k = 0; k < 3; ++k) {
            cut(control(IDC_LEVEL_0 + k), x_ + 11.0 * k, y_);
        }
        entry(y_ - 1.5, 32.0, u"User Difficulty");
    }

    // Right column: the pattern's name and the status panel's three cells, one by one.
    void statusKey() {
        const Rect1x name = control(IDC_PATTERN_NAME);
        cut({name.left, name.top, name.left + 50.0, name.bottom}, x_, y_);
        entry(y_ - 2.0, 50.0, u"Pattern Name");
        y_ += kPitch;
        const Rect1x status = control(IDC_STATUS);
        const double cells[][2] = {{0, 22}, {24, 41}, {43, 60}};
        const std::u16string_view names[] = {u"# of Pieces", u"# of Colors", u"# of Misses"};
        for (int k = 0; k < 3; ++k) {
            cut({status.left + cells[k][0], status.top, status.left + cells[k][1], status.bottom},
                x_ + (22.0 - (cells[k][1] - cells[k][0])), y_);
            entry(y_ - 2.0, 22.0, names[k]);
            y_ += 15.0;
        }
        y_ += 2.0;
    }

    void smallButtonsKey() {
        const struct {
            int id;
            std::u16string_view name;
        } small[] = {{IDC_OPEN, u"Open Pattern"},
                     {IDC_COLOR_SCHEME, u"Color Schemes"},
                     {IDC_PAINTING_MODE, u"Painting Modes"}};
        for (const auto& b : small) {
            const Rect1x r = control(b.id);
            cut(r, x_ + 22.0 - (r.right - r.left), y_);
            entry(y_ - 2.0, 22.0, b.name);
            y_ += 15.0;
        }
    }

    // The three modes, under their button's name: two, then one.
    void paintingModesKey() {
        const std::u16string_view modes[] = {u"Normal", u"Hint", u"Free"};
        double mx = x_ + 12.0;
        for (int k = 0; k < 3; ++k) {
            if (k == 2) {
                mx = x_ + 12.0;
                y_ += 13.0;
            }
            chart_.bitmap(facesModule(), IDB_MODE_NORMAL + k, mx, y_, 11.0, 11.0);
            const auto span = chart_.text(modes[k], mx + 13.0, y_ + 1.0, Align::left, 8.0, kPale);
            mx = span.right + 7.0;
        }
        y_ += 15.0;
    }

    // Reset and Close share a row.
    void resetAndCloseKey() {
        const Rect1x reset = control(IDC_RESET);
        cut(reset, x_ + 22.0 - (reset.right - reset.left), y_);
        const auto span = chart_.text(u"Reset", x_ + 27.0, y_ + 1.0, Align::left, kLabel, kYellow);
        const Rect1x close = control(IDC_CLOSE);
        cut(close, span.right + 8.0, y_);
        chart_.text(u"Close", span.right + 8.0 + (close.right - close.left) + 5.0, y_ + 1.0, Align::left,
                    kLabel, kYellow);
        y_ += 15.0;
    }

    void paletteKey() {
        const Rect1x first = control(IDC_PALETTE_FIRST);
        const double w = first.right - first.left;
        cut({first.left, first.top, first.left + 3.0 * w, first.bottom}, x_ + 22.0 - 3.0 * w, y_);
        entry(y_ - 2.0, 22.0, u"Paint Color");
    }

    GameScreen screen_;
    ScreenLayout layout_;
    Chart chart_;
    double x_ = 0.0;  // where the key's next entry goes, in 1x pixels
    double y_ = 0.0;
};

}  // namespace

Surface helpChart(bool portrait, int scale) {
    return portrait ? PortraitChart(scale).draw() : LandscapeChart(scale).draw();
}

}  // namespace art

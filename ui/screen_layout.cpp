#include "ui/screen_layout.h"

#include <algorithm>

#include "core/control_ids.h"

namespace {

// Truncation toward zero of a product or a running position.
std::int32_t trunc(double v) {
    return static_cast<std::int32_t>(v);
}
std::int32_t part(std::int32_t length, double fraction) {
    return trunc(static_cast<double>(length) * fraction);
}

class Placer {
  public:
    explicit Placer(ScreenLayout& layout) : layout_(layout) {}
    void place(int id, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
        layout_.placements.push_back({id, left, top, width, height});
    }

  private:
    ScreenLayout& layout_;
};

void placeBoard(ScreenLayout& layout, Placer& placer, BoardRectangle full, std::int32_t thickness) {
    layout.boardRectFull = full;
    layout.boardRect = full;
    layout.boardRectWithBars = {0, full.top, full.width - thickness, full.height - thickness};
    placer.place(IDC_HSCROLL, 0, full.top + full.height - thickness, full.width - thickness, thickness);
    placer.place(IDC_VSCROLL, full.width - thickness, full.top, thickness, full.height);
}

// The palette's buttons, `columns` a row from (left, top).
void placePalette(Placer& placer, std::int32_t left, std::int32_t top, std::int32_t cellW, std::int32_t cellH,
                  int columns) {
    for (int i = 0; i < kPaletteButtons; ++i) {
        placer.place(IDC_PALETTE_FIRST + i, left + cellW * (i % columns), top + cellH * (i / columns), cellW,
                     cellH);
    }
}

// The portrait toolbar row: eight buttons in their slots, each fitted to its
// bitmap's shape, room for the clock and the level buttons after the fourth,
// eleven equal gaps.
void placePortraitToolbar(Placer& placer, std::int32_t W, std::int32_t toolY, std::int32_t toolH,
                          const ToolbarBitmapSizes& bitmaps) {
    const std::int32_t a = part(W, 0.08333333333333333);
    const std::int32_t b = part(W, 0.10416666666666667);
    const std::int32_t c = part(W, 0.07916666666666666);
    const std::int32_t d = part(W, 0.05416666666666667);
    const std::int32_t e = part(W, 0.05);
    const std::array<std::int32_t, 8> slots = {a, a, b, a, c, d, c, e};
    const std::int32_t clockW = part(W, 0.19583333333333333);
    const std::int32_t levelW = part(W, 0.041666666666666664);
    std::int32_t slotSum = 0;
    for (std::int32_t slot : slots) {
        slotSum += slot;
    }
    const double toolGap = static_cast<double>(W - (slotSum + clockW + levelW)) * 0.09090909090909091;
    double x = toolGap;
    for (int i = 0; i < 8; ++i) {
        const float ratio = static_cast<float>(bitmaps[i].height) / static_cast<float>(bitmaps[i].width);
        std::int32_t w = slots[i];
        std::int32_t h = toolH;
        const std::int32_t fitH = static_cast<std::int32_t>(static_cast<float>(w) * ratio);
        if (fitH <= toolH) {
            h = fitH;
        } else {
            w = static_cast<std::int32_t>(static_cast<float>(toolH) / ratio);
        }
        placer.place(IDC_ZOOM_IN + i, trunc(x), toolY + (toolH - h) / 2, w, h);
        x = (static_cast<double>(slots[i]) + toolGap) + x;
        if (i == 3) {
            x = (static_cast<double>(levelW + clockW) + toolGap * 2) + x;
        }
    }
}

// The portrait status row: name, panel and the five small buttons, with
// seven equal gaps.
void placePortraitStatusRow(Placer& placer, std::int32_t W, std::int32_t statusY, std::int32_t statusH) {
    const std::int32_t nameW = part(W, 0.35833333333333334);
    const std::int32_t panelW = part(W, 0.25);
    const std::int32_t openW = part(W, 0.09166666666666666);
    const std::int32_t schemeW = part(W, 0.07083333333333333);
    const std::int32_t smallW = part(W, 0.05416666666666667);
    const double statusGap =
        static_cast<double>(W - (panelW + 3 * smallW + openW + schemeW + nameW)) * 0.14285714285714285;
    double x = statusGap;
    for (const auto& [id, width] : {std::pair{IDC_PATTERN_NAME, nameW},
                                    {IDC_STATUS, panelW},
                                    {IDC_OPEN, openW},
                                    {IDC_COLOR_SCHEME, schemeW},
                                    {IDC_PAINTING_MODE, smallW},
                                    {IDC_RESET, smallW},
                                    {IDC_CLOSE, smallW}}) {
        placer.place(id, trunc(x), statusY, width, statusH);
        x = (static_cast<double>(width) + statusGap) + x;
    }
}

// Portrait: the banner on top, the board under it, then the status row, the
// palette's two rows and the toolbar, with the levels and the clock in it.
void layOutPortrait(ScreenLayout& layout, std::int32_t W, std::int32_t H, const ToolbarBitmapSizes& bitmaps) {
    Placer placer(layout);
    const std::int32_t bannerH = part(H, 0.13945578231292516);
    placer.place(IDC_BANNER, 0, 0, W, bannerH);

    const std::int32_t toolY = part(H, 0.891156462585034);
    const std::int32_t toolH = part(H, 0.09523809523809523);
    placePortraitToolbar(placer, W, toolY, toolH, bitmaps);

    const std::int32_t cell = W / 16;
    const std::int32_t paletteY = part(H, 0.8707482993197279) - 2 * cell;
    placePalette(placer, 0, paletteY, cell, cell, 16);

    const std::int32_t statusY = paletteY - part(H, 0.05102040816326531);
    placePortraitStatusRow(placer, W, statusY, part(H, 0.04421768707482993));

    const std::int32_t boardGap = part(H, 0.006802721088435374);
    placeBoard(layout, placer, {0, bannerH, W, statusY - boardGap - bannerH}, cell);

    const std::int32_t dot = part(W, 0.04081632653061224);
    const std::int32_t dotX = part(W, 0.625);
    for (int k = 0; k < 3; ++k) {
        placer.place(IDC_LEVEL_0 + k, dotX, toolY + k * dot, dot, dot);
    }

    const std::int32_t clockLeft = part(W, 0.42083333333333334);
    layout.clockRect = {clockLeft, toolY, clockLeft + part(W, 0.19583333333333333), toolY + toolH};
}

// The landscape's right column: its left edge, the gap between rows and the
// height of the status rows.
struct LandscapeColumn {
    std::int32_t x;
    double gap;
    std::int32_t rowH;
};

// The name, the panel and the small buttons; answers the top of the row of
// small buttons.
double placeLandscapeStatusRows(Placer& placer, std::int32_t W, const LandscapeColumn& col) {
    placer.place(IDC_PATTERN_NAME, col.x, trunc(col.gap), part(W, 0.246875), col.rowH);
    double y = col.gap * 2 + static_cast<double>(col.rowH);
    placer.place(IDC_STATUS, col.x, trunc(y), part(W, 0.1875), col.rowH);

    y = (static_cast<double>(col.rowH) + y) + col.gap;
    const double hGap = (static_cast<double>(W) * 0.006249999999999992) * 0.25;
    double x = col.x;
    const std::int32_t smallW = part(W, 0.040625);
    for (const auto& [id, width] : {std::pair{IDC_OPEN, part(W, 0.06875)},
                                    {IDC_COLOR_SCHEME, part(W, 0.053125)},
                                    {IDC_PAINTING_MODE, smallW},
                                    {IDC_RESET, smallW},
                                    {IDC_CLOSE, smallW}}) {
        placer.place(id, trunc(x), trunc(y), width, col.rowH);
        x = (static_cast<double>(width) + x) + hGap;
    }
    return y;
}

// Three toolbar rows from `top`, the clock after the timer in the second;
// col.gap also separates the buttons within a row. Answers the level
// buttons' left edge, just after the third row.
std::int32_t placeLandscapeToolbar(ScreenLayout& layout, Placer& placer, std::int32_t W, std::int32_t H,
                                   const LandscapeColumn& col, double top) {
    const std::int32_t toolH = part(H, 0.1308411214953271);
    const auto placeRow = [&](std::initializer_list<std::pair<int, std::int32_t>> buttons, double rowY) {
        double rowX = col.x;
        for (const auto& [id, width] : buttons) {
            placer.place(id, trunc(rowX), trunc(rowY), width, toolH);
            rowX = (static_cast<double>(width) + rowX) + col.gap;
        }
        return rowX;
    };
    const double y1 = top;
    placeRow(
        {{IDC_ZOOM_IN, part(W, 0.059375)}, {IDC_ZOOM_OUT, part(W, 0.059375)}, {IDC_SOUND, part(W, 0.078125)}},
        y1);

    const double y2 = (static_cast<double>(toolH) + y1) + col.gap;
    const std::int32_t tw = part(W, 0.059375);
    placer.place(IDC_TIMER, col.x, trunc(y2), tw, toolH);
    const std::int32_t clockLeft = trunc((static_cast<double>(tw) + static_cast<double>(col.x)) + col.gap);
    layout.clockRect = {clockLeft, trunc(y2), clockLeft + part(W, 0.14375), trunc(y2) + toolH};

    const double y3 = (static_cast<double>(toolH) + y2) + col.gap;
    return trunc(placeRow({{IDC_RESTART, part(W, 0.059375)},
                           {IDC_PAUSE, part(W, 0.040625)},
                           {IDC_COMPLETE, part(W, 0.059375)},
                           {IDC_HELP, part(W, 0.03125)}},
                          y3));
}

// Landscape: the banner over the board on the left; on the right a column of
// the status rows, the palette and the toolbar with the levels beside it.
void layOutLandscape(ScreenLayout& layout, std::int32_t W, std::int32_t H) {
    Placer placer(layout);
    const std::int32_t bannerW = part(W, 0.75);
    const std::int32_t bannerH = part(H, 0.19626168224299065);
    placer.place(IDC_BANNER, 0, 0, bannerW, bannerH);

    const std::int32_t colW = part(W, 0.24375000000000002);
    const LandscapeColumn col{W - colW, (static_cast<double>(H) * 0.06542056074766373) * 0.125,
                              part(H, 0.06074766355140187)};
    const double smallButtonsY = placeLandscapeStatusRows(placer, W, col);

    const double paletteY = (static_cast<double>(col.rowH) + smallButtonsY) + col.gap;
    const std::int32_t cellW = colW / 6;
    const std::int32_t gridH = part(H, 0.3598130841121495);
    placePalette(placer, col.x, trunc(paletteY), cellW, gridH / 6, 6);

    const std::int32_t dotX =
        placeLandscapeToolbar(layout, placer, W, H, col, (static_cast<double>(gridH) + paletteY) + col.gap);
    const std::int32_t dot = part(W, 0.03125);
    double dy = static_cast<double>(part(H, 0.705607476635514));
    for (int k = 0; k < 3; ++k) {
        placer.place(IDC_LEVEL_0 + k, dotX, trunc(dy), dot, dot);
        dy = (static_cast<double>(dot) + col.gap * 2) + dy;
    }

    placeBoard(layout, placer, {0, bannerH, bannerW, H - bannerH}, cellW);
}

}  // namespace

const ControlPlacement* ScreenLayout::find(int id) const {
    const auto it = std::ranges::find(placements, id, &ControlPlacement::id);
    return it == placements.end() ? nullptr : &*it;
}

ScreenLayout computeLayout(std::int32_t width, std::int32_t height,
                           const ToolbarBitmapSizes& toolbarBitmaps) {
    ScreenLayout layout;
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    layout.isPortrait = ratio >= 1.0f ? 1 : 0;
    if (layout.isPortrait) {
        layOutPortrait(layout, width, height, toolbarBitmaps);
    } else {
        layOutLandscape(layout, width, height);
    }
    return layout;
}

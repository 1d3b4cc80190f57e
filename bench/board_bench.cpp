// Drawing the board of a large pattern: the full redraw, a tap's quick
// redraw, and a full redraw zoomed in, where only the visible pieces count.
#include <benchmark/benchmark.h>

#include "app/settings.h"
#include "bench/generated_pattern.h"
#include "pattern/pattern.h"
#include "platform/device_context.h"
#include "platform/gdi_objects.h"
#include "platform/headless/headless_backend.h"
#include "platform/surface.h"
#include "render/board_picture.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 882;

struct BoardFixture {
    platform::HeadlessBackend backend;
    Settings settings{Settings::DefaultsOnly{}};
    Pattern pattern{settings};
    platform::Surface window{kWidth, kHeight};
    HDC dc = platform::createSurfaceDC(window);
    HBITMAP buffer = nullptr;
    GameBoardBrushes ownedBrushes{288};
    const BoardBrushes& brushes = ownedBrushes.get();
    BoardView view{{0, 0, kWidth, kHeight}, 1.0f, 0, 0};

    BoardFixture() {
        static const std::vector<std::byte> bytes =
            serializePatternFile(generateCurvePattern({.pieces = 5000}));
        loadPatternFromBytes(pattern, bytes);
        fitToBoard(pattern, kWidth / 2, kHeight / 2, kWidth, kHeight);
        // Every fourth piece painted, as in a game under way.
        for (std::size_t k = 0; k < pattern.pieces.size(); k += 4) {
            pattern.pieces[k].painted = 1;
            pattern.pieces[k].paintedColour = pattern.pieces[k].colour;
        }
    }
    ~BoardFixture() {
        DeleteObject(buffer);
        DeleteDC(dc);
    }
};

void BM_FullRedraw(benchmark::State& state) {
    BoardFixture board;
    board.view.zoom = static_cast<float>(state.range(0)) / 100.0f;
    board.view.centreX = state.range(0) > 100 ? -3000 : 0;
    for (auto _ : state) {
        drawBoard(board.dc, board.buffer, &board.pattern, board.view, board.brushes);
    }
}
BENCHMARK(BM_FullRedraw)->Arg(100)->Arg(759)->ArgName("zoom%")->Unit(benchmark::kMillisecond);

void BM_QuickRedrawAfterATap(benchmark::State& state) {
    BoardFixture board;
    drawBoard(board.dc, board.buffer, &board.pattern, board.view, board.brushes);
    // A piece in the middle of the file: half the pieces are refilled after it.
    const std::int32_t index = static_cast<std::int32_t>(board.pattern.pieces.size() / 2);
    for (auto _ : state) {
        drawBoardFrom(board.dc, board.buffer, &board.pattern, board.view, board.brushes, index);
    }
}
BENCHMARK(BM_QuickRedrawAfterATap)->Unit(benchmark::kMillisecond);

}  // namespace

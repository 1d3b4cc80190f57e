// The drawing work of one frame: a board of many small pieces, the numbers
// on them, and the board stretched onto a screen twice its size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/text_renderer.h"

namespace {

// A memory context over a fresh width x height bitmap.
class Target {
  public:
    Target(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)),
          bitmap_(CreateCompatibleBitmap(dc_, width, height)),
          previous_(SelectObject(dc_, bitmap_)) {}
    ~Target() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previous_;
};

// 10,000 pieces of 5 to 9 corners, each within a 14-pixel square, filled
// with one of 16 brushes and outlined with a one-pixel pen.
void BM_SmallPolygons(benchmark::State& state) {
    Target target(1000, 1000);
    std::mt19937 random(1);
    std::uniform_int_distribution<LONG> place(0, 985);
    std::uniform_int_distribution<LONG> offset(0, 14);
    std::uniform_int_distribution<int> corners(5, 9);
    std::vector<std::vector<POINT>> pieces(10000);
    for (auto& piece : pieces) {
        const LONG x = place(random);
        const LONG y = place(random);
        piece.resize(static_cast<std::size_t>(corners(random)));
        for (POINT& p : piece) {
            p = {x + offset(random), y + offset(random)};
        }
    }
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 16; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i * 16, 255 - i * 16, 128)));
    }
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(150, 150, 150));
    HPEN oldPen = SelectObject(target.dc(), pen);
    HBRUSH oldBrush = SelectObject(target.dc(), brushes[0]);
    for (auto _ : state) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            SelectObject(target.dc(), brushes[i % brushes.size()]);
            Polygon(target.dc(), pieces[i].data(), static_cast<int>(pieces[i].size()));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 10000);
    SelectObject(target.dc(), oldPen);
    SelectObject(target.dc(), oldBrush);
    DeleteObject(pen);
    for (HBRUSH b : brushes) {
        DeleteObject(b);
    }
}
BENCHMARK(BM_SmallPolygons)->Unit(benchmark::kMillisecond);

// A comb of 40,000 teeth two rows tall, its teeth in shuffled order along the
// row: every edge starts on the same row, which a sort by insertion takes
// quadratic time over. Reported as the multiple of a memset of the surface.
void BM_CombOfShuffledTeeth(benchmark::State& state) {
    constexpr int kTeeth = 20000;
    Target target(1440, 1764);
    std::vector<LONG> columns(kTeeth);
    for (int i = 0; i < kTeeth; ++i) {
        columns[static_cast<std::size_t>(i)] = i % 1400;
    }
    std::shuffle(columns.begin(), columns.end(), std::mt19937(1));
    std::vector<POINT> comb;
    for (LONG x : columns) {
        comb.push_back({x, 100});
        comb.push_back({x + 20, 102});
    }
    std::vector<std::uint32_t> memsetTarget(1440 * 1764);
    double memset = 1e9;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        std::memset(memsetTarget.data(), round, memsetTarget.size() * sizeof(std::uint32_t));
        benchmark::ClobberMemory();
        memset =
            std::min(memset, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    double total = 0;
    for (auto _ : state) {
        const auto from = std::chrono::steady_clock::now();
        Polygon(target.dc(), comb.data(), static_cast<int>(comb.size()));
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
    }
    state.counters["x_memset"] = total / static_cast<double>(state.iterations()) / memset;
}
BENCHMARK(BM_CombOfShuffledTeeth)->Unit(benchmark::kMillisecond);

// 1,000 numbers from 10 to 99, each centred in its own 16 x 16 box.
void BM_CentredLabels(benchmark::State& state) {
    Target target(1000, 1000);
    HFONT font = CreateFont(-10, FW_NORMAL, u"Arial");
    HFONT oldFont = SelectObject(target.dc(), font);
    SetBkMode(target.dc(), TRANSPARENT);
    std::vector<std::u16string> labels;
    for (int i = 0; i < 1000; ++i) {
        const std::string digits = std::to_string(10 + i % 90);
        labels.emplace_back(digits.begin(), digits.end());
    }
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            RECT box{(i % 40) * 25, (i / 40) * 25, (i % 40) * 25 + 16, (i / 40) * 25 + 16};
            DrawText(target.dc(), labels[static_cast<std::size_t>(i)].c_str(), -1, &box,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 1000);
    SelectObject(target.dc(), oldFont);
    DeleteObject(font);
}
BENCHMARK(BM_CentredLabels)->Unit(benchmark::kMillisecond);

// A 480 x 640 board stretched onto a 960 x 1280 screen.
void BM_StretchBoard(benchmark::State& state) {
    Target board(480, 640);
    Target screen(960, 1280);
    for (auto _ : state) {
        StretchBlt(screen.dc(), 0, 0, 960, 1280, board.dc(), 0, 0, 480, 640, SRCCOPY);
    }
}
BENCHMARK(BM_StretchBoard)->Unit(benchmark::kMillisecond);

}  // namespace

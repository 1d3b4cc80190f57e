// Segmentations through outlinePattern, loaded by the game's reader and drawn
// by the game's renderer: every pixel away from a border has its region's
// colour, the pattern is planar, and each border is one path both sides walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "maker/outline/outline_pattern.h"
#include "pattern/painting.h"
#include "pattern/view_transform.h"
#include "render/board_picture.h"
#include "tests/maker/outline/synthetic_segmentation.h"
#include "tests/support/pattern_builder.h"
#include "tools/vellumar-pattern/playability.h"

namespace {

constexpr int kBoardPixelsPerPixel = 6;

// Pixels whose 3 x 3 neighbourhood (inside the picture) is all one region:
// their centres lie a pixel or more from every border.
bool awayFromBorders(const Segmentation& s, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < s.width && ny < s.height &&
                s.regionAt(nx, ny) != s.regionAt(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// Board pixels, among those over a pixel away from borders, whose colour is not their region's.
int wronglyPaintedPixels(const Segmentation& s, Pattern& pattern) {
    completePainting(pattern);
    const int w = s.width * kBoardPixelsPerPixel, h = s.height * kBoardPixelsPerPixel;
    fitToBoard(pattern, w, h);
    const platform::Surface board = drawBoardPicture(pattern, BoardView{{0, 0, w, h}, 1.0f, 0, 0}, 96);
    int wrong = 0;
    for (int by = 0; by < h; ++by) {
        for (int bx = 0; bx < w; ++bx) {
            const int x = bx / kBoardPixelsPerPixel, y = by / kBoardPixelsPerPixel;
            if (awayFromBorders(s, x, y) && board.at(bx, by) != s.palette[s.colourOf[s.regionAt(x, y)]]) {
                ++wrong;
            }
        }
    }
    return wrong;
}

struct Variant {
    GeometryVariant variant;
    const char* name;
};

class OutlinedPicture : public testing::TestWithParam<std::tuple<int, Variant>> {};

TEST_P(OutlinedPicture, DrawsEveryRegionInItsColourAsAPlanarMapOfSharedPaths) {
    const auto [index, variant] = GetParam();
    const NamedSegmentation picture = syntheticPictures()[index];
    SCOPED_TRACE(picture.name + ", " + variant.name);
    const Segmentation& s = picture.segmentation;
    std::string error;
    const auto file = outlinePattern(s, OutlineOptions{variant.variant}, error);
    ASSERT_TRUE(file) << error;

    // Each path is walked by at most two contours, in opposite directions.
    std::map<int, std::pair<int, int>> walks;  // path: forwards, backwards
    for (const EdgeRecord& e : file->edges) {
        ++(e.forward ? walks[e.path].first : walks[e.path].second);
    }
    int shared = 0;
    for (const auto& [path, w] : walks) {
        EXPECT_LE(w.first, 1) << "path " << path;
        EXPECT_LE(w.second, 1) << "path " << path;
        shared += w.first + w.second == 2 ? 1 : 0;
    }
    EXPECT_EQ(walks.size(), file->paths.size());
    EXPECT_EQ(static_cast<int>(file->pieces.size()), s.regionCount());
    // Only the frame's runs between the borders that meet it have one side.
    int frameRuns = 4;
    for (int x = 1; x < s.width; ++x) {
        frameRuns += (s.regionAt(x, 0) != s.regionAt(x - 1, 0)) +
                     (s.regionAt(x, s.height - 1) != s.regionAt(x - 1, s.height - 1));
    }
    for (int y = 1; y < s.height; ++y) {
        frameRuns += (s.regionAt(0, y) != s.regionAt(0, y - 1)) +
                     (s.regionAt(s.width - 1, y) != s.regionAt(s.width - 1, y - 1));
    }
    EXPECT_EQ(static_cast<int>(file->paths.size()) - shared, frameRuns);

    const auto loaded = loadFromRecords(*file);
    Pattern& pattern = loaded->pattern;
    ASSERT_TRUE(pattern.loadError.empty()) << pattern.loadError;
    for (const std::string& failure : planarityFailures(pattern)) {
        ADD_FAILURE() << failure;
    }
    // The maker's regions hold a disc of the minimum radius; here, pieces
    // that hold a 3 x 3 block (slivers a pixel wide may lose their middle to
    // the half-pixel fit).
    std::vector<bool> holdsBlock(s.regionCount(), false);
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            holdsBlock[s.regionAt(x, y)] = holdsBlock[s.regionAt(x, y)] || awayFromBorders(s, x, y);
        }
    }
    for (int k = 0; k < pattern.pieceCount; ++k) {
        const Piece& piece = pattern.pieces[k];
        const int region = s.regionAt(
            static_cast<int>((piece.labelX - pattern.minX) / (pattern.maxX - pattern.minX) * s.width),
            static_cast<int>((piece.labelY - pattern.minY) / (pattern.maxY - pattern.minY) * s.height));
        EXPECT_EQ(s.palette[s.colourOf[region]], platform::pixelFromColour(pattern.colourRef[piece.colour]))
            << "the label of piece " << k << " lies in a region of its colour";
        if (holdsBlock[region]) {
            EXPECT_EQ(hitPiece(pattern, piece.labelX, piece.labelY), k)
                << "a tap on the label of piece " << k;
        }
    }
    EXPECT_EQ(wronglyPaintedPixels(s, pattern), 0);
}

INSTANTIATE_TEST_SUITE_P(Pictures, OutlinedPicture,
                         testing::Combine(testing::Range(0, static_cast<int>(syntheticPictures().size())),
                                          testing::Values(Variant{GeometryVariant::Curves, "curves"},
                                                          Variant{GeometryVariant::Polylines, "polylines"})));

TEST(OutlinePattern, RefusesASegmentationItCannotOutline) {
    struct Case {
        const char* error;
        std::function<void(Segmentation&)> damage;
    };
    const Case cases[] = {
        {"the picture is empty", [](Segmentation& s) { s.width = 0; }},
        {"does not match the picture's size", [](Segmentation& s) { s.regionOf.pop_back(); }},
        {"names region 9, which does not exist", [](Segmentation& s) { s.regionOf[5] = 9; }},
        {"region 1 has no pixels", [](Segmentation& s) { std::ranges::replace(s.regionOf, 1, 0); }},
        {"names a colour that does not exist", [](Segmentation& s) { s.colourOf[0] = 7; }},
        {"region 0 lies in parts", [](Segmentation& s) { s.regionOf[s.regionOf.size() - 1] = 0; }},
    };
    for (const Case& c : cases) {
        // Region 0 on the left, region 1 on the right.
        Segmentation s = segmentationOf(8, 6, [](int x, int) { return x < 4 ? 0 : 1; });
        c.damage(s);
        std::string error;
        EXPECT_FALSE(outlinePattern(s, {}, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

}  // namespace

// SVG drawn flat: shapes in document order, each by its fill rule, pixels
// sampled at their centres without anti-aliasing.
#include <gtest/gtest.h>

#include <set>

#include "maker/input/read_picture.h"

namespace {

std::span<const std::byte> bytesOf(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

std::string svgOf(const std::string& body) {
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
           "<rect width='10' height='10' fill='red'/>" +
           body + "</svg>";
}

// One letter a pixel: R red, B blue, G lime, W white.
std::vector<std::string> lettersOf(const Picture& picture) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.height; ++y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            row += p == 0xFF0000   ? 'R'
                   : p == 0x0000FF ? 'B'
                   : p == 0x00FF00 ? 'G'
                   : p == 0xFFFFFF ? 'W'
                                   : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

struct DrawingCase {
    const char* name;
    const char* body;
    std::vector<std::string> rows;
};

// A square ring as two subpaths drawn the same way round, then a lime bar
// over the top row's left half.
const DrawingCase kDrawings[] = {
    {"even_odd_leaves_the_hole",
     "<path fill='blue' fill-rule='evenodd' d='M1,1H9V9H1Z M3,3H7V7H3Z'/>"
     "<rect width='5' height='1' fill='lime'/>",
     {"GGGGGRRRRR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBRRRRBBR", "RBBRRRRBBR", "RBBRRRRBBR", "RBBRRRRBBR",
      "RBBBBBBBBR", "RBBBBBBBBR", "RRRRRRRRRR"}},
    {"nonzero_fills_it",
     "<path fill='blue' d='M1,1H9V9H1Z M3,3H7V7H3Z'/><rect width='5' height='1' fill='lime'/>",
     {"GGGGGRRRRR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBBBBBBBR",
      "RBBBBBBBBR", "RBBBBBBBBR", "RRRRRRRRRR"}},
    {"nonzero_inner_drawn_backwards_is_a_hole",
     "<path fill='blue' d='M1,1H9V9H1Z M3,3V7H7V3Z'/>",
     {"RRRRRRRRRR", "RBBBBBBBBR", "RBBBBBBBBR", "RBBRRRRBBR", "RBBRRRRBBR", "RBBRRRRBBR", "RBBRRRRBBR",
      "RBBBBBBBBR", "RBBBBBBBBR", "RRRRRRRRRR"}},
    // Edges through pixel centres: a centre on the left or top edge is inside.
    {"half_pixel_edges",
     "<rect x='0.5' y='0.5' width='2' height='1' fill='blue'/>",
     {"BBRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR",
      "RRRRRRRRRR", "RRRRRRRRRR", "RRRRRRRRRR"}},
};

class SvgFlatDrawing : public testing::TestWithParam<DrawingCase> {};

TEST_P(SvgFlatDrawing, PaintsCentresInDocumentOrder) {
    const PictureReadResult result = readPictureFromMemory(bytesOf(svgOf(GetParam().body)), 10);
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_TRUE(result.picture->flat);
    EXPECT_EQ(lettersOf(*result.picture), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SvgFlatDrawing, testing::ValuesIn(kDrawings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SvgFlatDrawing, CurvesKeepOnlyTheirFlatColoursAtTheLongSide) {
    const std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='30' height='20'><rect width='30' height='20' "
        "fill='red'/>"
        "<circle cx='10' cy='10' r='7.3' fill='blue'/><ellipse cx='20' cy='10' rx='9' ry='4' "
        "fill='lime'/></svg>";
    const PictureReadResult result = readPictureFromMemory(bytesOf(svg), 300);
    ASSERT_TRUE(result.picture) << result.error;
    EXPECT_EQ(result.picture->width, 300);
    EXPECT_EQ(result.picture->height, 200);
    const std::set<std::uint32_t> colours(result.picture->pixels.begin(), result.picture->pixels.end());
    EXPECT_EQ(colours, (std::set<std::uint32_t>{0xFF0000, 0x0000FF, 0x00FF00}));
    // The circle's rim: 73 pixels from its centre inside, 74 outside (the ellipse lies right of x = 110).
    EXPECT_EQ(result.picture->at(100, 100 - 73), 0x0000FFu);
    EXPECT_EQ(result.picture->at(100, 100 - 74), 0xFF0000u);
}

}  // namespace

// Block copies, stretched copies and the choice among a bitmap's variants.
#include <gtest/gtest.h>

#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

// A w x h source whose pixel (x, y) is RGB(x, y, tag): every copied pixel tells where it came from.
class Source {
  public:
    Source(int width, int height, int tag = 0) : dc_(CreateCompatibleDC(nullptr)) {
        platform::Surface surface(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                surface.set(x, y, platform::pixelFromColour(RGB(x, y, tag)));
            }
        }
        bitmap_ = platform::createBitmap(std::move(surface));
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Source() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previous_;
};

// Every pixel of the canvas is expected(x, y).
template <typename Expected>
void expectEach(TestCanvas& canvas, int width, int height, Expected expected) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            EXPECT_EQ(canvas.at(x, y), expected(x, y)) << x << "," << y;
        }
    }
}

TEST(BitBlt, CopiesPixelForPixelAndKeepsTheDestinationWhereTheSourceEnds) {
    Source source(8, 8);
    TestCanvas canvas(6, 6);
    BitBlt(canvas.dc(), 1, 2, 3, 2, source.dc(), 4, 5, SRCCOPY);
    expectEach(canvas, 6, 6, [](int x, int y) {
        return x >= 1 && x < 4 && y >= 2 && y < 4 ? RGB(x + 3, y + 3, 0) : kPaper;
    });
    Source small(4, 4);
    TestCanvas edge(6, 6);
    BitBlt(edge.dc(), 0, 0, 6, 6, small.dc(), 2, -1, SRCCOPY);  // source rows -1 ... 4, columns 2 ... 7
    expectEach(edge, 6, 6,
               [](int x, int y) { return x < 2 && y >= 1 && y < 5 ? RGB(x + 2, y - 1, 0) : kPaper; });
}

TEST(BitBlt, MovesABlockWithinItsOwnSurface) {
    Source source(6, 6);
    BitBlt(source.dc(), 1, 1, 4, 4, source.dc(), 0, 0, SRCCOPY);
    const platform::Surface& s = platform::bitmapSurface(source.bitmap());
    for (int y = 1; y < 5; ++y) {
        for (int x = 1; x < 5; ++x) {
            EXPECT_EQ(platform::colourFromPixel(s.at(x, y)), RGB(x - 1, y - 1, 0)) << x << "," << y;
        }
    }
}

TEST(StretchBlt, SamplesTheSourcePixelUnderEachDestinationCentre) {
    struct Case {
        const char* rule;
        int sourceX, sourceY, sourceWidth, sourceHeight;
        std::vector<int> columns, rows;  // of the source, for each destination column and row
    };
    const Case cases[] = {
        {"doubling repeats each pixel twice", 0, 0, 3, 2, {0, 0, 1, 1, 2, 2}, {0, 0, 1, 1}},
        {"halving takes every second pixel", 0, 0, 8, 8, {1, 3, 5, 7}, {1, 3, 5, 7}},
        // Three columns onto five: centres at 0.3, 0.9, 1.5, 2.1, 2.7 source pixels.
        // Eight rows onto three: centres at 1.33, 4, 6.67, offset by the source's top row 2.
        {"uneven scales", 4, 2, 3, 8, {4, 4, 5, 6, 6}, {3, 6, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        Source source(10, 10);
        const int width = static_cast<int>(c.columns.size());
        const int height = static_cast<int>(c.rows.size());
        TestCanvas canvas(width, height);
        StretchBlt(canvas.dc(), 0, 0, width, height, source.dc(), c.sourceX, c.sourceY, c.sourceWidth,
                   c.sourceHeight, SRCCOPY);
        expectEach(canvas, width, height, [&](int x, int y) {
            return RGB(c.columns[static_cast<std::size_t>(x)], c.rows[static_cast<std::size_t>(y)], 0);
        });
    }
}

TEST(StretchBlt, ClipsAHugeDestinationAndDrawsNothingForNonPositiveSizes) {
    Source source(4, 4);
    TestCanvas canvas(5, 5);
    // Each source pixel becomes a 500000-pixel square; the canvas sees the corner of source pixel (1, 1).
    StretchBlt(canvas.dc(), -499998, -499998, 2000000, 2000000, source.dc(), 0, 0, 4, 4, SRCCOPY);
    expectEach(canvas, 5, 5, [](int x, int y) { return RGB(x >= 2 ? 1 : 0, y >= 2 ? 1 : 0, 0); });
    TestCanvas empty(4, 4);
    StretchBlt(empty.dc(), 0, 0, 0, 4, source.dc(), 0, 0, 4, 4, SRCCOPY);
    StretchBlt(empty.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 4, -4, SRCCOPY);
    EXPECT_EQ(empty.count(kPaper), 16);
}

// A 2 x 2 bitmap with variants at 2x and 4x (none at 3x), each tagged in its
// blue channel with its scale, and its pixel position in red and green.
class VariantBitmap : public Source {
  public:
    VariantBitmap() : Source(2, 2, 1) {
        for (const int scale : {2, 4}) {
            platform::Surface surface(2 * scale, 2 * scale);
            for (int y = 0; y < 2 * scale; ++y) {
                for (int x = 0; x < 2 * scale; ++x) {
                    surface.set(x, y, platform::pixelFromColour(RGB(x, y, scale)));
                }
            }
            EXPECT_TRUE(platform::addBitmapVariant(bitmap(), scale, std::move(surface)));
        }
    }
};

TEST(Variants, ABitmapReportsItsOneTimesSize) {
    VariantBitmap source;
    BITMAP info;
    ASSERT_EQ(GetObject(source.bitmap(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(GetObject(source.bitmap(), 4, &info), 0);
}

TEST(Variants, StretchSamplesTheSmallestVariantAtLeastAsLargeAsTheDestination) {
    VariantBitmap source;
    struct Case {
        int size;
        int scale;
    };
    for (const Case c :
         {Case{1, 1}, Case{2, 1}, Case{3, 2}, Case{4, 2}, Case{5, 4}, Case{8, 4}, Case{20, 4}}) {
        TestCanvas canvas(20, 20);
        StretchBlt(canvas.dc(), 0, 0, c.size, c.size, source.dc(), 0, 0, 2, 2, SRCCOPY);
        EXPECT_EQ(GetBValue(canvas.at(0, 0)), c.scale) << "destination " << c.size;
        EXPECT_EQ(GetBValue(canvas.at(c.size - 1, c.size - 1)), c.scale) << "destination " << c.size;
    }
    // A part of the bitmap is found at its place in the variant: the right
    // column, stretched to 2 x 4, comes from columns 2-3 of the 2x picture.
    TestCanvas canvas(4, 4);
    StretchBlt(canvas.dc(), 0, 0, 2, 4, source.dc(), 1, 0, 1, 2, SRCCOPY);
    EXPECT_EQ(canvas.at(0, 0), RGB(2, 0, 2));
    EXPECT_EQ(canvas.at(1, 3), RGB(3, 3, 2));
    // A plain copy stays with the 1x picture.
    TestCanvas plain(2, 2);
    BitBlt(plain.dc(), 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(plain.at(1, 1), RGB(1, 1, 1));
}

TEST(Variants, OnlyExactMultiplesAreAccepted) {
    Source source(3, 2);
    EXPECT_FALSE(platform::addBitmapVariant(source.bitmap(), 2, platform::Surface(6, 5)));
    EXPECT_FALSE(platform::addBitmapVariant(source.bitmap(), 5, platform::Surface(15, 10)));
    EXPECT_TRUE(platform::addBitmapVariant(source.bitmap(), 3, platform::Surface(9, 6)));
}

}  // namespace
}  // namespace drawing_test

// Text through fontconfig and FreeType: what it leaves alone. Where centred
// numbers land is pinned by every bundled board's pixels.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/text_renderer.h"
#include "tests/support/test_canvas.h"

namespace drawing_test {
namespace {

// The box around every pixel that is no longer the background.
PixelBox inkOf(TestCanvas& canvas, COLORREF background) {
    return boxWhere(canvas.surface(),
                    [&](platform::Pixel p) { return p != platform::pixelFromColour(background); });
}

class TextTest : public testing::Test {
  protected:
    void SetUp() override {
        font_ = CreateFont(-13, FW_NORMAL, u"Arial");
        previous_ = SelectObject(canvas_.dc(), font_);
        SetBkMode(canvas_.dc(), TRANSPARENT);
        SetTextColor(canvas_.dc(), kInk);
    }
    void TearDown() override {
        SelectObject(canvas_.dc(), previous_);
        EXPECT_TRUE(DeleteObject(font_));
        platform::setFontLocator({});
    }

    TestCanvas canvas_{80, 40};
    HFONT font_ = nullptr;
    HFONT previous_ = nullptr;
};

TEST_F(TextTest, OpaqueModeFillsTheTextCellOnly) {
    SetBkMode(canvas_.dc(), OPAQUE);
    SetBkColor(canvas_.dc(), RGB(0, 0, 255));
    RECT box{0, 0, 80, 40};
    const int bottom = DrawText(canvas_.dc(), u"12", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const int lineHeight = platform::fontLineHeight(font_);
    EXPECT_EQ(bottom, (40 - lineHeight) / 2 + lineHeight);
    const PixelBox cell = inkOf(canvas_, kPaper);
    EXPECT_EQ(cell.top, (40 - lineHeight) / 2);
    EXPECT_EQ(cell.bottom, bottom - 1);
    EXPECT_EQ(canvas_.at(cell.left, cell.top), RGB(0, 0, 255));
    EXPECT_LT(cell.right - cell.left, 20);
    EXPECT_EQ(canvas_.at(0, 20), kPaper);
}

TEST_F(TextTest, AMissingFontDrawsNothing) {
    // None found, or one that cannot be read.
    for (const std::optional<platform::FontFile>& file :
         {std::optional<platform::FontFile>(),
          std::optional(platform::FontFile{"/no/such/font/file.ttf", 0})}) {
        platform::setFontLocator([file](std::string_view, int) { return file; });
        HFONT missing = CreateFont(-13, FW_NORMAL, u"Arial");
        SelectObject(canvas_.dc(), missing);
        RECT box{0, 0, 80, 40};
        EXPECT_EQ(DrawText(canvas_.dc(), u"12", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
        SelectObject(canvas_.dc(), font_);
        DeleteObject(missing);
    }
    EXPECT_EQ(canvas_.count(kPaper), 80 * 40);
}

}  // namespace
}  // namespace drawing_test

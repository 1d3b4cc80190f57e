// Text through fontconfig and FreeType: where it lands, what it leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/drawing/device_context.h"
#include "platform/drawing/drawing.h"
#include "platform/drawing/font.h"
#include "platform/drawing/text_renderer.h"
#include "platform/headless/headless_backend.h"
#include "test_canvas.h"

namespace drawing_test {
namespace {

// The box around every pixel that is no longer the background.
struct Ink {
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;  // last column, included
    int bottom = -1;
    int pixels = 0;
    bool any() const { return pixels > 0; }
    double centreX() const { return (left + right + 1) / 2.0; }
    double centreY() const { return (top + bottom + 1) / 2.0; }
};

Ink inkOf(TestCanvas& canvas, COLORREF background) {
    Ink ink;
    for (int y = 0; y < canvas.surface().height(); ++y) {
        for (int x = 0; x < canvas.surface().width(); ++x) {
            if (canvas.at(x, y) != background) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.pixels;
            }
        }
    }
    return ink;
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

TEST_F(TextTest, ArialResolvesToAMetricCompatibleFace) {
    const auto file = platform::locateFont("Arial", FW_NORMAL);
    const auto bold = platform::locateFont("Arial", FW_BOLD);
    ASSERT_TRUE(file.has_value() && bold.has_value());
    EXPECT_NE(file->path.find("LiberationSans-Regular"), std::string::npos) << file->path;
    EXPECT_NE(bold->path.find("LiberationSans-Bold"), std::string::npos) << bold->path;
}

TEST_F(TextTest, CentredTextLandsInTheMiddleOfItsBox) {
    struct Case {
        RECT box;
        const char16_t* text;
    };
    for (const Case c : {Case{{0, 0, 80, 40}, u"88"}, Case{{10, 4, 40, 36}, u"40"},
                         Case{{30, 0, 52, 20}, u"7"}, Case{{4, 10, 76, 30}, u"0123"}}) {
        std::ranges::fill(canvas_.surface().pixels(), platform::pixelFromColour(kPaper));
        RECT box = c.box;
        DrawText(canvas_.dc(), c.text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        const Ink ink = inkOf(canvas_, kPaper);
        ASSERT_TRUE(ink.any());
        EXPECT_NEAR(ink.centreX(), (c.box.left + c.box.right) / 2.0, 1.5) << ink.left << "-" << ink.right;
        EXPECT_NEAR(ink.centreY(), (c.box.top + c.box.bottom) / 2.0, 1.5) << ink.top << "-" << ink.bottom;
        // Digits of a 13-pixel font stand about 9 pixels tall.
        EXPECT_NEAR(ink.bottom - ink.top + 1, 9, 1);
    }
}

TEST_F(TextTest, LeftAlignedTextStartsAtTheBoxEdgeAndIsCutAtItsRight) {
    RECT box{20, 0, 50, 40};
    DrawText(canvas_.dc(), u"Mona Lisa Mona Lisa", -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    const Ink ink = inkOf(canvas_, kPaper);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.left, 22);
    EXPECT_EQ(ink.right, 49);  // the text runs on past the box, which cuts it
}

TEST_F(TextTest, TransparentModeLeavesTheBackgroundAndBlendsTheTextColour) {
    std::ranges::fill(canvas_.surface().pixels(), platform::pixelFromColour(RGB(110, 87, 158)));
    SetTextColor(canvas_.dc(), RGB(255, 255, 255));
    SetBkColor(canvas_.dc(), RGB(0, 0, 255));
    RECT box{0, 0, 80, 40};
    DrawText(canvas_.dc(), u"12", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(canvas_.count(RGB(0, 0, 255)), 0);
    EXPECT_GT(canvas_.count(RGB(255, 255, 255)), 0);  // fully covered pixels
    EXPECT_GT(canvas_.count(RGB(110, 87, 158)), 80 * 40 - 150);
    // Partly covered pixels lie between the two colours.
    int between = 0;
    for (const platform::Pixel p : canvas_.surface().pixels()) {
        const COLORREF c = platform::colourFromPixel(p);
        if (c != RGB(255, 255, 255) && c != RGB(110, 87, 158)) {
            EXPECT_GE(GetRValue(c), 110);
            EXPECT_GE(GetGValue(c), 87);
            EXPECT_GE(GetBValue(c), 158);
            ++between;
        }
    }
    EXPECT_GT(between, 0);
}

TEST_F(TextTest, OpaqueModeFillsTheTextCellOnly) {
    SetBkMode(canvas_.dc(), OPAQUE);
    SetBkColor(canvas_.dc(), RGB(0, 0, 255));
    RECT box{0, 0, 80, 40};
    const int bottom = DrawText(canvas_.dc(), u"12", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const int lineHeight = platform::fontLineHeight(font_);
    EXPECT_EQ(bottom, (40 - lineHeight) / 2 + lineHeight);
    const Ink cell = inkOf(canvas_, kPaper);
    EXPECT_EQ(cell.top, (40 - lineHeight) / 2);
    EXPECT_EQ(cell.bottom, bottom - 1);
    EXPECT_EQ(canvas_.at(cell.left, cell.top), RGB(0, 0, 255));
    EXPECT_LT(cell.right - cell.left, 20);
    EXPECT_EQ(canvas_.at(0, 20), kPaper);
}

TEST_F(TextTest, HeightsFollowTheCellAndCharacterConventions) {
    // Negative: the em square; Arial's cell is about 1.15 em.
    EXPECT_EQ(platform::fontLineHeight(font_), 15);
    HFONT cell = CreateFont(20, FW_NORMAL, u"Arial");
    EXPECT_EQ(platform::fontLineHeight(cell), 20);
    DeleteObject(cell);
}

TEST_F(TextTest, AMissingFontDrawsNothing) {
    platform::setFontLocator([](std::string_view, int) { return std::nullopt; });
    HFONT missing = CreateFont(-13, FW_NORMAL, u"Arial");
    SelectObject(canvas_.dc(), missing);
    RECT box{0, 0, 80, 40};
    EXPECT_EQ(DrawText(canvas_.dc(), u"12", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);

    platform::setFontLocator([](std::string_view, int) {
        return platform::FontFile{"/no/such/font/file.ttf", 0};
    });
    HFONT unreadable = CreateFont(-13, FW_NORMAL, u"Arial");
    SelectObject(canvas_.dc(), unreadable);
    EXPECT_EQ(DrawText(canvas_.dc(), u"12", 2, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    EXPECT_EQ(canvas_.count(kPaper), 80 * 40);

    SelectObject(canvas_.dc(), font_);
    DeleteObject(missing);
    DeleteObject(unreadable);
}

TEST_F(TextTest, CountLimitsTheCharactersDrawn) {
    RECT box{0, 0, 80, 40};
    DrawText(canvas_.dc(), u"1", -1, &box, DT_LEFT | DT_SINGLELINE);
    const int one = inkOf(canvas_, kPaper).pixels;
    std::ranges::fill(canvas_.surface().pixels(), platform::pixelFromColour(kPaper));
    DrawText(canvas_.dc(), u"1111", 1, &box, DT_LEFT | DT_SINGLELINE);
    EXPECT_EQ(inkOf(canvas_, kPaper).pixels, one);
}

TEST(DeviceCaps, DotsPerInchComeFromTheBackend) {
    platform::HeadlessBackend backend;
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    backend.setDotsPerInch(192);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 192);
    DeleteDC(dc);
}

TEST_F(TextTest, CrispTextDrawnTwiceLeavesTheSamePixelsAndSmoothTextDarkens) {
    const auto drawTwice = [&](BYTE quality) {
        const HFONT font = CreateFont(-13, FW_NORMAL, u"Arial", quality);
        const HFONT old = SelectObject(canvas_.dc(), font);
        RECT box{0, 0, 80, 40};
        std::ranges::fill(canvas_.surface().pixels(), platform::pixelFromColour(kPaper));
        SetTextColor(canvas_.dc(), RGB(200, 30, 30));
        DrawText(canvas_.dc(), u"28", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        const std::vector<platform::Pixel> once(canvas_.surface().pixels().begin(),
                                                canvas_.surface().pixels().end());
        DrawText(canvas_.dc(), u"28", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        const bool same = std::ranges::equal(once, canvas_.surface().pixels());
        int pure = 0;
        for (platform::Pixel p : once) {
            pure += platform::colourFromPixel(p) == RGB(200, 30, 30) ? 1 : 0;
        }
        SelectObject(canvas_.dc(), old);
        DeleteObject(font);
        return std::pair{same, pure};
    };
    const auto [crispSame, crispPure] = drawTwice(NONANTIALIASED_QUALITY);
    EXPECT_TRUE(crispSame);
    EXPECT_GT(crispPure, 20) << "crisp text is all text colour";
    EXPECT_FALSE(drawTwice(DEFAULT_QUALITY).first) << "smoothed edges blend again";
}

}  // namespace
}  // namespace drawing_test

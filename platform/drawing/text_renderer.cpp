#include "platform/drawing/text_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/text.h"
#include "platform/drawing/device_context.h"
#include "platform/drawing/font.h"
#include "platform/pixels/pixel_run.h"
#include "platform/pixels/rasterizer.h"

namespace platform {

namespace {

// One FreeType library for the whole run. It is never released: fonts held by
// static objects may outlive any point at which it could be.
FT_Library freetype() {
    static FT_Library library = [] {
        FT_Library created = nullptr;
        return FT_Init_FreeType(&created) == 0 ? created : nullptr;
    }();
    return library;
}

}  // namespace

namespace {

// Pixels x0 <= x < x1 of a glyph's row y, all fully covered (opaque) or all
// partly covered.
struct CoverageRun {
    int y, x0, x1;
    bool opaque;
};

// The glyph's covered pixels as runs: fully covered ones are drawn as fills,
// with no look at each pixel's coverage.
std::vector<CoverageRun> runsOf(const std::vector<std::uint8_t>& coverage, int width, int height) {
    std::vector<CoverageRun> runs;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = coverage.data() + static_cast<std::ptrdiff_t>(y) * width;
        for (int x = 0; x < width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const bool opaque = row[x] == 255;
            const int start = x;
            while (x < width && row[x] != 0 && (row[x] == 255) == opaque) {
                ++x;
            }
            runs.push_back({y, start, x, opaque});
        }
    }
    return runs;
}

}  // namespace

// A rendered glyph, kept for the life of its font.
struct Glyph {
    int left = 0;  // from the pen position to the bitmap's left column
    int top = 0;   // from the baseline up to the bitmap's top row
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // width x height, 0-255
    std::vector<CoverageRun> runs;       // the covered pixels, row by row
};

// A face at one pixel size, with the glyphs rendered so far.
class ScaledFont {
  public:
    ~ScaledFont() { FT_Done_Face(face_); }
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;

    static std::shared_ptr<ScaledFont> open(const FontFile& file, int height, bool smooth) {
        FT_Library library = freetype();
        FT_Face face = nullptr;
        if (library == nullptr || FT_New_Face(library, file.path.c_str(), file.index, &face) != 0) {
            return nullptr;
        }
        std::shared_ptr<ScaledFont> font(new ScaledFont(face, smooth));
        if (!font->setHeight(height)) {
            return nullptr;
        }
        return font;
    }

    int ascent() const { return ascent_; }
    int descent() const { return descent_; }

    const Glyph& glyph(char32_t c) {
        if (c < ascii_.size() && ascii_[c] != nullptr) {
            return *ascii_[c];
        }
        const auto found = cache_.find(c);
        if (found != cache_.end()) {
            return found->second;
        }
        Glyph& g = cache_[c];
        if (c < ascii_.size()) {
            ascii_[c] = &g;  // the map's nodes stay where they are as it grows
        }
        const FT_UInt index = FT_Get_Char_Index(face_, c);
        if (FT_Load_Glyph(face_, index,
                          FT_LOAD_DEFAULT | (smooth_ ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO)) != 0 ||
            FT_Render_Glyph(face_->glyph, smooth_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) {
            return g;
        }
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.buffer != nullptr) {
            g.width = static_cast<int>(bitmap.width);
            g.height = static_cast<int>(bitmap.rows);
            g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
            for (int y = 0; y < g.height; ++y) {
                const unsigned char* from = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
                std::copy(from, from + g.width,
                          g.coverage.begin() + static_cast<std::ptrdiff_t>(y) * g.width);
            }
        } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO && bitmap.buffer != nullptr) {
            g.width = static_cast<int>(bitmap.width);
            g.height = static_cast<int>(bitmap.rows);
            g.coverage.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
            for (int y = 0; y < g.height; ++y) {
                const unsigned char* from = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
                for (int x = 0; x < g.width; ++x) {
                    const bool on = (from[x / 8] & (0x80 >> (x % 8))) != 0;
                    g.coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width) + x] =
                        on ? 255 : 0;
                }
            }
        }
        g.runs = runsOf(g.coverage, g.width, g.height);
        return g;
    }

  private:
    ScaledFont(FT_Face face, bool smooth) : face_(face), smooth_(smooth) {}

    bool setHeight(int height) {
        if (!FT_IS_SCALABLE(face_)) {
            return false;
        }
        // The cell of a Windows font is its OS/2 "win" ascent plus descent;
        // other faces fall back on their general ascender and descender.
        double unitsAscent = face_->ascender;
        double unitsDescent = -face_->descender;
        if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
            os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            unitsAscent = os2->usWinAscent;
            unitsDescent = os2->usWinDescent;
        }
        const double unitsPerEm = face_->units_per_EM;
        double em = 12;
        if (height < 0) {
            em = -static_cast<double>(height);
        } else if (height > 0) {
            em = height * unitsPerEm / (unitsAscent + unitsDescent);
        }
        const auto em26 = static_cast<FT_F26Dot6>(std::lround(em * 64));
        if (em26 <= 0 || FT_Set_Char_Size(face_, 0, em26, 72, 72) != 0) {
            return false;
        }
        ascent_ = static_cast<int>(std::lround(unitsAscent * em / unitsPerEm));
        descent_ = static_cast<int>(std::lround(unitsDescent * em / unitsPerEm));
        return true;
    }

    FT_Face face_;
    bool smooth_;
    int ascent_ = 0;
    int descent_ = 0;
    std::unordered_map<char32_t, Glyph> cache_;
    // Digits and letters found without hashing: a board draws thousands of numbers a frame.
    std::array<const Glyph*, 128> ascii_{};
};

namespace {

ScaledFont* scaledFont(HFONT font) {
    if (font == nullptr) {
        return nullptr;
    }
    if (!font->opened) {
        font->opened = true;
        if (const auto file = locateFont(utf16ToUtf8(font->face), font->weight)) {
            font->scaled = ScaledFont::open(*file, font->height, font->quality != NONANTIALIASED_QUALITY);
        }
    }
    return font->scaled.get();
}

// Code points of UTF-16 text; a lone surrogate stands for itself.
void decode(const WCHAR* text, std::size_t length, std::vector<char32_t>& out) {
    out.clear();
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        out.push_back(c);
    }
}

Pixel blend(Pixel under, Pixel over, unsigned alpha) {
    if (alpha == 255) {
        return over;
    }
    const unsigned keep = 255 - alpha;
    auto channel = [&](int shift) {
        const unsigned u = (under >> shift) & 0xFFu;
        const unsigned o = (over >> shift) & 0xFFu;
        return ((u * keep + o * alpha + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

void drawGlyph(const Canvas& c, const Glyph& g, std::int64_t x, std::int64_t y, Pixel colour) {
    for (const CoverageRun& run : g.runs) {
        const std::int64_t py = y + run.y;
        if (py < c.clipTop || py >= c.clipBottom) {
            continue;
        }
        const std::int64_t left = std::max<std::int64_t>(x + run.x0, c.clipLeft);
        const std::int64_t right = std::min<std::int64_t>(x + run.x1, c.clipRight);
        if (left >= right) {
            continue;
        }
        Pixel* row = c.surface->row(static_cast<int>(py));
        if (run.opaque) {
            fillPixels(row + left, static_cast<std::size_t>(right - left), colour);
            continue;
        }
        const std::uint8_t* cover = g.coverage.data() + run.y * g.width;
        for (std::int64_t px = left; px < right; ++px) {
            row[px] = blend(row[px], colour, cover[px - x]);
        }
    }
}

thread_local std::vector<char32_t> codePoints;

}  // namespace

int fontLineHeight(HFONT font) {
    ScaledFont* scaled = scaledFont(font);
    return scaled ? scaled->ascent() + scaled->descent() : 0;
}

}  // namespace platform

int DrawText(HDC hdc, const WCHAR* text, int count, RECT* rect, UINT format) {
    [[maybe_unused]] constexpr UINT supported = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    assert((format & ~supported) == 0);
    if (hdc == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    platform::ScaledFont* font = platform::scaledFont(hdc->font());
    if (font == nullptr) {
        return 0;
    }
    const std::size_t length =
        count < 0 ? std::char_traits<char16_t>::length(text) : static_cast<std::size_t>(count);
    auto& points = platform::codePoints;
    platform::decode(text, length, points);

    std::int64_t width = 0;
    for (const char32_t c : points) {
        width += font->glyph(c).advance;
    }
    const int lineHeight = font->ascent() + font->descent();
    const std::int64_t boxWidth = std::int64_t{rect->right} - rect->left;
    const std::int64_t boxHeight = std::int64_t{rect->bottom} - rect->top;
    const std::int64_t x = (format & DT_CENTER) ? rect->left + (boxWidth - width) / 2 : rect->left;
    const bool centreVertically = (format & DT_VCENTER) && (format & DT_SINGLELINE);
    const std::int64_t y = centreVertically ? rect->top + (boxHeight - lineHeight) / 2 : rect->top;

    const platform::Canvas canvas =
        (format & DT_NOCLIP) != 0
            ? hdc->canvas()
            : platform::clippedTo(hdc->canvas(), rect->left, rect->top, rect->right, rect->bottom);
    if (!canvas.empty()) {
        if (hdc->backgroundMode == OPAQUE) {
            platform::fillBox(canvas, x, y, x + width, y + lineHeight,
                              platform::pixelFromColour(hdc->backgroundColour));
        }
        const platform::Pixel colour = platform::pixelFromColour(hdc->textColour);
        std::int64_t penX = x + canvas.originX;
        const std::int64_t baseline = y + canvas.originY + font->ascent();
        for (const char32_t c : points) {
            const platform::Glyph& g = font->glyph(c);
            platform::drawGlyph(canvas, g, penX + g.left, baseline - g.top, colour);
            penX += g.advance;
        }
    }
    return centreVertically ? static_cast<int>(y - rect->top + lineHeight) : lineHeight;
}

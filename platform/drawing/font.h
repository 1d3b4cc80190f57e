// Fonts: a face name, a height in pixels and a weight, found on the host
// through fontconfig ("Arial" resolves to a metric-compatible face such as
// Liberation Sans) and rendered by platform/text_renderer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/handles.h"
#include "platform/base/types.h"
#include "platform/drawing/gdi_objects.h"

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

// Font quality: smoothed edges, or crisp ones. Crisp text drawn twice over
// itself gives the same pixels, which the board's quick redraw relies on.
inline constexpr BYTE DEFAULT_QUALITY = 0;  // smoothed
inline constexpr BYTE NONANTIALIASED_QUALITY = 3;
inline constexpr BYTE ANTIALIASED_QUALITY = 4;

namespace platform {

class ScaledFont;

struct FontObject {
    // Negative: the character height (the em square) in pixels. Positive: the
    // cell height (ascent plus descent). 0: a character height of 12.
    int height = 0;
    int weight = FW_NORMAL;
    std::u16string face{};
    BYTE quality = DEFAULT_QUALITY;
    bool stock = false;
    int selections = 0;
    // Opened on first use; stays empty when the face cannot be found or read.
    bool opened = false;
    std::shared_ptr<ScaledFont> scaled{};
};

struct FontFile {
    std::string path;
    int index = 0;  // face within a collection
};

// Finds the file of a face (UTF-8 name) and weight (100-900).
using FontLocator = std::function<std::optional<FontFile>(std::string_view face, int weight)>;

// The locator fonts opened from now on use; an empty one restores fontconfig.
void setFontLocator(FontLocator locator);
std::optional<FontFile> locateFont(std::string_view face, int weight);

// What a new device context holds: Tahoma (or its host stand-in), 12 pixels.
HFONT defaultFont();

}  // namespace platform

// `face` is at most 31 characters, as the platform stores it. Always answers a
// font: one whose face cannot be found draws no text.
HFONT CreateFont(int height, int weight, const WCHAR* face, BYTE quality = DEFAULT_QUALITY);

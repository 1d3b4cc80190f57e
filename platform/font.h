// Fonts: a face name, a height in pixels and a weight, found on the host
// through fontconfig ("Arial" resolves to a metric-compatible face such as
// Liberation Sans) and rendered by platform/text_renderer.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/gdi_objects.h"
#include "platform/handles.h"
#include "platform/types.h"

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

namespace platform {

class ScaledFont;

struct FontObject {
    // Negative: the character height (the em square) in pixels. Positive: the
    // cell height (ascent plus descent). 0: a character height of 12.
    int height = 0;
    int weight = FW_NORMAL;
    std::u16string face{};
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
HFONT CreateFont(int height, int weight, const WCHAR* face);

#include "platform/drawing/font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

#include "platform/base/text.h"

namespace platform {

namespace {

FontLocator& installedLocator() {
    static FontLocator locator;
    return locator;
}

std::optional<FontFile> fontconfigLocate(std::string_view face, int weight) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return std::nullopt;
    }
    const std::string family(face);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr) {
        return std::nullopt;
    }
    std::optional<FontFile> found;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) {
            index = 0;
        }
        found = FontFile{reinterpret_cast<const char*>(file), index};
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

void setFontLocator(FontLocator locator) {
    installedLocator() = std::move(locator);
}

std::optional<FontFile> locateFont(std::string_view face, int weight) {
    if (weight <= 0) {
        weight = FW_NORMAL;
    }
    const FontLocator& locator = installedLocator();
    return locator ? locator(face, weight) : fontconfigLocate(face, weight);
}

HFONT defaultFont() {
    static FontObject font{-12, FW_NORMAL, u"Tahoma", true};
    return &font;
}

}  // namespace platform

HFONT CreateFont(int height, int weight, const WCHAR* face, BYTE quality) {
    constexpr std::size_t faceCapacity = 32;
    platform::detail::countCreated();
    auto* font = new platform::FontObject{height, weight};
    font->quality = quality;
    if (face != nullptr) {
        font->face.assign(
            face, std::min<std::size_t>(platform::boundedLength(face, faceCapacity), faceCapacity - 1));
    }
    return font;
}

BOOL DeleteObject(HFONT font) {
    return platform::detail::deleteDrawingObject(font, [](const auto& o) { return o.selections > 0; });
}

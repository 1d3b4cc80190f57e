#include "render/game_fonts.h"

#include "platform/drawing/font.h"

HFONT createLargeFont(int dotsPerInch) {
    return CreateFont(largeFontHeight(dotsPerInch), FW_NORMAL, u"Arial", NONANTIALIASED_QUALITY);
}

HFONT createSmallFont(int dotsPerInch) {
    return CreateFont(smallFontHeight(dotsPerInch), FW_NORMAL, u"Arial");
}

// Writes a surface as a PNG file, for the tools and for tests that keep a
// picture; the game itself never writes PNG.
#pragma once

#include <string>

#include "platform/pixels/surface.h"

namespace codecs {

// `path` is UTF-8. Answers false when the file cannot be written or the surface is empty.
bool writePng(const platform::Surface& surface, const std::string& path);

}  // namespace codecs

// Writes a surface as a PNG file, for tests that keep a picture and for tools.
#pragma once

#include <string>

#include "platform/surface.h"

namespace platform {

// `path` is UTF-8. Answers false when the file cannot be written or the surface is empty.
bool writePng(const Surface& surface, const std::string& path);

}  // namespace platform

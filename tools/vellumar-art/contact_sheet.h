// One picture of all the art for review: every bitmap at 1x beside its 4x
// variant, the icon's sizes, and the faces put together as the portrait
// screen shows them at 1x and 2x.
#pragma once

#include <string>

namespace art {

// Writes the sheet as a PNG; false when it cannot be written.
bool writeContactSheet(const std::string& path);

}  // namespace art

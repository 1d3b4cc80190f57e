// The main window's title on the desktop: the picture's name, and once the
// player has painted it to the end, the time it took and the misses. The
// handheld's title string stays the window's name until a picture starts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "Tiger", or "Tiger: finished in 4:12, 3 misses" when `finished`; without
// `seconds` the clock ran out first and the time taken is not known.
std::u16string pictureTitle(std::u16string_view name, bool finished, std::optional<std::int32_t> seconds,
                            std::int32_t misses);

// Sets the main window's title for the current picture.
void showPictureTitle(bool finished);

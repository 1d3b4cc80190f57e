// A window's picture as xwd writes it (X Window Dump, 32 bits a pixel, true or
// direct colour), so a test can see what a program really put on the display.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class XwdImage {
  public:
    // nullopt (and why) for anything but a dump of 32 bits a pixel in 0xRRGGBB.
    static std::optional<XwdImage> parse(std::string_view bytes, std::string* why);

    int width() const { return width_; }
    int height() const { return height_; }
    // 0xRRGGBB.
    std::uint32_t at(int x, int y) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace testing_support

// Reads the numbers of SVG attribute syntax: separated by white space and
// commas, or by nothing where a sign or a second decimal point begins the
// next ("1.5.5-2" is 1.5, .5, -2).
#pragma once

#include <optional>
#include <string_view>

namespace svg {

class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    std::optional<double> number();
    // An arc flag: a single 0 or 1, which needs no separator after it.
    std::optional<bool> flag();
    // Skips separators; the next non-separator character, or 0 at the end.
    char peek();
    void advance() { ++at_; }
    bool atEnd() { return peek() == 0; }

  private:
    void skipSeparators();
    std::string_view text_;
    std::size_t at_ = 0;
};

// The text without white space at either end.
std::string_view trimSpaces(std::string_view text);

// The leading number of a length ("12.5px", "3"); units are ignored.
// Percentages and text that is not a number give nothing.
std::optional<double> parseLength(std::string_view text);

}  // namespace svg

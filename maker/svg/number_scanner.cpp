#include "maker/svg/number_scanner.h"

#include <cctype>
#include <charconv>
#include <string>

namespace svg {

namespace {

bool isSeparator(char c) {
    return c == ',' || std::isspace(static_cast<unsigned char>(c));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void NumberScanner::skipSeparators() {
    while (at_ < text_.size() && isSeparator(text_[at_])) {
        ++at_;
    }
}

char NumberScanner::peek() {
    skipSeparators();
    return at_ < text_.size() ? text_[at_] : 0;
}

std::optional<double> NumberScanner::number() {
    skipSeparators();
    std::size_t i = at_;
    if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) {
        ++i;
    }
    const std::size_t digitsFrom = i;
    while (i < text_.size() && isDigit(text_[i])) {
        ++i;
    }
    if (i < text_.size() && text_[i] == '.') {
        ++i;
        while (i < text_.size() && isDigit(text_[i])) {
            ++i;
        }
    }
    if (i == digitsFrom || (i == digitsFrom + 1 && text_[digitsFrom] == '.')) {
        return std::nullopt;
    }
    if (i < text_.size() && (text_[i] == 'e' || text_[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text_.size() && (text_[j] == '+' || text_[j] == '-')) {
            ++j;
        }
        if (j < text_.size() && isDigit(text_[j])) {
            while (j < text_.size() && isDigit(text_[j])) {
                ++j;
            }
            i = j;
        }
    }
    // from_chars takes no leading '+'.
    const std::size_t from = text_[at_] == '+' ? at_ + 1 : at_;
    double value = 0;
    const auto result = std::from_chars(text_.data() + from, text_.data() + i, value);
    if (result.ec != std::errc()) {
        return std::nullopt;
    }
    at_ = i;
    return value;
}

std::optional<bool> NumberScanner::flag() {
    const char c = peek();
    if (c != '0' && c != '1') {
        return std::nullopt;
    }
    ++at_;
    return c == '1';
}

std::optional<double> parseLength(std::string_view text) {
    NumberScanner scanner(text);
    const auto value = scanner.number();
    if (!value || scanner.peek() == '%') {
        return std::nullopt;
    }
    return value;
}

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

}  // namespace svg

#include "maker/svg/colour.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "maker/svg/number_scanner.h"

namespace svg {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<Rgba> parseHex(std::string_view hex) {
    std::vector<int> d;
    for (char c : hex) {
        if (hexDigit(c) < 0) {
            return std::nullopt;
        }
        d.push_back(hexDigit(c));
    }
    if (d.size() == 3) {
        return Rgba{d[0] * 17.0, d[1] * 17.0, d[2] * 17.0, 1.0};
    }
    if (d.size() == 6) {
        return Rgba{d[0] * 16.0 + d[1], d[2] * 16.0 + d[3], d[4] * 16.0 + d[5], 1.0};
    }
    return std::nullopt;
}

// rgb(r, g, b) or rgba(r, g, b, a), each channel a number or a percentage.
std::optional<Rgba> parseFunction(std::string_view args, bool withAlpha) {
    NumberScanner in(args);
    double channel[3];
    for (double& c : channel) {
        const auto v = in.number();
        if (!v) {
            return std::nullopt;
        }
        c = *v;
        if (in.peek() == '%') {
            in.advance();
            c = c * 255.0 / 100.0;
        }
        c = std::clamp(c, 0.0, 255.0);
    }
    double alpha = 1.0;
    if (withAlpha || in.peek() == '/') {
        if (in.peek() == '/') {
            in.advance();
        }
        const auto a = in.number();
        if (!a) {
            return std::nullopt;
        }
        alpha = *a;
        if (in.peek() == '%') {
            in.advance();
            alpha /= 100.0;
        }
        alpha = std::clamp(alpha, 0.0, 1.0);
    }
    if (!in.atEnd()) {
        return std::nullopt;
    }
    return Rgba{channel[0], channel[1], channel[2], alpha};
}

}  // namespace

std::optional<Rgba> parseColour(std::string_view text) {
    text = trimSpaces(text);
    if (text.empty()) {
        return std::nullopt;
    }
    if (text.front() == '#') {
        return parseHex(text.substr(1));
    }
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
    for (const std::string_view prefix : {"rgb(", "rgba("}) {
        if (lower.starts_with(prefix) && lower.back() == ')') {
            return parseFunction(
                std::string_view(lower).substr(prefix.size(), lower.size() - prefix.size() - 1),
                prefix.size() == 5);
        }
    }
    if (lower == "transparent") {
        return Rgba{0, 0, 0, 0};
    }
    return namedColour(lower);
}

}  // namespace svg

#include "maker/svg/style.h"

#include <algorithm>
#include <cctype>

#include "maker/svg/number_scanner.h"

namespace svg {

namespace {

std::string trimmed(std::string_view s) {
    return std::string(trimSpaces(s));
}

// A number or a percentage, clamped to 0 ... 1.
std::optional<double> parseOpacity(std::string_view text) {
    NumberScanner in(text);
    auto v = in.number();
    if (!v) {
        return std::nullopt;
    }
    if (in.peek() == '%') {
        *v /= 100.0;
    }
    return std::clamp(*v, 0.0, 1.0);
}

}  // namespace

Properties parseStyleAttribute(std::string_view text) {
    Properties properties;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(';', at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view declaration = text.substr(at, end - at);
        const std::size_t colon = declaration.find(':');
        if (colon != std::string_view::npos) {
            std::string value = trimmed(declaration.substr(colon + 1));
            if (const std::size_t bang = value.find("!important"); bang != std::string::npos) {
                value = trimmed(std::string_view(value).substr(0, bang));
            }
            std::string name = trimmed(declaration.substr(0, colon));
            std::ranges::transform(name, name.begin(),
                                   [](char c) { return static_cast<char>(std::tolower(c)); });
            properties[name] = value;
        }
        at = end + 1;
    }
    return properties;
}

std::optional<Paint> parsePaint(std::string_view text) {
    const std::string value = trimmed(text);
    Paint paint;
    if (value == "none") {
        paint.kind = Paint::Kind::None;
        return paint;
    }
    if (value == "currentColor" || value == "currentcolor") {
        paint.kind = Paint::Kind::CurrentColour;
        return paint;
    }
    if (value.starts_with("url(")) {
        const std::size_t close = value.find(')');
        if (close == std::string::npos) {
            return std::nullopt;
        }
        std::string id = trimmed(std::string_view(value).substr(4, close - 4));
        if (id.size() >= 2 && (id.front() == '"' || id.front() == '\'')) {
            id = id.substr(1, id.size() - 2);
        }
        if (!id.starts_with('#')) {
            return std::nullopt;
        }
        paint.kind = Paint::Kind::Reference;
        paint.reference = id.substr(1);
        const std::string rest = trimmed(std::string_view(value).substr(close + 1));
        if (rest == "none") {
            paint.fallback = Rgba{0, 0, 0, 0};
        } else if (!rest.empty()) {
            paint.fallback = parseColour(rest);
        }
        return paint;
    }
    const auto colour = parseColour(value);
    if (!colour) {
        return std::nullopt;
    }
    paint.colour = *colour;
    return paint;
}

Style cascade(const Style& parent, const Properties& own) {
    Style style = parent;
    // "inherit" keeps the parent's value, which is where we start anyway.
    const auto value = [&](std::string_view name) -> std::optional<std::string> {
        const auto it = own.find(name);
        if (it == own.end() || trimmed(it->second) == "inherit") {
            return std::nullopt;
        }
        return trimmed(it->second);
    };
    if (const auto v = value("color")) {
        if (const auto c = parseColour(*v)) {
            style.color = *c;
        }
    }
    if (const auto v = value("fill")) {
        if (const auto p = parsePaint(*v)) {
            style.fill = *p;
        }
    }
    if (style.fill.kind == Paint::Kind::CurrentColour) {
        // currentColor is resolved where it is declared, so that children inherit the colour.
        style.fill.kind = Paint::Kind::Colour;
        style.fill.colour = style.color;
    }
    if (const auto v = value("fill-opacity")) {
        if (const auto o = parseOpacity(*v)) {
            style.fillOpacity = *o;
        }
    }
    if (const auto v = value("fill-rule")) {
        if (*v == "evenodd" || *v == "nonzero") {
            style.evenOdd = *v == "evenodd";
        }
    }
    if (const auto v = value("visibility")) {
        style.visible = *v == "visible";
    }
    if (const auto v = value("opacity")) {
        if (const auto o = parseOpacity(*v)) {
            style.opacity = parent.opacity * *o;
        }
    }
    if (const auto v = value("display")) {
        style.displayed = parent.displayed && *v != "none";
    }
    return style;
}

}  // namespace svg

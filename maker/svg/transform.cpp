#include "maker/svg/transform.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "maker/svg/number_scanner.h"

namespace svg {

namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

std::optional<Affine> oneTransform(const std::string& name, const std::vector<double>& v) {
    const std::size_t n = v.size();
    if (name == "matrix" && n == 6) {
        return Affine{v[0], v[1], v[2], v[3], v[4], v[5]};
    }
    if (name == "translate" && (n == 1 || n == 2)) {
        return Affine::translate(v[0], n == 2 ? v[1] : 0.0);
    }
    if (name == "scale" && (n == 1 || n == 2)) {
        return Affine::scale(v[0], n == 2 ? v[1] : v[0]);
    }
    if (name == "rotate" && (n == 1 || n == 3)) {
        const double c = std::cos(radians(v[0])), s = std::sin(radians(v[0]));
        const Affine r{c, s, -s, c, 0, 0};
        if (n == 1) {
            return r;
        }
        return Affine::translate(v[1], v[2]).after(r).after(Affine::translate(-v[1], -v[2]));
    }
    if (name == "skewX" && n == 1) {
        return Affine{1, 0, std::tan(radians(v[0])), 1, 0, 0};
    }
    if (name == "skewY" && n == 1) {
        return Affine{1, std::tan(radians(v[0])), 0, 1, 0, 0};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Affine> parseTransform(std::string_view text) {
    Affine result;
    std::size_t at = 0;
    const auto skip = [&] {
        while (at < text.size() && (text[at] == ',' || std::isspace(static_cast<unsigned char>(text[at])))) {
            ++at;
        }
    };
    skip();
    while (at < text.size()) {
        std::string name;
        while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) {
            name += text[at++];
        }
        skip();
        if (name.empty() || at >= text.size() || text[at] != '(') {
            return std::nullopt;
        }
        const std::size_t close = text.find(')', at);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        NumberScanner scanner(text.substr(at + 1, close - at - 1));
        std::vector<double> values;
        while (!scanner.atEnd()) {
            const auto v = scanner.number();
            if (!v) {
                return std::nullopt;
            }
            values.push_back(*v);
        }
        const auto m = oneTransform(name, values);
        if (!m) {
            return std::nullopt;
        }
        // Each transform of the list applies inside the ones before it.
        result = result.after(*m);
        at = close + 1;
        skip();
    }
    return result;
}

}  // namespace svg

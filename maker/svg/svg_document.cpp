#include "maker/svg/svg_document.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <string_view>

#include "maker/svg/number_scanner.h"
#include "maker/svg/outside_references.h"
#include "maker/svg/shapes.h"
#include "maker/svg/style.h"
#include "maker/svg/transform.h"

namespace svg {

namespace {

constexpr int kMaxUseDepth = 32;  // a use that refers to its own ancestor would never end
// Elements nested deeper than this are left out: the walk recurses. And a
// walk ends after this many elements, however many uses repeat each other.
constexpr int kMaxNesting = 256;
constexpr long kMaxElementsWalked = 500'000;
// Segments kept in all: about 150 MB, far more than any drawing needs.
constexpr std::size_t kMaxSegments = 2'000'000;
constexpr std::size_t kMaxReferenceShown = 100;

// An element of another vocabulary (an editor's own, such as Inkscape's
// sodipodi:namedview) draws nothing and is no loss worth a word.
bool isForeign(const pugi::xml_node& n) {
    const std::string_view name = n.name();
    const std::size_t colon = name.find(':');
    return colon != std::string_view::npos && name.substr(0, colon) != "svg";
}

std::string localName(const pugi::xml_node& n) {
    const std::string name = n.name();
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

Properties propertiesOf(const pugi::xml_node& n) {
    Properties p;
    for (const char* name : {"fill", "fill-opacity", "fill-rule", "opacity", "display", "visibility", "color",
                             "stop-color", "stop-opacity"}) {
        if (const pugi::xml_attribute a = n.attribute(name)) {
            p[name] = a.value();
        }
    }
    for (auto& [name, value] : parseStyleAttribute(n.attribute("style").value())) {
        p[name] = value;
    }
    return p;
}

std::string hrefOf(const pugi::xml_node& n) {
    std::string ref = n.attribute("href").value();
    if (ref.empty()) {
        ref = n.attribute("xlink:href").value();
    }
    return ref.starts_with('#') ? ref.substr(1) : std::string();
}

class Reader {
  public:
    explicit Reader(Picture& picture) : picture_(picture) {}

    void indexIds(const pugi::xml_node& root) {
        for (const pugi::xpath_node& x : root.select_nodes("//*[@id]")) {
            ids_.emplace(x.node().attribute("id").value(), x.node());
        }
    }

    void walk(const pugi::xml_node& n, const Style& parent, const Affine& parentMap, int depth) {
        if (nesting_ >= kMaxNesting || ++walked_ > kMaxElementsWalked) {
            warn("elements nested too deeply or repeated too often were left out");
            return;
        }
        ++nesting_;
        walkElement(n, parent, parentMap, depth);
        --nesting_;
    }

  private:
    void walkElement(const pugi::xml_node& n, const Style& parent, const Affine& parentMap, int depth) {
        if (isForeign(n)) {
            return;
        }
        const std::string name = localName(n);
        static const std::set<std::string> skipped = {
            "defs", "symbol",   "clipPath",       "mask",           "pattern", "marker", "title",
            "desc", "metadata", "linearGradient", "radialGradient", "filter",  "script"};
        if (skipped.contains(name)) {
            return;
        }
        if (name == "text" || name == "image" || name == "foreignObject" || name == "style") {
            warn("<" + name + "> elements are left out");
            return;
        }
        const Style style = cascade(parent, propertiesOf(n));
        if (!style.displayed) {
            return;
        }
        Affine map = parentMap;
        if (const pugi::xml_attribute t = n.attribute("transform")) {
            if (const auto m = parseTransform(t.value())) {
                map = parentMap.after(*m);
            } else {
                warn("a transform that cannot be read was ignored: " + std::string(t.value()));
            }
        }
        if (name == "g" || name == "a" || name == "switch" || name == "svg") {
            for (const pugi::xml_node& child : n.children()) {
                if (child.type() == pugi::node_element) {
                    walk(child, style, map, depth);
                }
            }
            return;
        }
        if (name == "use") {
            walkUse(n, style, map, depth);
            return;
        }
        addShape(n, name, style, map);
    }

    void walkUse(const pugi::xml_node& n, const Style& style, const Affine& map, int depth) {
        const auto target = ids_.find(hrefOf(n));
        if (target == ids_.end() || depth >= kMaxUseDepth) {
            warn("a <use> whose reference is missing or refers to itself was left out");
            return;
        }
        const Affine placed = map.after(Affine::translate(parseLength(n.attribute("x").value()).value_or(0),
                                                          parseLength(n.attribute("y").value()).value_or(0)));
        const pugi::xml_node referenced = target->second;
        if (localName(referenced) == "symbol") {
            const Style symbolStyle = cascade(style, propertiesOf(referenced));
            for (const pugi::xml_node& child : referenced.children()) {
                if (child.type() == pugi::node_element) {
                    walk(child, symbolStyle, placed, depth + 1);
                }
            }
            return;
        }
        walk(referenced, style, placed, depth + 1);
    }

    // The mean of a gradient's stops, following href to the stops of another
    // gradient when it has none of its own.
    std::optional<Rgba> gradientMean(std::string id) {
        pugi::xml_node gradient;
        for (int hops = 0; hops < kMaxUseDepth; ++hops) {
            const auto it = ids_.find(id);
            if (it == ids_.end()) {
                return std::nullopt;
            }
            gradient = it->second;
            const std::string kind = localName(gradient);
            if (kind != "linearGradient" && kind != "radialGradient") {
                return std::nullopt;
            }
            if (gradient.child("stop") || hrefOf(gradient).empty()) {
                break;
            }
            id = hrefOf(gradient);
        }
        Rgba sum{0, 0, 0, 0};
        int count = 0;
        for (const pugi::xml_node& stop : gradient.children()) {
            if (localName(stop) != "stop") {
                continue;
            }
            const Properties p = propertiesOf(stop);
            Rgba c{0, 0, 0, 1};
            if (const auto it = p.find("stop-color"); it != p.end()) {
                c = parseColour(it->second).value_or(c);
            }
            double opacity = 1;
            if (const auto it = p.find("stop-opacity"); it != p.end()) {
                opacity = std::clamp(parseLength(it->second).value_or(1), 0.0, 1.0);
            }
            sum.red += c.red;
            sum.green += c.green;
            sum.blue += c.blue;
            sum.alpha += c.alpha * opacity;
            ++count;
        }
        if (count == 0) {
            return Rgba{0, 0, 0, 0};  // a gradient without stops paints nothing
        }
        return Rgba{sum.red / count, sum.green / count, sum.blue / count, sum.alpha / count};
    }

    void addShape(const pugi::xml_node& n, const std::string& name, const Style& style, const Affine& map) {
        if (!style.visible || style.fill.kind == Paint::Kind::None) {
            return;
        }
        std::vector<Subpath> outline = shapeOutline(n);
        if (outline.empty()) {
            if (name != "path" && name != "rect" && name != "circle" && name != "ellipse" &&
                name != "polygon" && name != "polyline" && name != "line") {
                warn("<" + name + "> elements are left out");
            }
            return;
        }
        std::optional<Rgba> colour = style.fill.colour;
        if (style.fill.kind == Paint::Kind::Reference) {
            colour = gradientMean(style.fill.reference);
            if (!colour) {
                colour = style.fill.fallback;
            }
            if (!colour) {
                warn("a fill refers to \"" + style.fill.reference + "\", which is not a gradient; left out");
                return;
            }
        }
        const double alpha = colour->alpha * style.fillOpacity * style.opacity;
        if (alpha <= 0) {
            return;
        }
        for (const Subpath& subpath : outline) {
            segments_ += subpath.segments.size();
        }
        if (segments_ > kMaxSegments) {
            warn("shapes past the first " + std::to_string(kMaxSegments) + " segments were left out");
            return;
        }
        transformSubpaths(outline, map);
        Shape shape;
        shape.subpaths = std::move(outline);
        shape.red = colour->red * alpha + 255.0 * (1 - alpha);
        shape.green = colour->green * alpha + 255.0 * (1 - alpha);
        shape.blue = colour->blue * alpha + 255.0 * (1 - alpha);
        shape.evenOdd = style.evenOdd;
        const std::string id = n.attribute("id").value();
        shape.name = id.empty() ? "<" + name + "> #" + std::to_string(picture_.shapes.size() + 1) : "#" + id;
        picture_.shapes.push_back(std::move(shape));
    }

    void warn(const std::string& message) {
        if (std::ranges::find(picture_.warnings, message) == picture_.warnings.end()) {
            picture_.warnings.push_back(message);
        }
    }

    Picture& picture_;
    std::map<std::string, pugi::xml_node> ids_;
    int nesting_ = 0;
    long walked_ = 0;
    std::size_t segments_ = 0;
};

}  // namespace

std::optional<Picture> readSvg(const std::string& text, std::string& error) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        error = std::string("not readable XML: ") + parsed.description() + " at byte " +
                std::to_string(parsed.offset);
        return std::nullopt;
    }
    const pugi::xml_node root = document.document_element();
    if (localName(root) != "svg") {
        error = "the file is not an SVG picture";
        return std::nullopt;
    }
    if (const auto outside = findOutsideReference(document, text)) {
        const std::string shown =
            outside->size() > kMaxReferenceShown ? outside->substr(0, kMaxReferenceShown) + "..." : *outside;
        error = "refers to an outside file (" + shown + "), which is never fetched";
        return std::nullopt;
    }
    Picture picture;
    NumberScanner viewBox(root.attribute("viewBox").value());
    const auto vx = viewBox.number(), vy = viewBox.number(), vw = viewBox.number(), vh = viewBox.number();
    if (vh && *vw > 0 && *vh > 0) {
        picture.x = *vx;
        picture.y = *vy;
        picture.width = *vw;
        picture.height = *vh;
    } else {
        picture.width = parseLength(root.attribute("width").value()).value_or(0);
        picture.height = parseLength(root.attribute("height").value()).value_or(0);
    }
    if (!(picture.width > 0) || !(picture.height > 0)) {
        error = "the picture has neither a viewBox nor a width and height";
        return std::nullopt;
    }
    Reader reader(picture);
    reader.indexIds(root);
    // The root's own viewport is the picture: its children are walked as a group's.
    const Style style = cascade(Style{}, propertiesOf(root));
    if (style.displayed) {
        for (const pugi::xml_node& child : root.children()) {
            if (child.type() == pugi::node_element) {
                reader.walk(child, style, Affine{}, 0);
            }
        }
    }
    return picture;
}

}  // namespace svg

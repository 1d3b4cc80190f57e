#include "maker/svg/outside_references.h"

#include <vector>

namespace svg {

namespace {

// Inside the drawing or carried in the reference itself.
bool isLocal(std::string_view reference) {
    const std::size_t start = reference.find_first_not_of(" \t\r\n'\"");
    reference.remove_prefix(start == std::string_view::npos ? reference.size() : start);
    return reference.empty() || reference.starts_with('#') || reference.starts_with("data:");
}

std::string_view localName(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The target of the first url(...) that leaves the drawing.
std::optional<std::string> outsideUrl(std::string_view value) {
    for (std::size_t at = value.find("url("); at != std::string_view::npos; at = value.find("url(", at + 4)) {
        const std::size_t close = value.find(')', at);
        const std::string_view target =
            value.substr(at + 4, close == std::string_view::npos ? close : close - at - 4);
        if (!isLocal(target)) {
            return std::string(target);
        }
    }
    if (value.find("@import") != std::string_view::npos) {
        return std::string("@import");
    }
    return std::nullopt;
}

std::optional<std::string> outsideReferenceOf(const pugi::xml_node& element) {
    const std::string_view name = localName(element.name());
    for (const pugi::xml_attribute& a : element.attributes()) {
        const std::string_view attribute = a.name();
        if (attribute == "xml:base") {
            return std::string("xml:base=\"") + a.value() + "\"";
        }
        // A link (<a href>) is followed only when clicked, never to draw.
        if (localName(attribute) == "href" && name != "a" && !isLocal(a.value())) {
            return std::string(a.value());
        }
        if (auto url = outsideUrl(a.value())) {
            return url;
        }
    }
    if (name == "style") {
        return outsideUrl(element.text().get());
    }
    return std::nullopt;
}

// <!ENTITY name SYSTEM "file"> and PUBLIC ones name outside files; a
// document type's own PUBLIC identifier (the SVG 1.1 DTD) is never fetched.
std::optional<std::string> outsideEntity(std::string_view text) {
    for (std::size_t at = text.find("<!ENTITY"); at != std::string_view::npos;
         at = text.find("<!ENTITY", at + 1)) {
        const std::string_view declaration = text.substr(at, text.find('>', at) - at);
        if (declaration.find("SYSTEM") != std::string_view::npos ||
            declaration.find("PUBLIC") != std::string_view::npos) {
            return std::string(declaration) + ">";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> findOutsideReference(const pugi::xml_document& document, std::string_view text) {
    if (auto entity = outsideEntity(text)) {
        return entity;
    }
    std::vector<pugi::xml_node> pending{document.document_element()};
    while (!pending.empty()) {
        const pugi::xml_node element = pending.back();
        pending.pop_back();
        if (auto reference = outsideReferenceOf(element)) {
            return reference;
        }
        for (const pugi::xml_node& child : element.children()) {
            if (child.type() == pugi::node_element) {
                pending.push_back(child);
            }
        }
    }
    return std::nullopt;
}

}  // namespace svg

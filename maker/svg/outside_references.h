// Finds what in an SVG document would make a browser fetch another file: an
// image, a <use> or a paint server in another document, xml:base, a CSS
// import, an external entity. The reader fetches nothing; such a picture is
// refused, since it would not look as its author meant.
#pragma once

#include <optional>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace svg {

// The first outside reference (the file's name or the construct), or none.
std::optional<std::string> findOutsideReference(const pugi::xml_document& document, std::string_view text);

}  // namespace svg

#include "app/picture_progress.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "pattern/painting.h"
#include "pattern/pattern.h"

namespace {

constexpr std::string_view kHeading = "Vellumar progress 1";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::int32_t kLongestPlaySeconds = 100 * 24 * 3600;

// Reads a record line by line, each line a key and its fields; any fault
// makes the whole record unreadable.
class RecordReader {
  public:
    explicit RecordReader(std::string_view text) : rest_(text) {}

    // The fields after `key` on the next line.
    std::optional<std::string_view> line(std::string_view key) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        if (!text.starts_with(key)) {
            return std::nullopt;
        }
        text.remove_prefix(key.size());
        if (!text.empty() && text.front() != ' ') {
            return std::nullopt;
        }
        return text.empty() ? text : text.substr(1);
    }

    bool atEnd() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

template <typename Number>
bool takeNumber(std::string_view& fields, Number& value, int base = 10) {
    const std::size_t end = std::min(fields.find(' '), fields.size());
    const auto [stop, error] = std::from_chars(fields.data(), fields.data() + end, value, base);
    if (error != std::errc{} || stop != fields.data() + end || end == 0) {
        return false;
    }
    fields.remove_prefix(end == fields.size() ? end : end + 1);
    return true;
}

template <typename Number>
std::optional<Number> onlyNumber(std::optional<std::string_view> fields) {
    Number value{};
    if (!fields || !takeNumber(*fields, value) || !fields->empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<std::int32_t>> paintedFrom(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::int32_t> colours;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const std::string_view pair = hex.substr(i, 2);
        std::int32_t colour = kUnpainted;
        if (pair != "--" && (pair.find_first_not_of(kHexDigits) != std::string_view::npos ||
                             std::from_chars(pair.data(), pair.data() + 2, colour, 16).ec != std::errc{})) {
            return std::nullopt;
        }
        colours.push_back(colour);
    }
    return colours;
}

bool inRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

}  // namespace

std::uint64_t fnv1a64(std::span<const std::byte> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const std::byte b : bytes) {
        hash = (hash ^ static_cast<std::uint8_t>(b)) * 0x100000001b3u;
    }
    return hash;
}

PictureKey pictureKeyOf(std::span<const std::byte> fileBytes) {
    return {fnv1a64(fileBytes), fileBytes.size()};
}

std::string progressFileName(const PictureKey& key) {
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(key.hash));
    return name;
}

PictureProgress captureProgress(const Pattern& pattern, const PictureKey& key, std::uint32_t level,
                                std::int32_t elapsedSeconds) {
    PictureProgress progress;
    progress.key = key;
    progress.level = level;
    progress.elapsedSeconds = elapsedSeconds;
    progress.misses = pattern.missCount;
    progress.coloursLeft = pattern.coloursLeft;
    progress.piecesLeftPerColour.assign(pattern.piecesLeftPerColour.begin(),
                                        pattern.piecesLeftPerColour.begin() + pattern.colourCount);
    for (const Piece& piece : pattern.pieces) {
        progress.paintedColour.push_back(piece.painted != 0 ? piece.paintedColour : kUnpainted);
    }
    return progress;
}

bool isHalfPainted(const Pattern& pattern) {
    const std::int32_t left = countUnpaintedPieces(pattern);
    return left > 0 && left < static_cast<std::int32_t>(pattern.pieces.size());
}

std::string formatProgress(const PictureProgress& p) {
    std::string text(kHeading);
    text += "\npattern " + progressFileName(p.key) + " " + std::to_string(p.key.size);
    text += "\npieces " + std::to_string(p.paintedColour.size());
    text += "\ncolours " + std::to_string(p.piecesLeftPerColour.size());
    text += "\nlevel " + std::to_string(p.level);
    text += "\nelapsed " + std::to_string(p.elapsedSeconds);
    text += "\nmisses " + std::to_string(p.misses);
    text += "\ncolours-left " + std::to_string(p.coloursLeft);
    text += "\nleft-per-colour";
    for (const std::int32_t left : p.piecesLeftPerColour) {
        text += " " + std::to_string(left);
    }
    text += "\npainted ";
    for (const std::int32_t colour : p.paintedColour) {
        text += colour == kUnpainted ? std::string("--")
                                     : std::string{kHexDigits[(colour >> 4) & 15], kHexDigits[colour & 15]};
    }
    return text + "\n";
}

std::optional<PictureProgress> parseProgress(std::string_view text) {
    RecordReader reader(text);
    PictureProgress p;
    std::optional<std::string_view> pattern;
    if (!reader.line(kHeading) || !(pattern = reader.line("pattern")) ||
        !takeNumber(*pattern, p.key.hash, 16) || !takeNumber(*pattern, p.key.size) || !pattern->empty()) {
        return std::nullopt;
    }
    const auto pieces = onlyNumber<std::uint32_t>(reader.line("pieces"));
    const auto colours = onlyNumber<std::uint32_t>(reader.line("colours"));
    const auto level = onlyNumber<std::uint32_t>(reader.line("level"));
    const auto elapsed = onlyNumber<std::int32_t>(reader.line("elapsed"));
    const auto misses = onlyNumber<std::int32_t>(reader.line("misses"));
    const auto coloursLeft = onlyNumber<std::int32_t>(reader.line("colours-left"));
    auto perColour = reader.line("left-per-colour");
    if (!pieces || !colours || !level || !elapsed || !misses || !coloursLeft || !perColour ||
        *colours > kMaxColours) {
        return std::nullopt;
    }
    p.level = *level;
    p.elapsedSeconds = *elapsed;
    p.misses = *misses;
    p.coloursLeft = *coloursLeft;
    for (std::int32_t left = 0; !perColour->empty();) {
        if (!takeNumber(*perColour, left) || p.piecesLeftPerColour.size() == *colours) {
            return std::nullopt;
        }
        p.piecesLeftPerColour.push_back(left);
    }
    const auto painted = reader.line("painted");
    auto colourOfPieces = painted ? paintedFrom(*painted) : std::nullopt;
    if (!colourOfPieces || colourOfPieces->size() != *pieces || p.piecesLeftPerColour.size() != *colours ||
        !reader.atEnd()) {
        return std::nullopt;
    }
    p.paintedColour = std::move(*colourOfPieces);
    return p;
}

bool fitsPattern(const PictureProgress& p, const PictureKey& key, const Pattern& pattern) {
    const auto pieceCount = static_cast<std::int32_t>(pattern.pieces.size());
    const auto fits = [&](std::int32_t colour) {
        return inRange(colour, kUnpainted, pattern.colourCount - 1);
    };
    return p.key == key && p.paintedColour.size() == pattern.pieces.size() &&
           std::ssize(p.piecesLeftPerColour) == pattern.colourCount && p.level <= 2 &&
           inRange(p.elapsedSeconds, 0, kLongestPlaySeconds) && p.misses >= 0 &&
           inRange(p.coloursLeft, 0, pattern.colourCount) && std::ranges::all_of(p.paintedColour, fits) &&
           std::ranges::all_of(p.piecesLeftPerColour,
                               [&](std::int32_t n) { return inRange(n, 0, pieceCount); });
}

void applyProgress(const PictureProgress& p, Pattern& pattern) {
    for (std::size_t i = 0; i < pattern.pieces.size(); ++i) {
        Piece& piece = pattern.pieces[i];
        piece.painted = p.paintedColour[i] != kUnpainted ? 1 : 0;
        piece.paintedColour = piece.painted != 0 ? p.paintedColour[i] : 0;
    }
    std::ranges::copy(p.piecesLeftPerColour, pattern.piecesLeftPerColour.begin());
    pattern.coloursLeft = p.coloursLeft;
    pattern.missCount = p.misses;
    pattern.piecesLeft = countUnpaintedPieces(pattern);
}

// What is kept of a picture left half painted: which pieces are painted and
// with which colour, the counters that follow from them, the misses, the
// level and the time on the clock. The record is written as a few lines of
// text, keyed by a hash of the pattern file's bytes so that a moved or
// renamed file finds its progress and a changed one does not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Pattern;

// 64-bit FNV-1a: short, well known, and plenty to tell pattern files apart.
std::uint64_t fnv1a64(std::span<const std::byte> bytes);

// The pattern file a record belongs to.
struct PictureKey {
    std::uint64_t hash = 0;
    std::uint64_t size = 0;  // bytes
    friend bool operator==(const PictureKey&, const PictureKey&) = default;
};

PictureKey pictureKeyOf(std::span<const std::byte> fileBytes);

// The record's file name: the hash in 16 hexadecimal digits.
std::string progressFileName(const PictureKey& key);

inline constexpr std::int32_t kUnpainted = -1;

struct PictureProgress {
    PictureKey key;
    std::uint32_t level = 1;
    std::int32_t elapsedSeconds = 0;
    std::int32_t misses = 0;
    std::int32_t coloursLeft = 0;
    std::vector<std::int32_t> piecesLeftPerColour;  // one per colour of the pattern
    std::vector<std::int32_t> paintedColour;        // one per piece; kUnpainted when not painted
};

// The pattern's painting as it stands.
PictureProgress captureProgress(const Pattern& pattern, const PictureKey& key, std::uint32_t level,
                                std::int32_t elapsedSeconds);

// Is there something to keep: some pieces painted, some left?
bool isHalfPainted(const Pattern& pattern);

std::string formatProgress(const PictureProgress& progress);

// Nothing when the text is not a whole, well-formed record.
std::optional<PictureProgress> parseProgress(std::string_view text);

// Does the record belong to this pattern file and fit its pieces and colours?
bool fitsPattern(const PictureProgress& progress, const PictureKey& key, const Pattern& pattern);

// Paints the pattern as the record says; the record must fit it.
void applyProgress(const PictureProgress& progress, Pattern& pattern);

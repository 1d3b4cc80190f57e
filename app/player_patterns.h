// The player's own patterns, made from pictures dropped on the game: kept in
// $XDG_DATA_HOME/vellumar/patterns/ (by default ~/.local/share/vellumar/
// patterns/), NAME.mza beside its thumbnail NAME.bmp, as the bundled ones lie
// beside the program.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The folder; nothing when the user's data folder is unknown. It may not exist yet.
std::optional<std::filesystem::path> playerPatternFolder();
// The same ending in a separator, as the chooser composes paths; empty for none.
std::u16string playerPatternFolderText();

// The pattern name a picture file gives: its name without the extension,
// without control characters or broken UTF-16, no leading dots or spaces,
// short enough that " 9999" still fits an entry of the chooser (63
// characters); "Picture" when nothing is left.
std::u16string patternNameFromFile(std::u16string_view path);

// `base`, or "base 2", "base 3", ...: the first that names no pattern or
// thumbnail in any of `folders` (each ending in a separator), letter case aside.
std::u16string uniquePatternName(const std::u16string& base, const std::vector<std::u16string>& folders);

// The chooser's thumbnail of a pattern's records as a BMP file's bytes;
// empty when the records do not load.
std::vector<std::byte> thumbnailFileFor(std::span<const std::byte> pattern);

// Writes NAME.mza and then NAME.bmp into `folder` (made when missing), each
// through a temporary file renamed into place, so the chooser lists it only
// once both are whole; on failure neither is left. False when it failed.
bool savePlayerPattern(const std::filesystem::path& folder, const std::u16string& name,
                       std::span<const std::byte> pattern, std::span<const std::byte> thumbnail);

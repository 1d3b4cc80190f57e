// The user's own data files, beside the settings store but in the data
// folder: $XDG_DATA_HOME/vellumar/, by default ~/.local/share/vellumar/.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

// The game's data folder; nothing when neither XDG_DATA_HOME nor HOME is an
// absolute path. The folder may not exist yet.
std::optional<std::filesystem::path> userDataFolder();

// Replaces `file` with `contents` so that it is never half written (see
// durable_file.h), making the folder when it is missing. False when the file
// could not be written.
bool replaceFileContents(const std::filesystem::path& file, std::string_view contents);

}  // namespace platform

// The one way the program opens a file to read it: without blocking and only
// when the open descriptor is a regular file. A FIFO named like a pattern, a
// link to an endless device or a folder would otherwise hang the game in
// open() or read(); here they are simply unreadable. Reads stop at a size
// that fits the kind of file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

// Largest reads by kind: a thumbnail is a few hundred kilobytes at most, the
// settings store a few, a resource (the largest picture or sound) a few
// megabytes.
inline constexpr std::size_t kLargestThumbnailFile = std::size_t{8} << 20;
inline constexpr std::size_t kLargestSettingsFile = std::size_t{1} << 20;
inline constexpr std::size_t kLargestResourceFile = std::size_t{64} << 20;

// A descriptor opened O_RDONLY | O_NONBLOCK | O_CLOEXEC on a regular file, or
// -1 (with errno set; EINVAL when the file is not a regular file).
int openRegularFile(const std::filesystem::path& path);

// The first `maxBytes` bytes of a regular file; nothing when it cannot be
// opened, is not a regular file, or a read fails.
std::optional<std::vector<std::byte>> readRegularFile(const std::filesystem::path& path,
                                                      std::size_t maxBytes);

}  // namespace platform

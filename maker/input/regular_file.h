// Reads a whole file, but only a regular one of a sane size: a FIFO, a device
// or a folder given as a picture must not block or flood the reader.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

inline constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

// False with `error` saying why (to follow the file's name).
bool readRegularFile(const std::string& path, std::size_t maxBytes, std::vector<std::byte>& bytes,
                     std::string& error);

// Replacing a file so that no failure leaves it half written: the new bytes
// go to a temporary file in the same folder, are flushed to the disk, and
// only then renamed over the old file, whose folder is flushed after. A file
// that is a symbolic link (as dotfile managers make them) is written through
// to its target, so the link stays.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace platform {

// The calls that can fail with a full or broken disk, replaceable so that
// tests can make them fail.
struct DurableFileCalls {
    ssize_t (*write)(int fd, const void* bytes, std::size_t count);
    int (*fsync)(int fd);
};
DurableFileCalls& durableFileCalls();

// Replaces `file` with `bytes`; empty when done, otherwise why not (the old
// file is then as it was).
std::string replaceFileDurably(const std::filesystem::path& file, std::string_view bytes);

}  // namespace platform

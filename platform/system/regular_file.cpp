#include "platform/system/regular_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int openRegularFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

std::optional<std::vector<std::byte>> readRegularFile(const std::filesystem::path& path,
                                                      std::size_t maxBytes) {
    const int fd = openRegularFile(path);
    if (fd < 0) {
        return std::nullopt;
    }
    std::vector<std::byte> bytes;
    constexpr std::size_t kChunk = 1 << 16;
    while (bytes.size() < maxBytes) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(kChunk, maxBytes - had));
        const ssize_t got = ::read(fd, bytes.data() + had, bytes.size() - had);
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
    }
    ::close(fd);
    return bytes;
}

}  // namespace platform

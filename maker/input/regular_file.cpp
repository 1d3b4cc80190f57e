#include "maker/input/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

std::string sizeInMiB(std::size_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::vector<std::byte>& bytes,
                     std::string& error) {
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait forever.
    const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        error = std::string("cannot be opened: ") + std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        error = S_ISDIR(status.st_mode) ? "is a folder, not a picture" : "is not a regular file";
        return false;
    }
    if (status.st_size < 0 || static_cast<std::size_t>(status.st_size) > maxBytes) {
        error = "is larger than " + sizeInMiB(maxBytes) + ", more than a picture needs";
        return false;
    }
    bytes.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = got == 0 ? "became shorter while it was read"
                             : std::string("cannot be read: ") + std::strerror(errno);
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

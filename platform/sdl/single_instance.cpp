#include "platform/sdl/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace platform {

namespace {

struct Claim {
    int lock = -1;
    int listener = -1;
    std::string socketPath;
};

std::map<std::string, Claim, std::less<>>& claims() {
    static std::map<std::string, Claim, std::less<>> held;
    return held;
}

// A private folder of our own: made with mode 0700 if missing, and refused if
// it is someone else's or a link planted in its place.
bool usableFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

std::optional<sockaddr_un> socketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

// Datagrams: a request is one word, and the listener reads without ever waiting.
int listenAt(const std::string& path) {
    const auto address = socketAddress(path);
    if (!address) {
        return -1;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    // We hold the lock, so a socket file left here belongs to a copy that is gone.
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void writePid(int fd) {
    // For a person looking at the file; the lock itself is what counts.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
}

}  // namespace

std::string singleInstanceFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] != '\0') {
        return runtime;
    }
    return "/tmp/vellumar-" + std::to_string(::getuid());
}

bool claimSingleInstance(std::string_view name) {
    if (claims().contains(name)) {
        return false;
    }
    const std::string folder = singleInstanceFolder();
    if (!usableFolder(folder)) {
        return true;
    }
    const std::string base = folder + "/" + std::string(name);
    const int lock = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) {
        return true;
    }
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(lock);
        return !heldElsewhere;
    }
    writePid(lock);
    Claim claim;
    claim.lock = lock;
    claim.socketPath = base + ".sock";
    claim.listener = listenAt(claim.socketPath);
    claims().emplace(std::string(name), std::move(claim));
    return true;
}

bool askFirstInstanceToShow(std::string_view name) {
    const auto address = socketAddress(singleInstanceFolder() + "/" + std::string(name) + ".sock");
    if (!address) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    static constexpr char kRequest[] = "show";
    const ssize_t sent = ::sendto(fd, kRequest, sizeof(kRequest) - 1, MSG_DONTWAIT,
                                  reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
    ::close(fd);
    return sent == static_cast<ssize_t>(sizeof(kRequest) - 1);
}

bool takeShowRequest() {
    bool asked = false;
    for (auto& [name, claim] : claims()) {
        if (claim.listener < 0) {
            continue;
        }
        char word[16];
        while (::recv(claim.listener, word, sizeof(word), MSG_DONTWAIT) >= 0) {
            asked = true;
        }
    }
    return asked;
}

void releaseSingleInstance(std::string_view name) {
    const auto it = claims().find(name);
    if (it == claims().end()) {
        return;
    }
    Claim& claim = it->second;
    if (claim.listener >= 0) {
        ::close(claim.listener);
        ::unlink(claim.socketPath.c_str());
    }
    // The lock file stays: removing it could let a third start lock a file
    // that a second has just opened.
    ::close(claim.lock);
    claims().erase(it);
}

}  // namespace platform

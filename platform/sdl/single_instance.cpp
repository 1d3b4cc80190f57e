#include "platform/sdl/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

namespace {

struct Claim {
    int lock = -1;
    int listener = -1;
    std::string socketPath;
};

// Where a lock can be taken, or why not.
enum class LockResult { Taken, HeldElsewhere, Unusable };

std::map<std::string, Claim, std::less<>>& claims() {
    static std::map<std::string, Claim, std::less<>> held;
    return held;
}

// A folder of our own for the lock: the user's, a folder and no link, and
// writable by no one else (who could otherwise take or plant the lock). A
// folder we make (`make`) is made with mode 0700 if missing and closed again
// if it is ours but open; the runtime folder is the session's and only
// checked.
bool usableFolder(const std::string& folder, bool make) {
    if (make) {
        // The cache folder itself may not exist yet on a fresh account.
        ::mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        return false;
    }
    if ((info.st_mode & 022) != 0 && (!make || ::chmod(folder.c_str(), 0700) != 0)) {
        return false;
    }
    return true;
}

// An absolute path from the environment, or empty.
std::string absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? value : "";
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

std::vector<std::string> singleInstanceFolders() {
    std::vector<std::string> folders;
    if (const std::string runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR"); !runtime.empty()) {
        folders.push_back(runtime);
    }
    std::string cache = absoluteFromEnvironment("XDG_CACHE_HOME");
    if (const std::string home = absoluteFromEnvironment("HOME"); cache.empty() && !home.empty()) {
        cache = home + "/.cache";
    }
    if (!cache.empty()) {
        folders.push_back(cache + "/vellumar-run");
    }
    const std::string temporary = absoluteFromEnvironment("TMPDIR");
    folders.push_back((temporary.empty() ? "/tmp" : temporary) + "/vellumar-" + std::to_string(::getuid()));
    return folders;
}

namespace {

LockResult lockIn(const std::string& folder, bool isRuntime, std::string_view name) {
    if (!usableFolder(folder, !isRuntime)) {
        return LockResult::Unusable;
    }
    const std::string base = folder + "/" + std::string(name);
    const int lock = ::open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0) {
        return LockResult::Unusable;
    }
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(lock);
        return heldElsewhere ? LockResult::HeldElsewhere : LockResult::Unusable;
    }
    writePid(lock);
    Claim claim;
    claim.lock = lock;
    claim.socketPath = base + ".sock";
    claim.listener = listenAt(claim.socketPath);
    claims().emplace(std::string(name), std::move(claim));
    return LockResult::Taken;
}

}  // namespace

bool claimSingleInstance(std::string_view name) {
    if (claims().contains(name)) {
        return false;
    }
    const std::vector<std::string> folders = singleInstanceFolders();
    const bool hasRuntime = !absoluteFromEnvironment("XDG_RUNTIME_DIR").empty();
    std::string tried;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        switch (lockIn(folders[i], hasRuntime && i == 0, name)) {
            case LockResult::Taken:
                return true;
            case LockResult::HeldElsewhere:
                return false;
            case LockResult::Unusable:
                tried += (tried.empty() ? "" : ", ") + folders[i];
        }
    }
    std::fprintf(
        stderr,
        "vellumar: no folder can hold the guard against a second copy (tried %s); running without it\n",
        tried.c_str());
    return true;
}

namespace {

bool sendShowRequest(const std::string& socketPath) {
    const auto address = socketAddress(socketPath);
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

}  // namespace

bool askFirstInstanceToShow(std::string_view name) {
    for (const std::string& folder : singleInstanceFolders()) {
        if (sendShowRequest(folder + "/" + std::string(name) + ".sock")) {
            return true;
        }
    }
    std::fprintf(stderr, "vellumar: another copy holds the guard but cannot be asked to come to the front\n");
    return false;
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

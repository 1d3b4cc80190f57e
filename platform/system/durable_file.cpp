#include "platform/system/durable_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

std::string failed(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

std::string writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t wrote = durableFileCalls().write(fd, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return failed("cannot write", path, wrote < 0 ? errno : ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return {};
}

// The temporary file, written and flushed; the caller renames or removes it.
std::string writeTemporary(const std::filesystem::path& temporary, std::string_view bytes) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        return failed("cannot create", temporary, errno);
    }
    std::string why = writeAll(fd, bytes, temporary);
    if (why.empty() && durableFileCalls().fsync(fd) != 0) {
        why = failed("cannot flush", temporary, errno);
    }
    if (::close(fd) != 0 && why.empty()) {
        why = failed("cannot close", temporary, errno);
    }
    return why;
}

std::string flushFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return failed("cannot open", folder, errno);
    }
    const bool flushed = durableFileCalls().fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    return flushed ? std::string() : failed("cannot flush", folder, error);
}

}  // namespace

DurableFileCalls& durableFileCalls() {
    static DurableFileCalls calls{::write, ::fsync};
    return calls;
}

std::string replaceFileDurably(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code error;
    std::filesystem::path target = file;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
        target = std::filesystem::weakly_canonical(file, error);
        if (error) {
            return "cannot follow the link " + file.string() + ": " + error.message();
        }
    }
    const std::filesystem::path folder = target.parent_path();
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path temporary =
        folder / (target.filename().string() + ".tmp-" + std::to_string(::getpid()));
    if (std::string why = writeTemporary(temporary, bytes); !why.empty()) {
        std::filesystem::remove(temporary, error);
        return why;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        std::filesystem::remove(temporary, error);
        return failed("cannot replace", target, renameError);
    }
    return flushFolder(folder);
}

}  // namespace platform

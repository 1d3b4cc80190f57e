#include "platform/system/user_data.h"

#include <cstdlib>
#include <system_error>

#include "platform/system/durable_file.h"

namespace platform {

std::optional<std::filesystem::path> userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && *data == '/') {
        return std::filesystem::path(data) / "vellumar";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        return std::filesystem::path(home) / ".local" / "share" / "vellumar";
    }
    return std::nullopt;
}

bool replaceFileContents(const std::filesystem::path& file, std::string_view contents) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return replaceFileDurably(file, contents).empty();
}

}  // namespace platform

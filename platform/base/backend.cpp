#include "platform/base/backend.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#include "platform/base/message_box_answers.h"
#include "platform/base/text.h"

namespace platform {

namespace {

class QuietBackend final : public Backend {
  public:
    void playSound(std::u16string_view) override {}

    int messageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) override {
        std::fprintf(stderr, "%s: %s\n", utf16ToUtf8(caption).c_str(), utf16ToUtf8(text).c_str());
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    }
};

QuietBackend quietBackend;
Backend* installed = nullptr;

}  // namespace

std::u16string Backend::programPath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::u16string() : utf8ToUtf16(path.string());
}

std::uint64_t Backend::milliseconds() {
    static const auto start = std::chrono::steady_clock::now();
    const auto since = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

bool Backend::waitForInput(std::optional<std::uint64_t> wakeAt) {
    // No input device: only the clock can bring something.
    if (!wakeAt) {
        return false;
    }
    const std::uint64_t now = milliseconds();
    if (*wakeAt > now) {
        std::this_thread::sleep_for(std::chrono::milliseconds(*wakeAt - now));
    }
    return true;
}

Backend& backend() {
    return installed ? *installed : quietBackend;
}

void installBackend(Backend* b) {
    installed = b;
}

}  // namespace platform

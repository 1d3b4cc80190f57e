#include "platform/headless/headless_backend.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text.h"

namespace platform {

HeadlessBackend::HeadlessBackend() : previous_(&backend()) {
    installBackend(this);
}

HeadlessBackend::~HeadlessBackend() {
    installBackend(previous_);
}

void HeadlessBackend::playSound(std::u16string_view name) {
    sounds_.emplace_back(name);
}

int HeadlessBackend::messageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    messageBoxes_.push_back({std::u16string(text), std::u16string(caption), type});
    // Tools run headless too; their user should still see what a box says.
    std::fprintf(stderr, "%s: %s\n", utf16ToUtf8(caption).c_str(), utf16ToUtf8(text).c_str());
    if (!answers_.empty()) {
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

std::u16string HeadlessBackend::programPath() {
    return programPath_.empty() ? Backend::programPath() : programPath_;
}

std::vector<std::string> HeadlessBackend::soundLog() const {
    std::vector<std::string> names;
    for (const auto& sound : sounds_) {
        names.push_back(utf16ToUtf8(sound));
    }
    return names;
}

void HeadlessBackend::answerMessageBoxes(std::initializer_list<int> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

}  // namespace platform

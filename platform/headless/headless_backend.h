// The backend for tests and tools: no screen, no speaker. It records every
// sound and message box in order, answers message boxes from a script, and
// can pretend the program file lies anywhere.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace platform {

struct MessageBoxRecord {
    std::u16string text;
    std::u16string caption;
    UINT type = 0;
};

class HeadlessBackend final : public Backend {
  public:
    // Installs itself for its lifetime and restores the previous backend after.
    HeadlessBackend();
    ~HeadlessBackend() override;
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;

    void playSound(std::u16string_view name) override;
    int messageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    std::u16string programPath() override;
    int dotsPerInch() override { return dotsPerInch_; }

    // The names of the sounds played, in order, as UTF-8.
    std::vector<std::string> soundLog() const;
    void clearSoundLog() { sounds_.clear(); }

    const std::vector<MessageBoxRecord>& messageBoxes() const { return messageBoxes_; }

    // The answers the next message boxes give, in order; without one, an OK
    // box answers IDOK and a Yes/No box IDNO.
    void answerMessageBoxes(std::initializer_list<int> answers);

    // Where the program file is said to lie; empty for the real one.
    void setProgramPath(std::u16string path) { programPath_ = std::move(path); }

    // The screen's dots per inch as the game will read it; 96 until set.
    void setDotsPerInch(int dpi) { dotsPerInch_ = dpi; }

  private:
    Backend* previous_;
    int dotsPerInch_ = 96;
    std::vector<std::u16string> sounds_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::deque<int> answers_;
    std::u16string programPath_;
};

}  // namespace platform

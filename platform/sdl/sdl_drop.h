// SDL's drop events as the platform's dropped files: the files of one drop
// (between SDL_DROPBEGIN and SDL_DROPCOMPLETE) go together; a file dropped
// without a beginning (older drivers) goes alone. Dropped text is not a file.
#pragma once

#include <SDL_events.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

class DropGatherer {
  public:
    // Takes one drop event (SDL keeps ownership of its file name); answers
    // the UTF-8 paths of a drop once it is whole.
    std::optional<std::vector<std::string>> take(const SDL_DropEvent& event);

  private:
    bool gathering_ = false;
    std::vector<std::string> paths_;
};

}  // namespace platform

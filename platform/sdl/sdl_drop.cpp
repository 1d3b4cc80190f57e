#include "platform/sdl/sdl_drop.h"

namespace platform {

std::optional<std::vector<std::string>> DropGatherer::take(const SDL_DropEvent& event) {
    switch (event.type) {
        case SDL_DROPBEGIN:
            gathering_ = true;
            paths_.clear();
            return std::nullopt;
        case SDL_DROPFILE:
            if (event.file == nullptr) {
                return std::nullopt;
            }
            if (!gathering_) {
                return std::vector<std::string>{event.file};
            }
            paths_.emplace_back(event.file);
            return std::nullopt;
        case SDL_DROPCOMPLETE: {
            gathering_ = false;
            std::vector<std::string> paths;
            paths.swap(paths_);
            if (paths.empty()) {
                return std::nullopt;
            }
            return paths;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace platform

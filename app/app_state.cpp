#include "app/app_state.h"

#include <memory>

namespace {

// Static storage that is built on demand: the settings may end the program
// at construction, so the record is built when the game asks for it, not by
// the language's own static initialisation of every program that links it.
union AppStateStorage {
    constexpr AppStateStorage() {}
    ~AppStateStorage() {}
    AppState state;
};

AppStateStorage storage;
bool built = false;

}  // namespace

AppState& appState = storage.state;

void constructAppState() {
    destroyAppState();
    std::construct_at(&storage.state);
    built = true;
}

void destroyAppState() {
    if (built) {
        built = false;
        std::destroy_at(&storage.state);
    }
}

bool appStateExists() {
    return built;
}

#include "platform/windows/dropped_files.h"

#include <algorithm>
#include <list>
#include <memory>

#include "platform/windows/input_event.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_object.h"

namespace platform {

struct DroppedFiles {
    std::vector<std::u16string> paths;
};

namespace {

// Every drop not yet finished; a handle outside this list is never read.
std::list<std::unique_ptr<DroppedFiles>>& liveDrops() {
    static std::list<std::unique_ptr<DroppedFiles>> drops;
    return drops;
}

DroppedFiles* live(HDROP drop) {
    for (const auto& d : liveDrops()) {
        if (d.get() == drop) {
            return d.get();
        }
    }
    return nullptr;
}

// The topmost visible top-level window that accepts files; the drop lands there.
Window* dropTarget() {
    const auto& tops = topLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        if ((*it)->visible && (*it)->acceptsFiles) {
            return *it;
        }
    }
    return nullptr;
}

}  // namespace

void filesDropped(std::vector<std::u16string> paths) {
    if (paths.empty()) {
        return;
    }
    auto drop = std::make_unique<DroppedFiles>();
    drop->paths = std::move(paths);
    InputEvent event;
    event.kind = InputEvent::Kind::Drop;
    event.drop = drop.get();
    liveDrops().push_back(std::move(drop));
    postInput(event);
}

bool resolveDrop(const InputEvent& event, MSG& msg) {
    Window* target = dropTarget();
    if (target == nullptr || !target->enabled) {
        DragFinish(event.drop);
        return false;
    }
    msg.hwnd = target;
    msg.message = WM_DROPFILES;
    msg.wParam = reinterpret_cast<WPARAM>(event.drop);
    return true;
}

void forgetDrops() {
    liveDrops().clear();
}

}  // namespace platform

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    if (platform::isLive(hwnd)) {
        hwnd->acceptsFiles = accept != FALSE;
    }
}

UINT DragQueryFile(HDROP drop, UINT index, WCHAR* buffer, UINT size) {
    const platform::DroppedFiles* files = platform::live(drop);
    if (files == nullptr) {
        return 0;
    }
    if (index == 0xFFFFFFFFu) {
        return static_cast<UINT>(files->paths.size());
    }
    if (index >= files->paths.size()) {
        return 0;
    }
    const std::u16string& path = files->paths[index];
    if (buffer == nullptr) {
        return static_cast<UINT>(path.size());
    }
    if (size == 0) {
        return 0;
    }
    const std::size_t copied = std::min<std::size_t>(path.size(), size - 1);
    std::copy_n(path.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return static_cast<UINT>(copied);
}

void DragFinish(HDROP drop) {
    std::erase_if(platform::liveDrops(), [drop](const auto& d) { return d.get() == drop; });
}

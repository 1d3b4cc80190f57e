#include "platform/accelerators.h"

#include <cassert>
#include <map>
#include <memory>

#include "platform/message_queue.h"
#include "platform/resource_templates.h"

namespace platform {

namespace {

std::map<int, std::unique_ptr<AcceleratorTable>>& resourceTables() {
    static std::map<int, std::unique_ptr<AcceleratorTable>> tables;
    return tables;
}

BYTE modifiersOf(const ACCEL& entry) {
    BYTE held = MODIFIER_NONE;
    if (entry.fVirt & FSHIFT) {
        held |= MODIFIER_SHIFT;
    }
    if (entry.fVirt & FCONTROL) {
        held |= MODIFIER_CONTROL;
    }
    if (entry.fVirt & FALT) {
        held |= MODIFIER_ALT;
    }
    return held;
}

}  // namespace

void registerAcceleratorResource(int id, std::vector<ACCEL> entries) {
    for ([[maybe_unused]] const ACCEL& entry : entries) {
        assert((entry.fVirt & FVIRTKEY) != 0);
    }
    resourceTables()[id] = std::make_unique<AcceleratorTable>(AcceleratorTable{std::move(entries)});
}

}  // namespace platform

HACCEL LoadAccelerators(HINSTANCE instance, int id) {
    auto& tables = platform::resourceTables();
    if (!tables.contains(id)) {
        platform::loadAcceleratorResource(instance, id);  // a table written in the resource script
    }
    const auto it = tables.find(id);
    return it == tables.end() ? nullptr : it->second.get();
}

int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg) {
    if (table == nullptr || msg == nullptr || msg->message != WM_KEYDOWN) {
        return 0;
    }
    for (const ACCEL& entry : table->entries) {
        if (entry.key == msg->wParam && platform::modifiersOf(entry) == msg->modifiers) {
            SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
            return 1;
        }
    }
    return 0;
}

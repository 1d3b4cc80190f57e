#include "platform/windows/accelerators.h"

#include <cassert>
#include <map>
#include <memory>
#include <utility>

#include "platform/system/text_resource.h"
#include "platform/windows/message_queue.h"

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

std::optional<std::vector<ACCEL>> parseAcceleratorTable(std::string_view text) {
    const auto all = resourceLines(text);
    if (!all) {
        return std::nullopt;
    }
    std::vector<ACCEL> table;
    for (const auto& w : *all) {
        const auto command = w.size() == 2 ? resourceNumber(w[1]) : std::nullopt;
        if (!command || *command < 0 || *command > 0xFFFF) {
            return std::nullopt;
        }
        ACCEL entry;
        entry.cmd = static_cast<WORD>(*command);
        std::string_view keys = w[0];
        for (const auto& [prefix, flag] : {std::pair{std::string_view("Ctrl+"), FCONTROL},
                                           {std::string_view("Shift+"), FSHIFT},
                                           {std::string_view("Alt+"), FALT}}) {
            if (keys.starts_with(prefix)) {
                entry.fVirt |= flag;
                keys.remove_prefix(prefix.size());
            }
        }
        if (keys.size() != 1 || !((keys[0] >= 'A' && keys[0] <= 'Z') || (keys[0] >= '0' && keys[0] <= '9'))) {
            return std::nullopt;  // a letter or digit: their virtual-key codes are their capitals
        }
        entry.key = static_cast<WORD>(keys[0]);
        table.push_back(entry);
    }
    return table;
}

bool loadAcceleratorResource(HINSTANCE module, int id) {
    const ResourceEntry* entry = findResource(module, "ACCELERATORS", id);
    const auto table = entry ? parseAcceleratorTable(resourceText(*entry)) : std::nullopt;
    if (table) {
        registerAcceleratorResource(id, *table);
    }
    return table.has_value();
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

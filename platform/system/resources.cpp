#include "platform/system/resources.h"

#include <algorithm>
#include <deque>

#include "platform/base/text.h"

namespace platform {

struct Module {
    ResourceTable table;
};

namespace {

std::deque<Module>& modules() {
    static std::deque<Module> all;
    return all;
}

const Module* resolve(HINSTANCE module) {
    if (module != nullptr) {
        return module;
    }
    return modules().empty() ? nullptr : &modules().front();
}

template <typename Match>
const ResourceEntry* findFirst(HINSTANCE module, Match match) {
    const Module* m = resolve(module);
    if (m == nullptr) {
        return nullptr;
    }
    const auto it = std::ranges::find_if(m->table.entries, match);
    return it == m->table.entries.end() ? nullptr : &*it;
}

}  // namespace

HINSTANCE registerModule(const ResourceTable& table) {
    modules().push_back({table});
    return &modules().back();
}

const ResourceEntry* findResource(HINSTANCE module, std::string_view type, int id, int variant) {
    return findFirst(module, [&](const ResourceEntry& e) {
        return e.type == type && e.id == id && id >= 0 && e.variant == variant;
    });
}

const ResourceEntry* findResource(HINSTANCE module, std::string_view type, std::u16string_view name,
                                  int variant) {
    return findFirst(module, [&](const ResourceEntry& e) {
        return e.type == type && !name.empty() && equalsIgnoringCase(e.name, name) && e.variant == variant;
    });
}

std::vector<const ResourceEntry*> findVariants(HINSTANCE module, std::string_view type, int id) {
    std::vector<const ResourceEntry*> found;
    if (const Module* m = resolve(module)) {
        for (const ResourceEntry& e : m->table.entries) {
            if (e.type == type && e.id == id) {
                found.push_back(&e);
            }
        }
    }
    std::ranges::sort(found, {}, &ResourceEntry::variant);
    return found;
}

}  // namespace platform

int LoadString(HINSTANCE module, UINT id, WCHAR* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const platform::ResourceEntry* entry = platform::findResource(module, "STRING", static_cast<int>(id));
    if (entry == nullptr) {
        buffer[0] = 0;
        return 0;
    }
    const std::string_view utf8(reinterpret_cast<const char*>(entry->data.data()), entry->data.size());
    platform::copyToBuffer(buffer, static_cast<std::size_t>(size), platform::utf8ToUtf16(utf8));
    return static_cast<int>(platform::boundedLength(buffer, static_cast<std::size_t>(size)));
}

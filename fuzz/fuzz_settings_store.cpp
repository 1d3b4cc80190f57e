// Any text as the settings store's file: reading never fails hard, and what
// was read, kept lines included, survives being written and read again
// unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/system/registry_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const platform::RegistryDocument first = platform::parseRegistryText(text);
    const platform::RegistryDocument second =
        platform::parseRegistryText(platform::formatRegistryText(first));
    if (second.damagedLines != first.damagedLines || second.sections.size() != first.sections.size() ||
        platform::formatRegistryText(second) != platform::formatRegistryText(first)) {
        __builtin_trap();
    }
    for (std::size_t s = 0; s < first.sections.size(); ++s) {
        const auto& a = first.sections[s];
        const auto& b = second.sections[s];
        if (a.path != b.path || a.values.size() != b.values.size()) {
            __builtin_trap();
        }
        for (std::size_t v = 0; v < a.values.size(); ++v) {
            if (a.values[v].name != b.values[v].name || a.values[v].type != b.values[v].type ||
                a.values[v].data != b.values[v].data) {
                __builtin_trap();
            }
        }
    }
    return 0;
}

// Any text as a resource script: every line is read into a resource or
// refused with a reason, never with an exception or a read past its end.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/vellumar-rc/resource_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string error;
        const auto line = readScriptLine(text.substr(0, end), error);
        if (line && (!error.empty() || line->source.empty())) {
            __builtin_trap();
        }
        if (line && (line->source.starts_with("u16:") || line->source.starts_with("u32:"))) {
            const auto bytes = numberSource(line->source, error);
            if (bytes && bytes->size() != (line->source[1] == '1' ? 2u : 4u)) {
                __builtin_trap();
            }
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return 0;
}

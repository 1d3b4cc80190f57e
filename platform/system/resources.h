// The program's resources: strings, bitmaps, icons, waves, dialog templates,
// accelerator tables and raw data, listed in a resource script and embedded
// into the binary at build time (tools/vellumar-rc). A module is one such
// table; resources are found by number or by name, as the game names them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "platform/base/handles.h"
#include "platform/base/types.h"

namespace platform {

struct ResourceEntry {
    std::string_view
        type;     // "STRING", "BITMAP", "ICON", "WAVE", "DIALOG", "ACCELERATORS" or a name of our own
    int id = -1;  // by number, or -1
    std::u16string_view name;  // by name, or empty
    int variant = 1;           // a bitmap's scale (1 ... 4) or an icon's size in pixels
    std::span<const std::byte> data;
};

struct ResourceTable {
    std::span<const ResourceEntry> entries;
};

// Makes a table the resources of a module. The first table registered is the
// program's own module, the one a null module handle means.
HINSTANCE registerModule(const ResourceTable& table);

// The resource of `type` with that number (or name) and variant, if any.
const ResourceEntry* findResource(HINSTANCE module, std::string_view type, int id, int variant = 1);
const ResourceEntry* findResource(HINSTANCE module, std::string_view type, std::u16string_view name,
                                  int variant = 1);

// Every variant of a resource, smallest first.
std::vector<const ResourceEntry*> findVariants(HINSTANCE module, std::string_view type, int id);

}  // namespace platform

// Copies string `id` into `buffer` (cut to size - 1 characters, terminated)
// and returns its length; 0 when there is no such string.
int LoadString(HINSTANCE module, UINT id, WCHAR* buffer, int size);

#include "platform/system/sound.h"

#include <cassert>
#include <string_view>

#include "platform/base/backend.h"

BOOL PlaySound(const WCHAR* name, HMODULE, DWORD flags) {
    assert((flags & SND_RESOURCE) == SND_RESOURCE);
    (void)flags;
    if (name == nullptr) {
        return FALSE;
    }
    platform::backend().playSound(name);
    return TRUE;
}

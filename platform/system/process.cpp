#include "platform/system/process.h"

#include <cstdlib>

void ExitProcess(UINT code) {
    std::exit(static_cast<int>(code));
}

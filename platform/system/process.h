#pragma once

#include "platform/base/types.h"

// Ends the process at once with `code`.
[[noreturn]] void ExitProcess(UINT code);

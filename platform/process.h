#pragma once

#include "platform/types.h"

// Ends the process at once with `code`.
[[noreturn]] void ExitProcess(UINT code);

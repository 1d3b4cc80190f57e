#include "tools/vellumar-demo/demo_output.h"

#include <cstdarg>
#include <cstdio>

namespace demo {

void report(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::putchar('\n');
    std::fflush(stdout);
}

}  // namespace demo

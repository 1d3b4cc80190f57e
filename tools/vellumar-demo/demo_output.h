// One line of the demo's report, flushed at once: the reader is another process.
#pragma once

namespace demo {

[[gnu::format(printf, 1, 2)]] void report(const char* format, ...);

}  // namespace demo

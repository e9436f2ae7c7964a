#include "service/debug_trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace rpanel {
namespace {

constexpr std::size_t kLineSize = 1024;

DebugTraceSink& Sink() {
    static DebugTraceSink sink;
    return sink;
}

void WriteToDebugger(const char* line) {
#ifdef _WIN32
    OutputDebugStringA(line);
#else
    // No debugger output here: standard error, for those who ask for it.
    const char* wanted = std::getenv("RPANEL_DEBUG");
    if (wanted != nullptr && *wanted != '\0') {
        std::fprintf(stderr, "%s\n", line);
    }
#endif
}

}  // namespace

void DebugTrace(const char* format, ...) {
    char line[kLineSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    if (Sink()) {
        Sink()(line);
    } else {
        WriteToDebugger(line);
    }
}

void SetDebugTraceSink(DebugTraceSink sink) {
    Sink() = std::move(sink);
}

}  // namespace rpanel

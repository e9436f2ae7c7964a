// Lines for whoever debugs the program: the debugger output on Windows; on other systems
// standard error, and only while the environment variable RPANEL_DEBUG is set and not empty.
// The program writes them around the image refresh only.
#pragma once

#include <functional>
#include <string_view>

namespace rpanel {

// Formats as printf does, into at most 1023 characters, and writes the result as one line.
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// While a sink is set every line goes to it instead (the tests); an empty function restores
// the default destination.
using DebugTraceSink = std::function<void(std::string_view line)>;
void SetDebugTraceSink(DebugTraceSink sink);

}  // namespace rpanel

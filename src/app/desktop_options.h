// The command line of the desktop program:
//   rpanel [--demo | --simulate FILE] [--lang LANG] [--help] [--version]
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/shared_options.h"

namespace rpanel {

struct DesktopOptions : SharedOptions {
    bool help = false;
    bool version = false;
    // Hidden, for start-up measurements: end as soon as the start has shown what it shows.
    bool quitAfterStart = false;
};

// Reads the arguments (without the program name); answers what is wrong with them, if anything.
std::optional<std::string> ParseDesktopOptions(const std::vector<std::string>& args,
                                               DesktopOptions* options);

void PrintDesktopUsage(std::ostream& out);

}  // namespace rpanel

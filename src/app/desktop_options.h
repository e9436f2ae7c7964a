// The command line of the desktop program:
//   rpanel [--demo | --simulate FILE] [--lang LANG] [--timeout MS] [--watch-interval SECONDS]
//          [--help] [--version]
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
    // How often the tray reads the printer while it watches, for this run (10 s at least).
    std::optional<int> watchInterval;
};

// Reads the arguments (without the program name); answers what is wrong with them, if anything.
std::optional<std::string> ParseDesktopOptions(const std::vector<std::string>& args,
                                               DesktopOptions* options);

void PrintDesktopUsage(std::ostream& out);

}  // namespace rpanel

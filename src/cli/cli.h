// rpanelctl: the printer's commands from a terminal or a script, against the real printer or
// the simulated one.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace rpanel {

class SimPlatform;

struct CliHooks {
    // Called with the simulated machine once the command has run (tests count what is open).
    std::function<void(const SimPlatform&)> afterSimulatedCommand;
};

// Runs one rpanelctl invocation (args without the program name). Exit status: 0 success,
// 1 the printer could not be opened or a request failed, 2 a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliHooks& hooks = {});

}  // namespace rpanel

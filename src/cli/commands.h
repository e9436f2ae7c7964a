// The commands of rpanelctl, one row each.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

#include "cli/cli_context.h"

namespace rpanel {

struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // for the usage text
    std::string_view summary;
    int (*run)(CliContext& context);
    // More for COMMAND --help (the settings it takes); null when the summary says it all.
    void (*details)(std::ostream& out) = nullptr;
};

std::span<const CliCommand> CliCommands();

}  // namespace rpanel

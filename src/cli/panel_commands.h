// rpanelctl's panel commands: what the Panel page's buttons do, through the same sequences.
#pragma once

#include <ostream>

#include "cli/cli_context.h"

namespace rpanel {

// toner change|eject
int RunTonerCommand(CliContext& context);
// clean-up
int RunCleanUpCommand(CliContext& context);
// calibrate
int RunCalibrateCommand(CliContext& context);
// defaults [toner-low=on|off] [toner-out-stop=on|off] [energy-save=5|15|30|60]
//          [auto-continue=on|off]
// Without NAME=VALUE prints the current four as NAME=VALUE lines. Otherwise the current four
// are read, the named ones changed and all four sent back; nothing when one was not read.
int RunDefaultsCommand(CliContext& context);
void PrintDefaultsSettings(std::ostream& out);

}  // namespace rpanel

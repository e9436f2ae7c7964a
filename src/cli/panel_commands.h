// rpanelctl's panel commands: what the Panel page's buttons do, through the same sequences.
#pragma once

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
// What is not named is sent as the Panel page starts: toner-low on, toner-out stop on, energy
// save 30 minutes, auto continue off.
int RunDefaultsCommand(CliContext& context);

}  // namespace rpanel

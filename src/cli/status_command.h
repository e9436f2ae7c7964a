// rpanelctl status [--json]: reads the printer's status codes (request 9) and shows each as
// the panel display draws it.
#pragma once

#include "cli/cli_context.h"

namespace rpanel {

// For each decoded entry in order: its code and its one or two display lines, as text for a
// person, or with --json as one document
//   {"entries": [{"code": "204008", "lines": ["TONER OUT", "CHANGE K TONER "],
//                 "severity": "error"}, ...]}
// where code is the entry up to its first NUL, lines is [] for a code the display does not
// know, and severity one of "ready", "information", "warning", "error", "service call". A failed
// read shows message 25 and prints nothing else.
int RunStatusCommand(CliContext& context);

}  // namespace rpanel

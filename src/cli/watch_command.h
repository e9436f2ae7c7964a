// rpanelctl watch [--interval SECONDS] [--count N] [--json]: the tray's watching on a terminal.
// Reads the status and the supplies every interval (default 60 s; 0 reads again at once) and
// prints the state at the start and whenever the codes, their severity or a supply level
// change. A printer that goes away or comes back is such a change, not a failure. --count
// stops after N rounds; an interrupt (SIGINT) ends the watch with status 0.
//
// Text: one line per change, "<state>: <display lines of the most severe code, joined by
// " / ">  C 78% M 64% Y 9% K 0% PU 83%" ("?" for a level the printer did not report).
// JSON: one object per line,
//   {"schema": 1, "state": "warning", "lines": ["TONER LOW K"],
//    "codes": [{"code": "302008", "severity": "warning", "lines": ["TONER LOW K"]}],
//    "supplies": {"C": 78, "M": 64, "Y": 9, "K": 0, "PU": 83}}
// with null for an unknown level.
#pragma once

#include "cli/cli_context.h"

namespace rpanel {

int RunWatchCommand(CliContext& context);

}  // namespace rpanel

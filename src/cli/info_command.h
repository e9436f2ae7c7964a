// rpanelctl info: the information viewer's sequence, its pages printed, printed as JSON, or
// saved to an INI file as the viewer's "Save" does.
#pragma once

#include "cli/cli_context.h"

namespace rpanel {

// info            the seven pages: the tab caption, then each label with its values
// info --json     {"pages": [{"caption": ..., "controls": {"<id>": text, ...}}, ...]}
// info --ini FILE FILE written exactly as the viewer's "Save" writes it ("-": the standard
//                 output), and only when every read of the sequence brought its reply
int ShowMachineInfo(CliContext& context);

}  // namespace rpanel

// The frame of every button that talks to the printer: the link is opened for the command and
// closed again once the command, its message box included, is done, so no link is held
// between two presses.
#pragma once

#include <functional>

#include "core/message_sink.h"

namespace rpanel {

// Sets the printer IDs and opens the link; when it does not open, shows message 26 with the
// system's reason, sends nothing and answers false. Otherwise runs the work on the open link,
// closes the link whichever way the work ends, and answers true. The whole command is one
// frame of the link (see LinkFrame): it waits for a status round under way, and once one of
// its transfers times out or finds the printer gone, its later requests get no reply at once.
bool RunPrinterCommand(MessageSink& messages, const std::function<void()>& work);

}  // namespace rpanel

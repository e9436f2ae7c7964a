// Reading the printer's status (request 9) and decoding its reply into the status list of
// AppState, which the panel display then shows one code per second.
#pragma once

#include <string_view>

#include "core/app_state.h"
#include "core/message_sink.h"

namespace rpanel {

// The panel display's one-second timer, as a successful status read restarts it.
class DisplayTimer {
public:
    virtual ~DisplayTimer() = default;
    // Starts the timer afresh, stopping it first if it runs: the next tick comes a full
    // period from now.
    virtual void Restart() = 0;
};

// Sends request 9 on the open link. On no reply shows message 25 and answers false: the list,
// statusIndex and the timer stay exactly as they were. Otherwise replaces the list with the
// decoded reply (even by an empty one), sets statusIndex to 0, restarts the timer (null where
// no display runs, as in rpanelctl) and answers true.
bool ReadPanelStatus(MessageSink& messages, AppState& state, DisplayTimer* timer);

// Decodes a status reply, "<name>=<code>,<code>...CR LF", into statusCodes and statusCount.
// reply holds the bytes the printer delivered; it is read up to its first NUL, at most 1023
// characters. An item is ended by "," or a line end (CR, LF or CR LF) and keeps its first six
// characters; an item not ended so is dropped, and items after the 170th are ignored. The
// reply is untrusted: no shape of it reaches past the list.
void ParseStatusReply(AppState& state, std::string_view reply);

}  // namespace rpanel

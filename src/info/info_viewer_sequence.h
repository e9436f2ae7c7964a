// Opening the information viewer ("Display Configuration Page" on the panel page), written
// once for the desktop and for rpanelctl: the printer is read, the viewer runs, and the blocks
// and the link are given back when it closes.
#pragma once

#include <functional>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "info/viewer_texts.h"

namespace rpanel {

// Shows the viewer and returns when it has closed. While it sets itself up it calls
// InitialiseViewerTexts once, with the sink of its own window.
using RunInfoViewer = std::function<void(AppState& state)>;

// Opens the printer link (message 26 on owner and false when it does not open), takes the
// information blocks, reads the four replies (requests 13 with 0x0100..0x0400) and the two
// value blocks (55..68, 69..78), runs the viewer, then frees the blocks and closes the link.
// Every read runs even when an earlier one failed; the viewer shows whatever arrived.
bool OpenInfoViewer(MessageSink& owner, AppState& state, const RunInfoViewer& runViewer);

// The viewer's initialisation: the energy-save switch (request 22; on failure message 25 on
// the viewer and the previous value stays), then the texts of every page.
ViewerTexts InitialiseViewerTexts(MessageSink& viewer, AppState& state);

}  // namespace rpanel

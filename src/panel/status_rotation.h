// The panel display's walk through the status list: one entry per tick, in order, and back
// to the first after the last.
#pragma once

#include "core/app_state.h"

namespace rpanel {

// The entry to show at this tick: entry statusIndex, or the first once the index has passed
// the list. Moves statusIndex on by one. With an empty list it answers the (empty) first
// entry, so the display stays blank and the index never passes 1.
StatusCode TakeStatusForTick(AppState& state);

}  // namespace rpanel

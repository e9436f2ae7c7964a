#include "panel/status_rotation.h"

namespace rpanel {

StatusCode TakeStatusForTick(AppState& state) {
    // The count never exceeds the list, but an index read here must not either.
    if (state.statusIndex >= state.statusCount || state.statusIndex >= kMaxStatusCodes) {
        state.statusIndex = 0;
    }
    return state.statusCodes.entries[state.statusIndex++];
}

}  // namespace rpanel

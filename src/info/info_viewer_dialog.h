// The information viewer: the modal "Configuration Page" window with the seven pages of the
// machine information, "Save" (to an INI file) and "Close".
#pragma once

#include "core/app_state.h"

class QWidget;

namespace rpanel {

// Runs the viewer over owner until the user closes it. The information blocks must hold the
// reading to show (OpenInfoViewer's callback); while it sets itself up the viewer reads the
// energy-save switch (request 22), telling the user on its own window when that fails.
void RunInfoViewerDialog(QWidget* owner, AppState& state);

}  // namespace rpanel

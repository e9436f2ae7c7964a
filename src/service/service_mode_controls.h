// The Service Mode page's controls and the values they show. The values live in AppState; the
// controls show them and the user's edits go straight into them.
#pragma once

#include "core/app_state.h"

class QWidget;

namespace rpanel {

// At creation: the page's defaults (service_mode.h) into AppState, both boxes ticked, the
// temperature lists filled and at "0". The counter texts stay empty until a download.
void InitServiceModeControls(QWidget& page, AppState& state);

// Shows the stored values: a box is ticked only for a warning of exactly 1; each list selects
// the first item whose data is its value and keeps its selection when none has it; every
// counter as a signed number.
void ShowServiceModeValues(QWidget& page, const AppState& state);

}  // namespace rpanel

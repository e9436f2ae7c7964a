// The User Service page's controls and the settings they show. The settings live in AppState;
// the controls show them and the user's edits go straight into them.
#pragma once

#include "core/app_state.h"
#include "service/slider_step.h"

class QWidget;

namespace rpanel {

// At creation: the page's defaults (user_service.h) into AppState, the trackbars' ranges, the
// lists filled (the energy-save list only where the printer has the switch), all shown.
void InitUserServiceControls(QWidget& page, AppState& state);

// One scroll event of a trackbar (slider_step.h): the stored setting steps, and its label and
// thumb follow it. Ids that are not trackbars are ignored.
void StepSlider(QWidget& page, AppState& state, int trackbarId, ScrollCode code);

// Shows the stored settings: each label as a signed number and each thumb at its setting (at
// the nearer end for one outside the range); each list selects the first item whose data is
// its setting, and keeps its selection when none has it.
void ShowUserServiceValues(QWidget& page, const AppState& state);

}  // namespace rpanel

// Fitting the controls of a dialog built from its template to their texts, in whatever font
// and language they come (FitControls in dialog_builder.h says how).
#pragma once

#include <vector>

#include "gui/dialog_units.h"

class QWidget;

namespace rpanel {

// The controls, in template order, are fitted each time the dialog is shown and whenever
// FitControls asks.
void AttachControlFitter(QWidget& dialog, std::vector<QWidget*> controls, DialogBaseUnits units);

}  // namespace rpanel

// Finding panel-display lines that do not fit the display frame: the lines are drawn on the
// Panel page, not in a control, so the window check does not see them.
#pragma once

#include <vector>

#include "text_fit.h"

class QWidget;

namespace rpanel {

// Every line of every entry of the display table, in the selected language, measured in the
// display's font against the frame in the Panel page of mainWindow. A line that runs past the
// page, where it is cut off, says so.
std::vector<TextMisfit> FindStatusDisplayMisfits(const QWidget& mainWindow);

}  // namespace rpanel

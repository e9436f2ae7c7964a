// The layout check of one window of the tour (window_tour.h): its controls, and where the
// Panel page is on display, the lines of the panel display as well.
#pragma once

#include <QString>
#include <vector>

#include "text_fit.h"

class QWidget;

namespace rpanel {

std::vector<TextMisfit> FindMisfits(const QString& name, const QWidget& window);

}  // namespace rpanel

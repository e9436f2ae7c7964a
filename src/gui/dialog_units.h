// Dialog units to pixels, the way the Windows dialog manager converts them, with the base
// units of whatever font the dialog actually gets.
#pragma once

#include <QRect>

#include "gui/dialog_template.h"

class QFont;

namespace rpanel {

struct DialogBaseUnits {
    int x = 0;  // the average width of a letter, in pixels
    int y = 0;  // the font's height, in pixels
};

// From the width of "A".."Z" followed by "a".."z" and the font's height (ascent + descent).
DialogBaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight);
DialogBaseUnits BaseUnitsOf(const QFont& font);

// Each coordinate and extent is converted on its own and rounded to the nearest pixel, so a
// control keeps the size its template gives it wherever it stands.
int HorizontalPixels(int dialogUnits, DialogBaseUnits units);
int VerticalPixels(int dialogUnits, DialogBaseUnits units);
QRect ToPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace rpanel

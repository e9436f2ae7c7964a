// Drawing the panel display: a white, black-framed area inside the page's "Remote Panel"
// group box with up to two lines of text. Positions are in the page's coordinates.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

#include "core/app_state.h"

class QPainter;
class QWidget;

namespace rpanel {

// The group box's rectangle in the coordinates of the page that holds it (directly or not).
QRect GroupBoxInPage(const QWidget& page, const QWidget& groupBox);

// All positions follow from the group box's left, top and right edges L, T and R (R being
// the first pixel column past the box): the frame spans L+150..R-10 by T+20..T+90, the end
// edges excluded; line n (0 or 1) has its top-left corner at (L+160, T+30+20n).
QRect DisplayFrame(const QRect& groupBox);
QPoint DisplayLinePosition(const QRect& groupBox, int line);

// "Tahoma", normal weight, 15 pixels high by its character cell (ascent plus descent).
QFont StatusDisplayFont();

// The empty display: a one-pixel black outline around a white interior, which wipes out
// whatever lines were drawn before.
void PaintPanelFrame(QPainter& painter, const QRect& groupBox);

// The lines of the code in black on an opaque white background; nothing for a code the
// display table does not know.
void DrawStatusText(QPainter& painter, const QRect& groupBox, const StatusCode& code);

}  // namespace rpanel

// Builds a window from its template: the controls as children named by their ids, placed and
// sized in the dialog font's units, with their captions from the string table.
#pragma once

#include <QFont>
#include <QSize>

#include "gui/dialog_template.h"

class QWidget;

namespace rpanel {

// The dialog font of the given size. Where "Tahoma" is missing the desktop substitutes a font
// of its own; the dialog-unit conversion follows whatever font that is.
QFont DialogFont(int pointSize);

// The size in pixels that the template gives a window or page, in its own font.
QSize DialogSize(const DialogTemplate& dialogTemplate);

// Gives dialog the template's font, size and window style and creates the controls in it.
// Windows get a fixed size; a child page is only resized, as the tab control will place it.
// Each time the dialog is shown, a push button, check box, radio button or one-line static
// text whose text does not fit grows to the right into the free room beside it.
void BuildDialog(const DialogTemplate& dialogTemplate, QWidget& dialog);

}  // namespace rpanel

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
// Each time the dialog is shown, its controls are fitted to their texts (FitControls).
void BuildDialog(const DialogTemplate& dialogTemplate, QWidget& dialog);

// A push button, check box, radio button, group box caption or one-line static text whose
// text does not fit with 2 pixels to spare grows to the right; the controls after it on its
// row move along, group boxes widen around what they frame, and the dialog grows to hold
// them all (a page also takes that size as its minimum, for the tab control to make room).
// For a dialog built by BuildDialog; others are left alone.
void FitControls(QWidget& dialog);

}  // namespace rpanel

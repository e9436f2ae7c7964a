// Finding texts that the user cannot read whole in a window: a caption wider than its control
// (a word-wrapping static text: more lines than its height holds), a tab wider than its row,
// a list item wider than its box, and controls whose visible parts overlap or cross the frame
// of a group box.
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace rpanel {

struct TextMisfit {
    QString control;  // its id (the objectName) and its kind, e.g. "1003 QPushButton"
    QString text;
    QString problem;  // e.g. "needs 251 px, has 238 px", "overlaps 1024 QRadioButton"
};

// Looks at the controls of window that are visible in it, as they are laid out now.
std::vector<TextMisfit> FindTextMisfits(const QWidget& window);

// One line: control, problem and text.
QString Describe(const TextMisfit& misfit);

}  // namespace rpanel

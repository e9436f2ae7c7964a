// Texts of windows and controls, taken from the string table by number. Controls are found by
// their id, which the dialog builder gives them as objectName.
#pragma once

#include <QString>
#include <QWidget>

namespace rpanel {

QString TextById(int stringId);

template <typename Control = QWidget>
Control* ControlById(const QWidget& dialog, int controlId) {
    return dialog.findChild<Control*>(QString::number(controlId));
}

// Sets what a control shows: a button's or label's text, a group box's title, an edit's
// contents. Other kinds of control have no text and are left alone.
void SetControlText(QWidget& control, const QString& text);

// False when the dialog has no control with that id.
bool SetDlgTextById(const QWidget& dialog, int controlId, int stringId);
void SetTitleById(QWidget& window, int stringId);

// A caption as drawn: every "&" that marks the next character as the mnemonic taken out.
QString WithoutMnemonicMarks(const QString& text);

}  // namespace rpanel

#include "gui/window_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "core/string_table.h"

namespace rpanel {

QString TextById(int stringId) {
    return QString::fromStdString(LoadText(stringId));
}

void SetControlText(QWidget& control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(&control)) {
        box->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(text);
    }
}

bool SetDlgTextById(const QWidget& dialog, int controlId, int stringId) {
    QWidget* control = ControlById(dialog, controlId);
    if (control == nullptr) {
        return false;
    }
    SetControlText(*control, TextById(stringId));
    return true;
}

void SetTitleById(QWidget& window, int stringId) {
    window.setWindowTitle(TextById(stringId));
}

QString WithoutMnemonicMarks(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&' || i + 1 == text.size()) {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace rpanel

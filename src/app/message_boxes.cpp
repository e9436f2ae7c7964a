#include "app/message_boxes.h"

#include "app/window_text.h"

namespace rpanel {
namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

}  // namespace

QMessageBox::StandardButton ShowTextBox(QWidget* owner, int stringId,
                                        QMessageBox::StandardButtons buttons) {
    if (Answerer()) {
        return Answerer()(stringId, buttons);
    }
    QMessageBox box(QMessageBox::NoIcon, QString(), TextById(stringId), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

void WindowMessages::ShowMessageById(int stringId) {
    ShowTextBox(owner_, stringId, QMessageBox::Ok);
}

}  // namespace rpanel

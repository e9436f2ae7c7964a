#include "app/message_boxes.h"

#include "app/message_sink.h"
#include "app/window_text.h"
#include "link/printer_link.h"

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
    // When the printer is there but the system refused it, say why below the message, so that
    // the user can do something about it (the udev rule, another program holding it).
    if (stringId == msg::kOpenFailed) {
        box.setInformativeText(QString::fromStdString(OpenFailureReason()));
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

void WindowMessages::ShowMessageById(int stringId) {
    ShowTextBox(owner_, stringId, QMessageBox::Ok);
}

}  // namespace rpanel

#include "gui/message_boxes.h"

#include "core/message_sink.h"
#include "gui/center_on_screen.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

// A box whose owner is not on the screen (the main window before the panel is first opened)
// stands in the middle of the screen rather than where the hidden owner would be.
class OwnedMessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (parentWidget() == nullptr || !parentWidget()->isVisible()) {
            CenterOnScreen(*this);
        }
    }
};

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

}  // namespace

QMessageBox::StandardButton ShowTextBox(QWidget* owner, int stringId,
                                        QMessageBox::StandardButtons buttons,
                                        const std::string& reason) {
    if (Answerer()) {
        return Answerer()(stringId, buttons, reason);
    }
    OwnedMessageBox box(QMessageBox::NoIcon, QString(), TextById(stringId), buttons, owner);
    box.setTextFormat(Qt::PlainText);
    // When the printer is there but the system refused it, say why below the message, so that
    // the user can do something about it (the udev rule, another program holding it).
    box.setInformativeText(QString::fromStdString(reason));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

void WindowMessages::ShowMessageById(int stringId) {
    ShowTextBox(owner_, stringId, QMessageBox::Ok);
}

void WindowMessages::ShowMessageWithReason(int stringId, const std::string& reason) {
    ShowTextBox(owner_, stringId, QMessageBox::Ok, reason);
}

}  // namespace rpanel

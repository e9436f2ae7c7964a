// The program's message boxes: a string-table text, an empty title, the acting window as
// owner. Tests answer them in place of the user through SetMessageBoxAnswerer.
#pragma once

#include <QMessageBox>
#include <functional>

#include "core/message_sink.h"

namespace rpanel {

// Shows the text of stringId with the given buttons and answers the one the user chose
// (the escape button when the box was closed otherwise). A reason, where there is one, stands
// below the text.
QMessageBox::StandardButton ShowTextBox(QWidget* owner, int stringId,
                                        QMessageBox::StandardButtons buttons,
                                        const std::string& reason = {});

// While an answerer is set no box is shown: each is handed to it with its string number,
// buttons and reason, and its answer is taken as the user's. An empty function restores the
// real boxes.
using MessageBoxAnswerer = std::function<QMessageBox::StandardButton(
    int stringId, QMessageBox::StandardButtons, const std::string& reason)>;
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);

// The messages of a window's commands, as OK boxes owned by that window.
class WindowMessages final : public MessageSink {
public:
    explicit WindowMessages(QWidget* owner) : owner_(owner) {}
    void ShowMessageById(int stringId) override;
    void ShowMessageWithReason(int stringId, const std::string& reason) override;

private:
    QWidget* owner_;
};

}  // namespace rpanel

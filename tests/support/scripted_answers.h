// The user, as far as message boxes go: while it lives no box is shown; each is recorded by
// its string number (and the reason below its text) and answered with the next queued button,
// or with its escape button (Cancel, else OK) when none is queued.
#pragma once

#include <QMessageBox>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/message_boxes.h"

namespace rpanel::test {

class ScriptedAnswers {
public:
    ScriptedAnswers() {
        SetMessageBoxAnswerer([this](int stringId, QMessageBox::StandardButtons buttons,
                                     const std::string& reason) {
            shown.push_back(stringId);
            reasons.push_back(reason);
            if (whileShown) {
                whileShown(stringId);
            }
            if (!answers.empty()) {
                const QMessageBox::StandardButton answer = answers.front();
                answers.pop_front();
                return answer;
            }
            return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
        });
    }
    ~ScriptedAnswers() { SetMessageBoxAnswerer(nullptr); }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    std::deque<QMessageBox::StandardButton> answers;
    std::vector<int> shown;
    std::vector<std::string> reasons;  // empty where a box gave none
    // What the user does while a box is up, before answering it.
    std::function<void(int stringId)> whileShown;
};

}  // namespace rpanel::test

// The service pages against the simulated printer, driven by control id; message boxes are
// answered in place of the user and recorded.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <vector>

#include "core/string_table.h"
#include "gui/window_text.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel::test {

class PageTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
    }

    template <typename Control = QWidget>
    static Control& Find(const QWidget& page, int id) {
        Control* control = ControlById<Control>(page, id);
        if (control == nullptr) {
            ADD_FAILURE() << "no control " << id;
            std::abort();
        }
        return *control;
    }
    static void Click(const QWidget& page, int buttonId) {
        Find<QPushButton>(page, buttonId).click();
    }

    // The values sent with a request code, in order.
    std::vector<int> ValuesSent(int code) const {
        std::vector<int> values;
        for (const SentRequest& request : sent) {
            if (request.request == code) {
                values.push_back(request.value);
            }
        }
        return values;
    }

    ScriptedAnswers boxes;
};

}  // namespace rpanel::test

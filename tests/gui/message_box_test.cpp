// The real message boxes, as the user meets them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <functional>

#include "gui/message_boxes.h"
#include "support/modal_watch.h"

namespace rpanel {
namespace {

TEST(MessageBoxTest, BoxesHaveTheirTextReasonAndButtonsNoTitleAndTheirOwner) {
    using B = QMessageBox;
    QWidget owner;
    const struct {
        const char* text;
        const char* reason;  // below the text
        B::StandardButtons buttons;
        B::StandardButton click;  // NoButton: Escape
        B::StandardButton answer;
        std::function<B::StandardButton()> show;
    } boxes[] = {
        // The opening of the panel asks whether to try again, saying why the system refused.
        {"Open USB is failed", "", B::Retry | B::Cancel, B::Retry, B::Retry,
         [&] { return ShowTextBox(&owner, 26, B::Retry | B::Cancel); }},
        {"Open USB is failed", "held by another program", B::Retry | B::Cancel, B::NoButton,
         B::Cancel,
         [&] { return ShowTextBox(&owner, 26, B::Retry | B::Cancel, "held by another program"); }},
        // Every other message is a plain OK box, with nothing to answer.
        {"Send command to F/W is failed", "", B::Ok, B::Ok, B::Ok,
         [&] {
             WindowMessages(&owner).ShowMessageById(25);
             return B::Ok;
         }},
    };
    for (const auto& expected : boxes) {
        SCOPED_TRACE(expected.reason);
        test::ModalWatch watch([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), expected.text);
            EXPECT_EQ(box->informativeText(), expected.reason);
            EXPECT_EQ(box->windowTitle(), "");
            EXPECT_EQ(box->parentWidget(), &owner);
            ASSERT_EQ(box->standardButtons(), expected.buttons);
            if (expected.click == B::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(expected.click)->click();
            }
        });
        EXPECT_EQ(expected.show(), expected.answer);
        EXPECT_TRUE(watch.Acted());
    }
}

// A box of a window that is not on the screen stands in the middle of the screen, not where
// the hidden window would be; a shown window keeps its boxes beside it.
TEST(MessageBoxTest, ABoxOfAHiddenOwnerStandsInTheMiddleOfTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const bool ownerShown : {false, true}) {
        QWidget owner;
        owner.setGeometry(screen.x(), screen.y(), 120, 80);
        owner.setVisible(ownerShown);
        SCOPED_TRACE(ownerShown ? "owner shown" : "owner hidden");
        test::ModalWatch watch([&](QWidget& modal) {
            const QPoint off = modal.frameGeometry().center() - screen.center();
            EXPECT_EQ(off.manhattanLength() <= 2, !ownerShown) << off.x() << ',' << off.y();
            qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok)->click();
        });
        ShowTextBox(&owner, 25, QMessageBox::Ok);
        ASSERT_TRUE(watch.Acted());
    }
}

}  // namespace
}  // namespace rpanel

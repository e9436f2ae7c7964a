// The real message boxes, as the user meets them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <functional>

#include "gui/message_boxes.h"
#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/sim/sim_platform.h"
#include "support/modal_watch.h"

namespace rpanel {
namespace {

TEST(MessageBoxTest, BoxesHaveTheirTextAndButtonsNoTitleAndTheirOwner) {
    using B = QMessageBox;
    QWidget owner;
    const struct {
        const char* text;
        B::StandardButtons buttons;
        B::StandardButton click;
        std::function<B::StandardButton()> show;  // answers the button clicked
    } boxes[] = {
        // The opening of the panel asks whether to try again.
        {"Open USB is failed", B::Retry | B::Cancel, B::Retry,
         [&] { return ShowTextBox(&owner, 26, B::Retry | B::Cancel); }},
        // Every other message is a plain OK box, with nothing to answer.
        {"Send command to F/W is failed", B::Ok, B::Ok,
         [&] {
             WindowMessages(&owner).ShowMessageById(25);
             return B::Ok;
         }},
    };
    for (const auto& expected : boxes) {
        test::ModalWatch watch([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), expected.text);
            EXPECT_EQ(box->windowTitle(), "");
            EXPECT_EQ(box->parentWidget(), &owner);
            ASSERT_EQ(box->standardButtons(), expected.buttons);
            box->button(expected.click)->click();
        });
        EXPECT_EQ(expected.show(), expected.click) << expected.text;
        EXPECT_TRUE(watch.Acted()) << expected.text;
    }
}

TEST(MessageBoxTest, OpenFailedBoxSaysWhyTheSystemRefusedThePrinterAndEscapeCancels) {
    PrinterModel printer;
    printer.RefuseOpening("held by another program");
    SimPlatform sim = SimPlatform::WithPrinter(printer);
    const DeviceSession session(sim);
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 0);
    QString reason;
    test::ModalWatch watch([&](QWidget& modal) {
        reason = qobject_cast<QMessageBox*>(&modal)->informativeText();
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    EXPECT_EQ(
        ShowTextBox(nullptr, 26, QMessageBox::Retry | QMessageBox::Cancel, OpenFailureReason()),
        QMessageBox::Cancel);
    EXPECT_EQ(reason, "held by another program");
}

// A box of a window that is not on the screen stands in the middle of the screen, not where
// the hidden window would be; a shown window keeps its boxes beside it.
TEST(MessageBoxTest, ABoxOfAHiddenOwnerStandsInTheMiddleOfTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const bool ownerShown : {false, true}) {
        QWidget owner;
        owner.setGeometry(screen.x(), screen.y(), 120, 80);
        if (ownerShown) {
            owner.show();
        }
        QPoint centre;
        test::ModalWatch watch([&](QWidget& modal) {
            centre = modal.frameGeometry().center();
            qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok)->click();
        });
        ShowTextBox(&owner, 25, QMessageBox::Ok);
        ASSERT_TRUE(watch.Acted());
        const QPoint offCentre = centre - screen.center();
        EXPECT_EQ(offCentre.manhattanLength() <= 2, !ownerShown)
            << "owner shown: " << ownerShown << ", box centred at " << centre.x() << ','
            << centre.y();
    }
}

}  // namespace
}  // namespace rpanel

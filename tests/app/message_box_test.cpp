// The real modal windows: the message boxes and the About box, as the user meets them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/about_box.h"
#include "app/about_box_ids.h"
#include "app/message_boxes.h"
#include "app/window_text.h"
#include "link/printer_link.h"
#include "link/sim/sim_platform.h"
#include "modal_watch.h"

namespace rpanel {
namespace {

TEST(MessageBoxTest, OpenFailedBoxHasTheTextRetryCancelNoTitleAndItsOwner) {
    QWidget owner;
    QMessageBox::StandardButtons buttons;
    test::ModalWatch watch([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Open USB is failed");
        EXPECT_EQ(box->windowTitle(), "");
        EXPECT_EQ(box->parentWidget(), &owner);
        buttons = box->standardButtons();
        box->button(QMessageBox::Retry)->click();
    });

    const auto answer = ShowTextBox(&owner, 26, QMessageBox::Retry | QMessageBox::Cancel);

    EXPECT_TRUE(watch.Acted());
    EXPECT_EQ(buttons, QMessageBox::Retry | QMessageBox::Cancel);
    EXPECT_EQ(answer, QMessageBox::Retry);
}

TEST(MessageBoxTest, OpenFailedBoxSaysWhyTheSystemRefusedThePrinter) {
    PrinterModel printer;
    printer.RefuseOpening("held by another program");
    SimPlatform sim = SimPlatform::WithPrinter(printer);
    UsePlatform(&sim);
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 0);
    QString reason;
    test::ModalWatch watch([&](QWidget& modal) {
        reason = qobject_cast<QMessageBox*>(&modal)->informativeText();
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    ShowTextBox(nullptr, 26, QMessageBox::Retry | QMessageBox::Cancel);
    UsePlatform(nullptr);
    EXPECT_EQ(reason, "held by another program");
}

TEST(MessageBoxTest, EscapeInTheOpenFailedBoxAnswersCancel) {
    test::ModalWatch watch([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_EQ(ShowTextBox(nullptr, 26, QMessageBox::Retry | QMessageBox::Cancel),
              QMessageBox::Cancel);
}

TEST(MessageBoxTest, WindowMessagesShowAnOkBoxOwnedByTheWindow) {
    QWidget owner;
    test::ModalWatch watch([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Send command to F/W is failed");
        EXPECT_EQ(box->windowTitle(), "");
        EXPECT_EQ(box->parentWidget(), &owner);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    WindowMessages(&owner).ShowMessageById(25);
    EXPECT_TRUE(watch.Acted());
}

TEST(AboutBoxTest, ShowsNameAndVersionWithoutTitleBarAndEndsOnlyThroughClose) {
    QWidget owner;
    AboutBox about(&owner);
    test::ModalWatch watch([&](QWidget& modal) {
        ASSERT_EQ(&modal, &about);
        EXPECT_EQ(ControlById<QLabel>(about, about_box::kProgramName)->text(),
                  "Remote Panel Program");
        EXPECT_EQ(ControlById<QLabel>(about, about_box::kVersion)->text(), "V1.08");
        EXPECT_EQ(about.windowTitle(), "About");
        EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowTitleHint));

        QTest::keyClick(&about, Qt::Key_Escape);
        about.close();
        EXPECT_TRUE(about.isVisible());

        auto* close = ControlById<QPushButton>(about, about_box::kCloseButton);
        EXPECT_EQ(close->text(), "Close");
        close->click();
    });
    about.exec();
    EXPECT_TRUE(watch.Acted());
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace rpanel

// The main window against the simulated printer: opening the panel (retrying, cancelling),
// hiding and re-opening it, the About box and the Service Mode access code. Pages and buttons
// fitting the window are the layout check's; a failed request, the fault campaign's.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "app/about_box.h"
#include "app/about_box_ids.h"
#include "app/main_window_ids.h"
#include "gui/window_text.h"
#include "support/modal_watch.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

constexpr std::uint8_t kMachineVariantRequest = 80;

class MainWindowTest : public test::SimTest {
protected:
    QLineEdit& AccessCodeBox() {
        return *ControlById<QLineEdit>(window, main_window::kAccessCodeBox);
    }
    // Typing into the box as the user does: it gets the focus first.
    void TypeAccessCode(const QString& text) {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&AccessCodeBox(), &focusIn);
        QTest::keyClicks(&AccessCodeBox(), text);
    }

    test::ScriptedAnswers boxes;
    MainWindow window{state, PageFactory{}};
};

// Close, Escape and the close box each hide the window without ending it; opened again, it
// opens the printer again and keeps its pages and the tab on display.
TEST_F(MainWindowTest, OpeningShowsTwoPagesCentredAndClosingHidesItKeepingThePages) {
    window.OpenPanel();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.machineVariant, printer.ValueOf(kMachineVariantRequest) & 0xFF);
    ASSERT_EQ(window.Tabs().count(), 2);
    EXPECT_EQ(window.Tabs().tabText(0), "Panel");
    EXPECT_EQ(window.Tabs().tabText(1), "User Service");
    EXPECT_EQ(window.Tabs().currentIndex(), 0);
    EXPECT_EQ(window.windowTitle(), "Remote Panel Program");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.topLeft(),
              QPoint((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2));

    QWidget* panelPage = window.Tabs().widget(0);
    window.Tabs().setCurrentIndex(1);
    QSignalSpy closed(&window, &MainWindow::closed);
    const std::function<void()> ways[] = {
        [&] { ControlById<QPushButton>(window, main_window::kCloseButton)->click(); },
        [&] { QTest::keyClick(&window, Qt::Key_Escape); },
        [&] { window.close(); },
    };
    for (const auto& close : ways) {
        ASSERT_TRUE(window.isVisible());
        EXPECT_EQ(state.panelOpen, 1);
        close();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(state.panelOpen, 0);
        const auto opened = sim.openedPaths.size();
        window.OpenPanel();
        EXPECT_GT(sim.openedPaths.size(), opened) << "the printer is opened again";
        EXPECT_EQ(window.Tabs().widget(0), panelPage);
        EXPECT_EQ(window.Tabs().currentIndex(), 1);
    }
    EXPECT_EQ(closed.count(), 3);
}

TEST_F(MainWindowTest, EachRetryOpensAgainUntilCancelOrThePrinterIsPluggedIn) {
    printer.SetPresent(false);
    boxes.answers = {QMessageBox::Retry, QMessageBox::Retry};
    // Asking again while the box is up is the request already being served: no second box.
    boxes.whileShown = [this](int) {
        if (boxes.shown.size() == 1) {
            window.OpenPanel();
        }
    };
    window.OpenPanel();
    EXPECT_EQ(boxes.shown, std::vector<int>(3, msg::kOpenFailed)) << "the third is cancelled";
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(state.panelOpen, 0);
    EXPECT_EQ(window.Tabs().count(), 0);

    boxes.shown.clear();
    boxes.whileShown = [this](int) { printer.SetPresent(true); };
    boxes.answers = {QMessageBox::Retry};
    window.OpenPanel();
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(state.panelOpen, 1);
    EXPECT_EQ(window.Tabs().count(), 2);
}

TEST_F(MainWindowTest, OnlyTheExactAccessCodeAddsServiceModeOnceAtTheEndKeepingThePageShown) {
    window.OpenPanel();
    window.Tabs().setCurrentIndex(1);
    QWidget* shownPage = window.Tabs().currentWidget();
    // Alt+A, the hidden label's mnemonic, focuses the box and so empties it.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    AccessCodeBox().setText("fieldengin");
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(AccessCodeBox().hasFocus());
    EXPECT_EQ(AccessCodeBox().text(), "");

    TypeAccessCode("fieldEngineer");
    // The box holds 13 characters, so the extra letter in front keeps the code out.
    TypeAccessCode("ffieldengineer");
    EXPECT_EQ(AccessCodeBox().text(), "ffieldenginee");
    EXPECT_EQ(window.Tabs().count(), 2);

    TypeAccessCode("fieldengineer");
    ASSERT_EQ(window.Tabs().count(), 3);
    EXPECT_EQ(window.Tabs().tabText(2), "Service Mode");
    EXPECT_EQ(state.serviceModeAdded, 1);
    EXPECT_EQ(window.Tabs().currentWidget(), shownPage);
    EXPECT_TRUE(shownPage->isVisible());
    EXPECT_FALSE(window.Tabs().widget(2)->isVisible());
    EXPECT_EQ(AccessCodeBox().text(), "fieldengineer");

    TypeAccessCode("fieldengineer");
    EXPECT_EQ(window.Tabs().count(), 3);
}

TEST_F(MainWindowTest, AboutShowsNameAndVersionOverTheWindowAndEndsOnlyThroughClose) {
    window.OpenPanel();
    test::ModalWatch watch([&](QWidget& about) {
        ASSERT_NE(qobject_cast<AboutBox*>(&about), nullptr);
        EXPECT_EQ(about.parentWidget(), &window);
        EXPECT_EQ(ControlById<QLabel>(about, about_box::kProgramName)->text(),
                  "Remote Panel Program");
        EXPECT_EQ(ControlById<QLabel>(about, about_box::kVersion)->text(), "V1.08");
        EXPECT_FALSE(about.windowFlags().testFlag(Qt::WindowTitleHint));

        QTest::keyClick(&about, Qt::Key_Escape);
        about.close();
        EXPECT_TRUE(about.isVisible());
        ControlById<QPushButton>(about, about_box::kCloseButton)->click();
        EXPECT_FALSE(about.isVisible());
    });

    ControlById<QPushButton>(window, main_window::kAboutButton)->click();

    EXPECT_TRUE(watch.Acted());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace rpanel

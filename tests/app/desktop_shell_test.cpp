// The program around the main window: the tray icon's activations and menu, "Exit", and the
// desktops without a notification area, where the window opens at start.
#include "app/desktop_shell.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

class ShellTest : public test::SimTest {
protected:
    explicit ShellTest(bool withTray) : shell(state, PageFactory{}, withTray) {}

    test::ScriptedAnswers boxes;
    DesktopShell shell;
    QSignalSpy finished{&shell, &DesktopShell::finished};
};

class TrayShellTest : public ShellTest {
protected:
    TrayShellTest() : ShellTest(true) {}
    TrayIcon& Tray() { return *shell.Tray(); }
    void Activate(QSystemTrayIcon::ActivationReason reason) {
        emit Tray().Icon().activated(reason);
    }
    // Opens the icon's menu as a right-click does.
    QMenu& OpenMenu() {
        Tray().Menu().popup(QPoint(10, 10));
        return Tray().Menu();
    }
};

TEST_F(TrayShellTest, DoubleClickSingleActivationOrOpenPanelOpensItAndClosingKeepsTheProgram) {
    const std::function<void()> ways[] = {
        [&] { Activate(QSystemTrayIcon::DoubleClick); },
        [&] { Activate(QSystemTrayIcon::Trigger); },
        [&] { OpenMenu().actions().at(0)->trigger(); },
    };
    for (const auto& open : ways) {
        open();
        EXPECT_TRUE(shell.Window().isVisible());
        EXPECT_EQ(state.panelOpen, 1);
        shell.Window().close();
    }
    EXPECT_EQ(finished.count(), 0);
}

TEST_F(TrayShellTest, OtherActivationsADismissedMenuAndDoubleClickWhileShownChangeNothing) {
    Activate(QSystemTrayIcon::MiddleClick);
    Activate(QSystemTrayIcon::Context);
    QMenu& menu = OpenMenu();
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().at(0)->text(), "Open Panel");
    EXPECT_EQ(menu.actions().at(2)->text(), "Exit");
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_TRUE(sim.openedPaths.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(finished.count(), 0);

    Activate(QSystemTrayIcon::DoubleClick);
    const auto opened = sim.openedPaths.size();
    const int answered = printer.RequestsAnswered();
    Activate(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(sim.openedPaths.size(), opened);
    EXPECT_EQ(printer.RequestsAnswered(), answered);
}

TEST_F(TrayShellTest, ExitRemovesTheIconHidesTheWindowAndEndsWithZero) {
    shell.Start();
    Activate(QSystemTrayIcon::DoubleClick);

    OpenMenu().actions().at(2)->trigger();

    EXPECT_FALSE(Tray().Icon().isVisible());
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_EQ(state.panelOpen, 0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
}

class TraylessShellTest : public ShellTest {
protected:
    TraylessShellTest() : ShellTest(false) {}
};

TEST_F(TraylessShellTest, WindowOpensAtStartAndClosingItEndsTheProgram) {
    EXPECT_EQ(shell.Tray(), nullptr);
    shell.OpenAtStart();
    EXPECT_TRUE(shell.Window().isVisible());
    EXPECT_EQ(finished.count(), 0);

    shell.Window().close();

    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
}

TEST_F(TraylessShellTest, CancellingTheOpeningEndsTheProgramInsteadOfRunningUnseen) {
    printer.SetPresent(false);

    shell.OpenAtStart();

    EXPECT_EQ(boxes.shown, std::vector<int>{26});
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_EQ(finished.count(), 1);
}

}  // namespace
}  // namespace rpanel

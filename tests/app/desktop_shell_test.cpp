// The program around the main window: the tray icon's activations and menu, "Exit", the
// desktops without a notification area, where the window opens at start; and the tray watching
// the simulated printer: icon state, tooltip and notifications through ready, toner low, toner
// out, unplugged and plugged, nothing sent while watching is off, and the window's busy state
// while a command runs.
#include "app/desktop_shell.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/watch_settings.h"
#include "link/printer_command.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

struct RecordingNotifier final : Notifier {
    void Notify(const QString& title, const QString& body) override {
        shown.push_back((title + " | " + body).toStdString());
    }
    std::vector<std::string> shown;
};

class ShellTest : public test::SimTest {
protected:
    explicit ShellTest(bool withTray = true) : shell(state, PageFactory{}, withTray) {}
    void SetUp() override {
        SimTest::SetUp();
        printer.SetStatusCodes({"000000"});
        session->commandBusy = [this](bool busy) { shell.SetCommandBusy(busy); };
    }
    void Activate(QSystemTrayIcon::ActivationReason reason) {
        emit shell.Tray()->Icon().activated(reason);
    }
    // Opens the icon's menu as a right-click does.
    QMenu& OpenMenu() {
        shell.Tray()->Menu().popup(QPoint(10, 10));
        return shell.Tray()->Menu();
    }
    QString SettingsPath() const { return folder.filePath("rpanel.conf"); }
    QString Saved(const char* key) const {
        return QSettings(SettingsPath(), QSettings::IniFormat).value(key).toString();
    }
    void Enable() {
        settings = std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat);
        shell.EnableWatching(*settings, std::nullopt, notifier);
    }
    QAction& WatchItem() {
        QAction* item = OpenMenu().actions().at(1);
        shell.Tray()->Menu().hide();
        return *item;
    }
    // One round, waited for on the event loop (the worker answers from the simulated printer
    // at once).
    void Round() {
        const int before = shell.Watcher()->RoundsDone();
        shell.Watcher()->RoundNow();
        QTRY_COMPARE_WITH_TIMEOUT(shell.Watcher()->RoundsDone(), before + 1, 2000);
    }
    // A round asked for while watching is off sends nothing.
    void NoRound() {
        const int answered = printer.RequestsAnswered();
        shell.Watcher()->RoundNow();
        QTest::qWait(50);
        EXPECT_EQ(printer.RequestsAnswered(), answered);
    }
    std::string ToolTip() { return shell.Tray()->Icon().toolTip().toStdString(); }

    QTemporaryDir folder;
    std::unique_ptr<QSettings> settings;
    RecordingNotifier notifier;
    test::ScriptedAnswers boxes;
    DesktopShell shell;
    QSignalSpy finished{&shell, &DesktopShell::finished};
};

TEST_F(ShellTest, DoubleClickSingleActivationOrOpenPanelOpensItNothingElseDoesAndExitEnds) {
    Activate(QSystemTrayIcon::MiddleClick);
    Activate(QSystemTrayIcon::Context);
    QMenu& menu = OpenMenu();
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().at(0)->text(), "Open Panel");
    EXPECT_EQ(menu.actions().at(2)->text(), "Exit");
    QTest::keyClick(&menu, Qt::Key_Escape);
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_TRUE(sim.openedPaths.empty());

    const std::function<void()> ways[] = {
        [&] { Activate(QSystemTrayIcon::DoubleClick); },
        [&] { Activate(QSystemTrayIcon::Trigger); },
        [&] { OpenMenu().actions().at(0)->trigger(); },
    };
    for (const auto& open : ways) {
        open();
        EXPECT_TRUE(shell.Window().isVisible());
        EXPECT_EQ(state.panelOpen, 1);
        // Again while it is shown: nothing is opened or sent.
        const auto opened = sim.openedPaths.size();
        const int answered = printer.RequestsAnswered();
        Activate(QSystemTrayIcon::DoubleClick);
        EXPECT_EQ(sim.openedPaths.size(), opened);
        EXPECT_EQ(printer.RequestsAnswered(), answered);
        shell.Window().close();
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(finished.count(), 0) << "closing the window keeps the program";

    // Exit removes the icon, hides the window and ends the program with 0.
    shell.Start();
    Activate(QSystemTrayIcon::DoubleClick);
    OpenMenu().actions().at(2)->trigger();
    EXPECT_FALSE(shell.Tray()->Icon().isVisible());
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_EQ(state.panelOpen, 0);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
}

class TraylessShellTest : public ShellTest {
protected:
    TraylessShellTest() : ShellTest(false) {}
};

// Cancelling the opening ends the program instead of leaving it running unseen.
TEST_F(TraylessShellTest, WindowOpensAtStartAndClosingItOrCancellingItsOpeningEndsTheProgram) {
    EXPECT_EQ(shell.Tray(), nullptr);
    shell.OpenAtStart();
    EXPECT_TRUE(shell.Window().isVisible());
    EXPECT_EQ(finished.count(), 0);
    shell.Window().close();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), 0);

    printer.SetPresent(false);
    shell.OpenAtStart();
    EXPECT_EQ(boxes.shown, std::vector<int>{26});
    EXPECT_FALSE(shell.Window().isVisible());
    EXPECT_EQ(finished.count(), 2);
}

// Not watched (the default), a device event changes only the icon: not connected while the
// printer is gone, plain once it is back, the plain tip throughout and no request sent. Watched,
// the tray follows the printer through toner low, out, unplugged and plugged.
TEST_F(ShellTest, WatchingIsOffByDefaultThenFollowsThePrinterThroughLowOutUnpluggedAndPlugged) {
    Enable();
    EXPECT_FALSE(WatchItem().isChecked());
    EXPECT_EQ(WatchItem().text(), "watch printer status");
    EXPECT_FALSE(shell.Watcher()->Watching());
    NoRound();
    EXPECT_FALSE(shell.Tray()->StateShown());

    printer.SetPresent(false);
    shell.DeviceChanged();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::NotConnected);
    EXPECT_EQ(ToolTip(), "Remote Panel Program");
    printer.SetPresent(true);
    shell.DeviceChanged();
    EXPECT_FALSE(shell.Tray()->StateShown());
    EXPECT_EQ(ToolTip(), "Remote Panel Program");
    EXPECT_TRUE(sim.openedPaths.empty());
    EXPECT_EQ(printer.RequestsAnswered(), 0);

    WatchItem().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shell.Watcher()->RoundsDone(), 1, 2000);
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::Ready);
    EXPECT_EQ(ToolTip(), "Remote Panel Program\nREADY\nC 78%  M 64%  Y 9%  K 0%  PU 83%");
    EXPECT_EQ(Saved("watch"), "true");

    printer.SetStatusCodes({"000000", "302008"});
    Round();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::Warning);
    EXPECT_EQ(ToolTip(), "Remote Panel Program\nTONER LOW K\nC 78%  M 64%  Y 9%  K 0%  PU 83%");

    printer.SetStatusCodes({"204008", "302008"});
    Round();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::Error);
    EXPECT_EQ(ToolTip(),
              "Remote Panel Program\nTONER OUT\nCHANGE K TONER \nC 78%  M 64%  Y 9%  K 0%  PU 83%");
    Round();  // nothing new

    printer.SetPresent(false);
    Round();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::NotConnected);
    EXPECT_EQ(ToolTip(), "Remote Panel Program\nPrinter not connected");

    printer.SetPresent(true);
    Round();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::Error);
    EXPECT_EQ(notifier.shown,
              (std::vector<std::string>{"Remote Panel Program | TONER LOW K",
                                        "Remote Panel Program | TONER OUT\nCHANGE K TONER "}))
        << "each warning or error once, and not again when the printer comes back";
    EXPECT_TRUE(boxes.shown.empty()) << "a round shows no message box";
    EXPECT_TRUE(sent.empty()) << "rounds stay off the command trace";

    WatchItem().trigger();
    EXPECT_EQ(ToolTip(), "Remote Panel Program");
    EXPECT_FALSE(shell.Tray()->StateShown());
    NoRound();
    EXPECT_EQ(Saved("watch"), "false");
}

TEST_F(ShellTest, BadWatchSettingsMeanTheDefaultsAndSavingKeepsTheUsersOwnKeys) {
    EXPECT_TRUE(OpenProgramSettings()->fileName().endsWith("/.config/remote-panel/rpanel.conf") ||
                OpenProgramSettings()->fileName().endsWith("/qt-config/remote-panel/rpanel.conf"))
        << OpenProgramSettings()->fileName().toStdString();
    {
        QSettings file(SettingsPath(), QSettings::IniFormat);
        file.setValue("watch", "perhaps");
        file.setValue("interval", "5");
        file.setValue("mine", "kept");
    }
    Enable();
    EXPECT_FALSE(shell.Watcher()->Watching());
    EXPECT_EQ(shell.Watcher()->Timer().interval(), 60000);
    WatchItem().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shell.Watcher()->RoundsDone(), 1, 2000);
    EXPECT_EQ(Saved("watch"), "true");
    EXPECT_EQ(Saved("mine"), "kept");
}

TEST_F(ShellTest, WhileACommandRunsTheCursorIsBusyAndTheTrayOpensNothing) {
    Enable();
    RunPrinterCommand(messages, [&] {
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        Activate(QSystemTrayIcon::DoubleClick);
        EXPECT_FALSE(shell.Window().isVisible());
    });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    Activate(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(shell.Window().isVisible());
}

}  // namespace
}  // namespace rpanel

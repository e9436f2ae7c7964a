// The tray watching the simulated printer: icon state, tooltip and notifications through ready,
// toner low, toner out, unplugged and plugged; nothing sent while watching is off; and the
// window's busy state while a command runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/desktop_shell.h"
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

class WatchTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        printer.SetStatusCodes({"000000"});
        session->commandBusy = [this](bool busy) { shell.SetCommandBusy(busy); };
    }
    QString SettingsPath() const { return folder.filePath("rpanel.conf"); }
    void Enable() {
        settings = std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat);
        shell.EnableWatching(*settings, std::nullopt, notifier);
    }
    QAction& WatchItem() {
        shell.Tray()->Menu().popup(QPoint(10, 10));
        QAction* item = shell.Tray()->Menu().actions().at(1);
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
    std::string ToolTip() { return shell.Tray()->Icon().toolTip().toStdString(); }

    QTemporaryDir folder;
    std::unique_ptr<QSettings> settings;
    RecordingNotifier notifier;
    test::ScriptedAnswers boxes;
    DesktopShell shell{state, PageFactory{}, true};
};

TEST_F(WatchTest, OffByDefaultItSendsNothingAndKeepsThePlainTip) {
    Enable();
    EXPECT_FALSE(WatchItem().isChecked());
    EXPECT_EQ(WatchItem().text(), "watch printer status");
    EXPECT_FALSE(shell.Watcher()->Watching());
    shell.Watcher()->RoundNow();
    QTest::qWait(50);
    EXPECT_TRUE(sim.openedPaths.empty());
    EXPECT_EQ(printer.RequestsAnswered(), 0);
    EXPECT_EQ(ToolTip(), "Remote Panel Program");
    EXPECT_FALSE(shell.Tray()->StateShown());
}

// Not watched, a device event changes only the icon: not connected while the printer is gone,
// plain once it is back, the plain tip throughout and no request sent.
TEST_F(WatchTest, UnwatchedDeviceEventsShowWhetherThePrinterIsAttachedWithoutARequest) {
    Enable();
    printer.SetPresent(false);
    shell.DeviceChanged();
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::NotConnected);
    EXPECT_EQ(ToolTip(), "Remote Panel Program");
    printer.SetPresent(true);
    shell.DeviceChanged();
    EXPECT_FALSE(shell.Tray()->StateShown());
    EXPECT_TRUE(sim.openedPaths.empty());
    EXPECT_EQ(printer.RequestsAnswered(), 0);
}

TEST_F(WatchTest, FollowsThePrinterThroughLowOutUnpluggedAndPlugged) {
    Enable();
    WatchItem().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shell.Watcher()->RoundsDone(), 1, 2000);
    EXPECT_EQ(shell.Tray()->StateShown(), WatchState::Ready);
    EXPECT_EQ(ToolTip(), "Remote Panel Program\nREADY\nC 78%  M 64%  Y 9%  K 0%  PU 83%");
    EXPECT_EQ(QSettings(SettingsPath(), QSettings::IniFormat).value("watch").toString(), "true");

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
    const int answered = printer.RequestsAnswered();
    shell.Watcher()->RoundNow();
    QTest::qWait(50);
    EXPECT_EQ(printer.RequestsAnswered(), answered);
    EXPECT_EQ(QSettings(SettingsPath(), QSettings::IniFormat).value("watch").toString(), "false");
}

TEST_F(WatchTest, BadSettingsMeanTheDefaultsAndSavingKeepsTheUsersOwnKeys) {
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
    const QSettings file(SettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(file.value("watch").toString(), "true");
    EXPECT_EQ(file.value("mine").toString(), "kept");
}

TEST_F(WatchTest, WhileACommandRunsTheCursorIsBusyAndTheTrayOpensNothing) {
    Enable();
    RunPrinterCommand(messages, [&] {
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        emit shell.Tray()->Icon().activated(QSystemTrayIcon::DoubleClick);
        EXPECT_FALSE(shell.Window().isVisible());
    });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    emit shell.Tray()->Icon().activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(shell.Window().isVisible());
}

}  // namespace
}  // namespace rpanel

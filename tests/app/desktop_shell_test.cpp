// The program around the main window: the tray icon's activations and menu, "Exit", the
// desktops without a notification area, where the window opens at start; the tray watching the
// simulated printer: icon state, tooltip and notifications through ready, toner low, toner out,
// unplugged and plugged, nothing sent while watching is off, and the window's busy state while
// a command runs. The main window: opening the panel (retrying, cancelling), hiding and
// re-opening it, the About box and the Service Mode access code (pages and buttons fitting the
// window are the layout check's; a failed request, the fault campaign's). And one program per
// user: a second start is refused while the first runs, and a lock left by a program that
// crashed does not block the next start.
#include "app/desktop_shell.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/about_box.h"
#include "app/about_box_ids.h"
#include "app/main_window_ids.h"
#include "app/single_instance.h"
#include "app/watch_settings.h"
#include "gui/window_text.h"
#include "link/printer_command.h"
#include "support/modal_watch.h"
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
    void SetUp() override {
        SimTest::SetUp();
        printer.SetStatusCodes({"000000"});
        session->commandBusy = [this](bool busy) { shell.SetCommandBusy(busy); };
    }
    void Activate(QSystemTrayIcon::ActivationReason r) { emit shell.Tray()->Icon().activated(r); }
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
    QAction& WatchItem() { return *OpenMenu().actions().at(1); }
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
    void ExpectShown(std::optional<WatchState> shown, const char* toolTip) {
        EXPECT_EQ(shell.Tray()->StateShown(), shown);
        EXPECT_EQ(shell.Tray()->Icon().toolTip().toStdString(), toolTip);
    }

    QTemporaryDir folder;
    std::unique_ptr<QSettings> settings;
    RecordingNotifier notifier;
    test::ScriptedAnswers boxes;
    DesktopShell shell{state, PageFactory{}, true};
    QSignalSpy finished{&shell, &DesktopShell::finished};
};

TEST_F(ShellTest, DoubleClickSingleActivationOrOpenPanelOpensItNothingElseDoesAndExitEnds) {
    Activate(QSystemTrayIcon::MiddleClick);
    Activate(QSystemTrayIcon::Context);
    QStringList items;
    std::ranges::transform(OpenMenu().actions(), std::back_inserter(items), &QAction::text);
    EXPECT_EQ(items, QStringList({"Open Panel", "watch printer status", "Exit"}));
    QTest::keyClick(&shell.Tray()->Menu(), Qt::Key_Escape);
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

// Without a notification area: cancelling the opening ends the program instead of leaving it
// running unseen.
TEST_F(ShellTest, TraylessTheWindowOpensAtStartAndClosingItOrCancellingItsOpeningEndsTheProgram) {
    DesktopShell trayless(state, PageFactory{}, false);
    QSignalSpy ended(&trayless, &DesktopShell::finished);
    EXPECT_EQ(trayless.Tray(), nullptr);
    trayless.OpenAtStart();
    EXPECT_TRUE(trayless.Window().isVisible());
    EXPECT_EQ(ended.count(), 0);
    trayless.Window().close();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);

    printer.SetPresent(false);
    trayless.OpenAtStart();
    EXPECT_EQ(boxes.shown, std::vector<int>{26});
    EXPECT_FALSE(trayless.Window().isVisible());
    EXPECT_EQ(ended.count(), 2);
}

// Not watched (the default), a device event changes only the icon: not connected while the
// printer is gone, plain once it is back, the plain tip throughout and no request sent. Watched,
// the tray follows the printer through toner low, out, unplugged and plugged.
TEST_F(ShellTest, WatchingIsOffByDefaultThenFollowsThePrinterThroughLowOutUnpluggedAndPlugged) {
    Enable();
    EXPECT_FALSE(WatchItem().isChecked());
    EXPECT_FALSE(shell.Watcher()->Watching());
    NoRound();
    ExpectShown(std::nullopt, "Remote Panel Program");

    printer.SetPresent(false);
    shell.DeviceChanged();
    ExpectShown(WatchState::NotConnected, "Remote Panel Program");
    printer.SetPresent(true);
    shell.DeviceChanged();
    ExpectShown(std::nullopt, "Remote Panel Program");
    EXPECT_TRUE(sim.openedPaths.empty());
    EXPECT_EQ(printer.RequestsAnswered(), 0);

    WatchItem().trigger();
    QTRY_COMPARE_WITH_TIMEOUT(shell.Watcher()->RoundsDone(), 1, 2000);
    ExpectShown(WatchState::Ready, "Remote Panel Program\nREADY\nC 78%  M 64%  Y 9%  K 0%  PU 83%");
    EXPECT_EQ(Saved("watch"), "true");

    printer.SetStatusCodes({"000000", "302008"});
    Round();
    ExpectShown(WatchState::Warning,
                "Remote Panel Program\nTONER LOW K\nC 78%  M 64%  Y 9%  K 0%  PU 83%");

    printer.SetStatusCodes({"204008", "302008"});
    Round();
    ExpectShown(
        WatchState::Error,
        "Remote Panel Program\nTONER OUT\nCHANGE K TONER \nC 78%  M 64%  Y 9%  K 0%  PU 83%");
    Round();  // nothing new

    printer.SetPresent(false);
    Round();
    ExpectShown(WatchState::NotConnected, "Remote Panel Program\nPrinter not connected");

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
    ExpectShown(std::nullopt, "Remote Panel Program");
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

class MainWindowTest : public ShellTest {
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

    MainWindow& window = shell.Window();
};

// Close, Escape and the close box each hide the window without ending it; opened again, it
// opens the printer again and keeps its pages and the tab on display.
TEST_F(MainWindowTest, OpeningShowsTwoPagesCentredAndClosingHidesItKeepingThePages) {
    window.OpenPanel();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.machineVariant, printer.ValueOf(80) & 0xFF);  // the machine variant
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

using Result = SingleInstance::Result;

TEST(SingleInstanceTest, SecondStartIsRefusedWhileTheFirstRunsAndNoRuntimeDirectoryMeansNoGuard) {
    QTemporaryDir runtime;
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_EQ(first->Acquire(), Result::Acquired);
    EXPECT_TRUE(first->LockPath().endsWith("/OEM2-PROGRAM"));

    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::HeldElsewhere);

    first.reset();
    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::Acquired);

    // Without a runtime directory the program runs unguarded.
    EXPECT_EQ(SingleInstance(QString()).Acquire(), Result::Unavailable);
    EXPECT_EQ(SingleInstance(runtime.filePath("missing")).Acquire(), Result::Unavailable);
}

TEST(SingleInstanceTest, LockOfACrashedProgramIsTakenOver) {
    QTemporaryDir runtime;
    // A child takes the lock and dies without releasing it, as a crash would leave it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance crashing(runtime.path());
        _exit(crashing.Acquire() == Result::Acquired ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(runtime.filePath("OEM2-PROGRAM")));

    EXPECT_EQ(SingleInstance(runtime.path()).Acquire(), Result::Acquired);
}

}  // namespace
}  // namespace rpanel

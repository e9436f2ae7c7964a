#include "window_tour.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

#include "app/about_box_ids.h"
#include "app/desktop_pages.h"
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "core/access_code.h"
#include "core/app_state.h"
#include "core/message_sink.h"
#include "gui/message_boxes.h"
#include "gui/window_text.h"
#include "info/info_pages.h"
#include "info/info_viewer_templates.h"
#include "link/device_session.h"
#include "link/selected/selected_platform.h"
#include "panel/panel_page.h"
#include "panel/panel_page_ids.h"
#include "panel/status_display.h"
#include "service/service_mode_page_ids.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

// The viewer's pages in tab order.
constexpr std::array<const char*, kInfoPageCount> kViewerPageNames = {
    "viewer-supplies",        "viewer-coverage", "viewer-counter",    "viewer-paper",
    "viewer-machine-setting", "viewer-firmware", "viewer-adjustment",
};

// Answers every box unseen and notes the ones that say a command failed: the pictures would
// not show the demo printer's data then.
class MessageBoxesAnswered {
public:
    MessageBoxesAnswered() {
        // The one box with a choice is the Retry/Cancel of a printer that does not open:
        // retrying would never end.
        SetMessageBoxAnswerer([this](int stringId, QMessageBox::StandardButtons buttons,
                                     const std::string&) {
            if (stringId == msg::kSendFailed || stringId == msg::kOpenFailed) {
                failures_ << stringId;
            }
            return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
        });
    }
    ~MessageBoxesAnswered() { SetMessageBoxAnswerer({}); }
    MessageBoxesAnswered(const MessageBoxesAnswered&) = delete;
    MessageBoxesAnswered& operator=(const MessageBoxesAnswered&) = delete;

    const QList<int>& Failures() const { return failures_; }

private:
    QList<int> failures_;
};

// Lets pending layout and paint requests through, so a window is seen as the user sees it.
void Settle() {
    QCoreApplication::processEvents();
}

void Click(const QWidget& dialog, int buttonId) {
    ControlById<QPushButton>(dialog, buttonId)->click();
}

// open ends in a modal window's exec(); act runs inside that exec() once the window is up and
// must close it. False when no modal window came up.
bool WithModal(const std::function<void()>& open, const std::function<void(QWidget&)>& act) {
    constexpr int kPollMilliseconds = 10;
    constexpr int kGiveUpPolls = 500;
    bool acted = false;
    int polls = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            acted = true;
            Settle();
            act(*modal);
        } else if (++polls == kGiveUpPolls) {
            poll.stop();
        }
    });
    poll.start(kPollMilliseconds);
    open();
    poll.stop();
    return acted;
}

void ShowTab(QTabWidget& tabs, int index) {
    tabs.setCurrentIndex(index);
    Settle();
}

}  // namespace

bool TourWindows(const WindowVisitor& visit, QString* error) {
    std::string platformError;
    const auto platform = SelectedPlatform::Select(/*demo=*/true, std::nullopt, &platformError);
    if (!platform) {
        *error = QString::fromStdString(platformError);
        return false;
    }
    const DeviceSession session(platform->Platform());
    const MessageBoxesAnswered answered;

    AppState state;
    MainWindow window(state, DesktopPages());
    window.OpenPanel();
    if (!window.isVisible()) {
        *error = QStringLiteral("the demo printer did not open");
        return false;
    }
    QTabWidget& tabs = window.Tabs();

    // The display at its second tick: the demo printer's second status, on two lines.
    auto* panel = qobject_cast<PanelPage*>(tabs.widget(0));
    if (panel == nullptr) {
        *error = QStringLiteral("the first page is not the Panel page");
        return false;
    }
    Click(*panel, panel_page::kStatusButton);
    panel->Display().ShowNextStatus();
    panel->Display().ShowNextStatus();
    ShowTab(tabs, 0);
    visit(QLatin1String(kPanelWindowName), window);

    ShowTab(tabs, 1);
    Click(*tabs.widget(1), user_service::kDownloadButton);
    Settle();
    visit(QStringLiteral("main-user-service"), window);

    ControlById<QLineEdit>(window, main_window::kAccessCodeBox)
        ->setText(QLatin1String(kServiceModeAccessCode));
    if (tabs.count() != 3) {
        *error = QStringLiteral("the access code did not add the Service Mode page");
        return false;
    }
    ShowTab(tabs, 2);
    Click(*tabs.widget(2), service_mode::kDownloadButton);
    Settle();
    visit(QStringLiteral("main-service-mode"), window);
    ShowTab(tabs, 0);

    const bool aboutShown = WithModal([&] { Click(window, main_window::kAboutButton); },
                                      [&](QWidget& about) {
                                          visit(QStringLiteral("about"), about);
                                          Click(about, about_box::kCloseButton);
                                      });
    if (!aboutShown) {
        *error = QStringLiteral("the About box did not come up");
        return false;
    }

    const bool viewerShown =
        WithModal([&] { Click(*panel, panel_page::kConfigurationPageButton); },
                  [&](QWidget& viewer) {
                      auto& viewerTabs = *ControlById<QTabWidget>(viewer, info_viewer::kTabControl);
                      for (std::size_t index = 0; index < kViewerPageNames.size(); ++index) {
                          ShowTab(viewerTabs, static_cast<int>(index));
                          visit(QLatin1String(kViewerPageNames[index]), viewer);
                      }
                      Click(viewer, info_viewer::kCloseButton);
                  });
    if (!viewerShown) {
        *error = QStringLiteral("the information viewer did not come up");
        return false;
    }
    window.reject();
    if (!answered.Failures().isEmpty()) {
        *error = QStringLiteral("the demo printer failed a command (message %1)")
                     .arg(answered.Failures().front());
        return false;
    }
    return true;
}

}  // namespace rpanel

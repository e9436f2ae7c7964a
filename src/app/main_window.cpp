#include "app/main_window.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/about_box.h"
#include "app/dialog_templates.h"
#include "app/main_window_ids.h"
#include "core/access_code.h"
#include "core/string_ids.h"
#include "gui/center_on_screen.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/request_ops.h"

namespace rpanel {
namespace {

// The invisible access-code box takes at most this many characters.
constexpr int kAccessCodeMaxLength = 13;

}  // namespace

MainWindow::MainWindow(AppState& state, PageFactory pages)
    : state_(state), pages_(std::move(pages)) {
    BuildDialog(kMainWindowTemplate, *this);
    // The program's own window, in task bars and window switchers: a dialog without an owner
    // is made transient for a hidden window on X11, and task bars leave such windows out.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
    SetTitleById(*this, text::kMainWindowTitle);
    tabs_ = ControlById<QTabWidget>(*this, main_window::kTabControl);

    accessCode_ = ControlById<QLineEdit>(*this, main_window::kAccessCodeBox);
    accessCode_->setMaxLength(kAccessCodeMaxLength);
    accessCode_->installEventFilter(this);
    connect(accessCode_, &QLineEdit::textChanged, this, &MainWindow::CheckAccessCode);

    connect(ControlById<QPushButton>(*this, main_window::kCloseButton), &QPushButton::clicked, this,
            &MainWindow::reject);
    connect(ControlById<QPushButton>(*this, main_window::kAboutButton), &QPushButton::clicked, this,
            &MainWindow::ShowAbout);
}

void MainWindow::OpenPanel() {
    // The boxes below wait for the user in a nested event loop, where the tray can ask for
    // the panel again; that request is the one already being served.
    if (state_.panelOpen == 1 || opening_) {
        return;
    }
    opening_ = true;
    bool opened = false;
    {
        // One frame of the link from the opening to the variant: a printer that has gone silent
        // costs one timeout here, and a status round waits until the variant is read.
        const LinkFrame frame(CurrentSession(), FrameKind::Command);
        opened = OpenPrinterOrGiveUp();
        if (opened) {
            ReadMachineVariant(messages_, state_);
        }
    }
    if (opened) {
        show();
        activateWindow();
        if (!pagesCreated_) {
            CreatePages();
        }
        // Centred once the pages have given the window its final size.
        CenterOnScreen(*this);
        state_.panelOpen = 1;
    }
    opening_ = false;
}

bool MainWindow::OpenPrinterOrGiveUp() {
    SetPrinterIds();
    while (OpenPrinterLink() == 0) {
        if (ShowTextBox(this, msg::kOpenFailed, QMessageBox::Retry | QMessageBox::Cancel,
                        OpenFailureReason()) != QMessageBox::Retry) {
            return false;
        }
    }
    return true;
}

void MainWindow::reject() {
    QDialog::reject();
    state_.panelOpen = 0;
    emit closed();
}

void MainWindow::CreatePages() {
    AddPage(templates::kPanelPage, text::kPanelCaption, 0);
    AddPage(templates::kUserServicePage, text::kUserServiceCaption, 1);
    tabs_->setCurrentIndex(0);
    pagesCreated_ = true;
}

QWidget* MainWindow::AddPage(int templateId, int captionId, int index) {
    const DialogTemplate& pageTemplate = *FindDialogTemplate(templateId);
    QWidget* page = AddTabPage(*tabs_, pages_, pageTemplate, captionId, index, state_);
    if (page != nullptr) {
        // The pages are laid out in a larger type than the window itself: rather than cut a
        // page off, the window grows around it.
        FitControls(*page);
        MakeRoomForTabs(*this, *tabs_);
    }
    return page;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Whatever the access-code box held is gone as soon as it gets the focus again.
    if (watched == accessCode_ && event->type() == QEvent::FocusIn) {
        accessCode_->clear();
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::CheckAccessCode() {
    if (state_.serviceModeAdded != 0 ||
        accessCode_->text() != QLatin1String(kServiceModeAccessCode)) {
        return;
    }
    // Added at the right end of the tabs; the page on display stays.
    if (AddPage(templates::kServiceModePage, text::kServiceModeCaption, tabs_->count()) !=
        nullptr) {
        state_.serviceModeAdded = 1;
    }
}

void MainWindow::ShowAbout() {
    AboutBox about(this);
    about.exec();
}

}  // namespace rpanel

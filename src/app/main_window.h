// The main window: the tab pages Panel and User Service (and Service Mode once the access code
// has been typed), "About" and "Close". It is hidden until the panel is opened, and closing it
// only hides it again: the program lives on in the notification area.
#pragma once

#include <QDialog>

#include "core/app_state.h"
#include "gui/message_boxes.h"
#include "gui/tab_pages.h"

class QLineEdit;
class QTabWidget;

namespace rpanel {

class MainWindow final : public QDialog {
    Q_OBJECT

public:
    // state must outlive the window; pages makes the content of each page.
    MainWindow(AppState& state, PageFactory pages);

    // Opens the printer (as often as the user retries), reads its machine variant and shows the
    // window; the first time, it creates the Panel and User Service pages. Does nothing while
    // the window is shown or while an earlier call is still waiting for the user. The printer
    // link stays open for the next command to re-open.
    void OpenPanel();

    QTabWidget& Tabs() const { return *tabs_; }

    // Close, Escape and the close box: hide the window.
    void reject() override;

signals:
    // The user has hidden the window.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OpenPrinterOrGiveUp();
    void CreatePages();
    QWidget* AddPage(int templateId, int captionId, int index);
    void CheckAccessCode();
    void ShowAbout();

    AppState& state_;
    PageFactory pages_;
    WindowMessages messages_{this};
    QTabWidget* tabs_ = nullptr;
    QLineEdit* accessCode_ = nullptr;
    bool pagesCreated_ = false;
    bool opening_ = false;
};

}  // namespace rpanel

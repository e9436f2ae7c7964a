// The Panel page, the main window's first tab: the status display with its "Status" button,
// the toner commands, the printer's defaults, calibration, and the button that opens the
// machine information viewer. Every button opens the printer for itself, reports in a box
// owned by the page and closes the printer again.
#pragma once

#include <QWidget>
#include <functional>

#include "core/app_state.h"
#include "gui/message_boxes.h"
#include "panel/panel_commands.h"

namespace rpanel {

class StatusDisplay;

class PanelPage final : public QWidget {
    Q_OBJECT

public:
    // Shows the modal information viewer over owner and returns when it has closed.
    using InfoViewerRunner = std::function<void(QWidget* owner, AppState& state)>;

    // state must outlive the page. The controls start from the fixed defaults; the page never
    // reads what the printer holds.
    PanelPage(AppState& state, QWidget* parent);

    StatusDisplay& Display() { return *display_; }
    // The viewer that "Display Configuration Page" runs; the information viewer window unless
    // a test puts a stand-in here.
    void SetInfoViewerRunner(InfoViewerRunner runner) { runInfoViewer_ = std::move(runner); }

private:
    void SetInitialState();
    void ConnectButton(int id, void (PanelPage::*handler)());

    void ReadStatus();
    void DisplayConfigurationPage();
    void RotateToner();
    void CleanUpPrintHead();
    void ApplyDefaults();
    void StartCalibration();

    PanelDefaults ChosenDefaults() const;
    OnOff ChosenSwitch(int onId, int offId) const;

    AppState& state_;
    WindowMessages messages_{this};
    StatusDisplay* display_ = nullptr;
    InfoViewerRunner runInfoViewer_;
};

// The page as the main window's page factory makes it.
QWidget* CreatePanelPage(AppState& state, QWidget* parent);

}  // namespace rpanel

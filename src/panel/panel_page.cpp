#include "panel/panel_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "info/info_viewer_dialog.h"
#include "info/info_viewer_sequence.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "panel/panel_page_ids.h"
#include "panel/panel_page_template.h"
#include "panel/status_display.h"
#include "panel/status_read.h"

namespace rpanel {

using namespace panel_page;

PanelPage::PanelPage(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), runInfoViewer_(RunInfoViewerDialog) {
    BuildDialog(kPanelPageTemplate, *this);
    display_ = new StatusDisplay(*this, *ControlById<QGroupBox>(*this, kRemotePanelBox), state_);
    SetInitialState();

    ConnectButton(kStatusButton, &PanelPage::ReadStatus);
    ConnectButton(kConfigurationPageButton, &PanelPage::DisplayConfigurationPage);
    ConnectButton(kRotateTonerButton, &PanelPage::RotateToner);
    ConnectButton(kCleanUpButton, &PanelPage::CleanUpPrintHead);
    ConnectButton(kApplyButton, &PanelPage::ApplyDefaults);
    ConnectButton(kCalibrationStartButton, &PanelPage::StartCalibration);
}

void PanelPage::SetInitialState() {
    const PanelDefaults initial = InitialPanelDefaults();
    for (const int id :
         {*initial.tonerLowMessage ? kTonerLowMessageOn : kTonerLowMessageOff,
          *initial.tonerOutStop ? kTonerOutStopOn : kTonerOutStopOff,
          *initial.autoContinue ? kAutoContinueOn : kAutoContinueOff, kChangeTonerRadio}) {
        ControlById<QRadioButton>(*this, id)->setChecked(true);
    }
    auto* energySave = ControlById<QComboBox>(*this, kEnergySaveList);
    for (const ChoiceEntry& choice : EnergySaveChoices()) {
        if (IsListEnd(choice)) {
            break;
        }
        energySave->addItem(QString::fromLatin1(choice.text), choice.value);
    }
    energySave->setCurrentIndex(static_cast<int>(kInitialEnergySaveEntry));
}

void PanelPage::ConnectButton(int id, void (PanelPage::*handler)()) {
    connect(ControlById<QPushButton>(*this, id), &QPushButton::clicked, this, handler);
}

void PanelPage::ReadStatus() {
    RunPrinterCommand(messages_, [this] { ReadPanelStatus(messages_, state_, display_); });
}

void PanelPage::DisplayConfigurationPage() {
    OpenInfoViewer(messages_, state_, [this](AppState& state) { runInfoViewer_(this, state); });
}

void PanelPage::RotateToner() {
    const bool eject = ControlById<QRadioButton>(*this, kEjectAllTonerRadio)->isChecked();
    RunPrinterCommand(messages_, [this, eject] {
        rpanel::RotateToner(messages_,
                            eject ? TonerRotation::EjectAllToner : TonerRotation::ChangeToner);
    });
}

void PanelPage::CleanUpPrintHead() {
    RunPrinterCommand(messages_, [this] { RunCommand(Request::PhCleanUp, messages_); });
}

void PanelPage::ApplyDefaults() {
    const PanelDefaults defaults = ChosenDefaults();
    RunPrinterCommand(messages_, [this, &defaults] { ApplyPanelDefaults(messages_, defaults); });
}

void PanelPage::StartCalibration() {
    RunPrinterCommand(messages_, [this] { RunCommand(Request::StartCalibration, messages_); });
}

PanelDefaults PanelPage::ChosenDefaults() const {
    return {
        .tonerLowMessage = ChosenSwitch(kTonerLowMessageOn, kTonerLowMessageOff),
        .tonerOutStop = ChosenSwitch(kTonerOutStopOn, kTonerOutStopOff),
        .energySaveMinutes = ControlById<QComboBox>(*this, kEnergySaveList)->currentData().toInt(),
        .autoContinue = ChosenSwitch(kAutoContinueOn, kAutoContinueOff),
    };
}

OnOff PanelPage::ChosenSwitch(int onId, int offId) const {
    if (ControlById<QRadioButton>(*this, onId)->isChecked()) {
        return true;
    }
    if (ControlById<QRadioButton>(*this, offId)->isChecked()) {
        return false;
    }
    return std::nullopt;
}

QWidget* CreatePanelPage(AppState& state, QWidget* parent) {
    return new PanelPage(state, parent);
}

}  // namespace rpanel

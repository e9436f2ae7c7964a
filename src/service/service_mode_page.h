// The Service Mode page (tab 2, once unlocked): the two warnings and three temperatures with
// "Download" and "Upload", the maintenance counters and the reports of replaced parts.
#pragma once

#include <QWidget>

#include "core/app_state.h"
#include "gui/message_boxes.h"

namespace rpanel {

class ServiceModePage final : public QWidget {
public:
    ServiceModePage(AppState& state, QWidget* parent);

private:
    void ConnectSettings();
    void ConnectButtons();

    AppState& state_;
    WindowMessages messages_{this};
};

// For the main window's page factory.
QWidget* CreateServiceModePage(AppState& state, QWidget* parent);

}  // namespace rpanel

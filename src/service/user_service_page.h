// The User Service page (tab 1): the adjustments and service choices with "Download" and
// "Upload", the two test patterns and the image refresh.
#pragma once

#include <QWidget>

#include "core/app_state.h"
#include "gui/message_boxes.h"

namespace rpanel {

class UserServicePage final : public QWidget {
public:
    UserServicePage(AppState& state, QWidget* parent);

private:
    void ConnectTrackbars();
    void ConnectLists();
    void ConnectButtons();

    AppState& state_;
    WindowMessages messages_{this};
};

// For the main window's page factory.
QWidget* CreateUserServicePage(AppState& state, QWidget* parent);

}  // namespace rpanel

// The save dialog of the viewer's "Save": where the INI file goes.
#pragma once

#include <string>
#include <string_view>

#include "core/app_state.h"

class QWidget;

namespace rpanel {

// "INI FILE(*.INI)": the one filter the save dialog offers.
inline constexpr std::string_view kIniFilter = "INI FILE(*.INI)";

// Runs the platform's save dialog over owner, suggesting the serial number with the extension
// as file name. A name typed without extension gets it; choosing an existing file asks first
// whether to replace it. Answers the chosen path, or an empty one when the user cancelled.
std::string AskIniFileName(QWidget& owner, const AppState& state, std::string_view filter,
                           std::string_view extension);

}  // namespace rpanel

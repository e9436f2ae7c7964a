// The User Service page's template (tab 1 of the main window).
#pragma once

#include "gui/dialog_template.h"

namespace rpanel {

namespace templates {
inline constexpr int kUserServicePage = 111;
}  // namespace templates

extern const DialogTemplate kUserServicePageTemplate;

}  // namespace rpanel

// The Panel page's template (tab 0 of the main window).
#pragma once

#include "gui/dialog_template.h"

namespace rpanel {

namespace templates {
inline constexpr int kPanelPage = 102;
}  // namespace templates

extern const DialogTemplate kPanelPageTemplate;

}  // namespace rpanel

// The Service Mode page's template (the third tab, once the access code has been typed).
#pragma once

#include "gui/dialog_template.h"

namespace rpanel {

namespace templates {
inline constexpr int kServiceModePage = 112;
}  // namespace templates

extern const DialogTemplate kServiceModePageTemplate;

}  // namespace rpanel

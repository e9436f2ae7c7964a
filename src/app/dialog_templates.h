// Every window template of the program, found by id: the shell's own (main window, About box)
// and the pages' and the viewer's, which live beside their windows.
#pragma once

#include "gui/dialog_template.h"
#include "info/info_viewer_templates.h"
#include "panel/panel_page_template.h"
#include "service/service_mode_page_template.h"
#include "service/user_service_page_template.h"

namespace rpanel {

namespace templates {
inline constexpr int kMainWindow = 110;
inline constexpr int kAboutBox = 117;
}  // namespace templates

extern const DialogTemplate kMainWindowTemplate;
extern const DialogTemplate kAboutBoxTemplate;

// Null for an id that has no template.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace rpanel

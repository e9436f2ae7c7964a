#include "app/dialog_templates.h"

#include <array>

namespace rpanel {

const DialogTemplate* FindDialogTemplate(int templateId) {
    // The information viewer's window (105) and pages (106-109, 113-115) join this list
    // with the viewer.
    static const std::array kTemplates = {
        &kPanelPageTemplate,       &kMainWindowTemplate, &kUserServicePageTemplate,
        &kServiceModePageTemplate, &kAboutBoxTemplate,
    };
    for (const DialogTemplate* dialogTemplate : kTemplates) {
        if (dialogTemplate->id == templateId) {
            return dialogTemplate;
        }
    }
    return nullptr;
}

}  // namespace rpanel

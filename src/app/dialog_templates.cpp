#include "app/dialog_templates.h"

#include <array>

namespace rpanel {

const DialogTemplate* FindDialogTemplate(int templateId) {
    static const std::array kTemplates = {
        &kPanelPageTemplate,       &kMainWindowTemplate,         &kUserServicePageTemplate,
        &kServiceModePageTemplate, &kAboutBoxTemplate,           &kInfoViewerTemplate,
        &kSuppliesPageTemplate,    &kCoveragePageTemplate,       &kCounterPageTemplate,
        &kPaperPageTemplate,       &kMachineSettingPageTemplate, &kFirmwarePageTemplate,
        &kAdjustmentPageTemplate,
    };
    for (const DialogTemplate* dialogTemplate : kTemplates) {
        if (dialogTemplate->id == templateId) {
            return dialogTemplate;
        }
    }
    return nullptr;
}

}  // namespace rpanel

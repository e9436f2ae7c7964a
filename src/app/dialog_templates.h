// The program's window templates, one file each (*_template.cpp), found by id.
#pragma once

#include "app/dialog_template.h"

namespace rpanel {

namespace templates {
inline constexpr int kPanelPage = 102;
inline constexpr int kMainWindow = 110;
inline constexpr int kUserServicePage = 111;
inline constexpr int kServiceModePage = 112;
inline constexpr int kAboutBox = 117;
}  // namespace templates

extern const DialogTemplate kPanelPageTemplate;
extern const DialogTemplate kMainWindowTemplate;
extern const DialogTemplate kUserServicePageTemplate;
extern const DialogTemplate kServiceModePageTemplate;
extern const DialogTemplate kAboutBoxTemplate;

// Null for an id that has no template.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace rpanel

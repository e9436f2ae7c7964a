// The main window: the tab control with the pages, "About" and "Close" beneath it, and the
// invisible access-code box that the hidden "&admin" label's mnemonic (Alt+A) focuses.
#include "app/dialog_templates.h"
#include "app/main_window_ids.h"

namespace rpanel {
namespace {

constexpr ControlTemplate kControls[] = {
    {.id = main_window::kTabControl, .kind = ControlKind::TabControl, .rect = {4, 4, 342, 236}},
    {.id = main_window::kAboutButton,
     .kind = ControlKind::PushButton,
     .rect = {240, 246, 50, 14},
     .caption = StringCaption(327)},
    {.id = main_window::kCloseButton,
     .kind = ControlKind::PushButton,
     .rect = {296, 246, 50, 14},
     .caption = StringCaption(32)},
    // The label must stand directly before the box: its mnemonic focuses the next control.
    {.id = main_window::kAccessCodeLabel,
     .kind = ControlKind::Label,
     .rect = {0, 0, 0, 0},
     .caption = FixedCaption("&admin")},
    {.id = main_window::kAccessCodeBox, .kind = ControlKind::Edit, .rect = {0, 0, 0, 0}},
};

}  // namespace

const DialogTemplate kMainWindowTemplate = {
    .id = templates::kMainWindow,
    .width = 350,
    .height = 265,
    .fontPointSize = 8,
    .style = DialogStyle::TitledWindow,
    .controls = kControls,
};

}  // namespace rpanel

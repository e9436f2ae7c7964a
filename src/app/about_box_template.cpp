// The About box: the program's name and version over a "Close" button, without a title bar.
#include "app/about_box_ids.h"
#include "app/dialog_templates.h"

namespace rpanel {
namespace {

constexpr ControlTemplate kControls[] = {
    {.id = about_box::kProgramName,
     .kind = ControlKind::Label,
     .rect = {12, 10, 136, 10},
     .caption = StringCaption(1258)},
    {.id = about_box::kVersion,
     .kind = ControlKind::Label,
     .rect = {12, 24, 136, 10},
     .caption = FixedCaption("V1.08")},
    {.id = about_box::kCloseButton,
     .kind = ControlKind::PushButton,
     .rect = {55, 44, 50, 14},
     .caption = StringCaption(32)},
};

}  // namespace

const DialogTemplate kAboutBoxTemplate = {
    .id = templates::kAboutBox,
    .width = 160,
    .height = 66,
    .fontPointSize = 8,
    .style = DialogStyle::UntitledWindow,
    .controls = kControls,
};

}  // namespace rpanel

// The Service Mode page (tab 2, once unlocked), 340 × 260 dialog units in 9-point type. Its
// controls come with the page.
#include "app/dialog_templates.h"

namespace rpanel {

const DialogTemplate kServiceModePageTemplate = {
    .id = templates::kServiceModePage,
    .width = 340,
    .height = 260,
    .fontPointSize = 9,
    .style = DialogStyle::Child,
    .controls = {},
};

}  // namespace rpanel

// The Panel page (tab 0), 340 × 260 dialog units in 9-point type. Its controls come with the page.
#include "app/dialog_templates.h"

namespace rpanel {

const DialogTemplate kPanelPageTemplate = {
    .id = templates::kPanelPage,
    .width = 340,
    .height = 260,
    .fontPointSize = 9,
    .style = DialogStyle::Child,
    .controls = {},
};

}  // namespace rpanel

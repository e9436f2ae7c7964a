#include "app/desktop_pages.h"

#include "app/dialog_templates.h"
#include "panel/panel_page.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"

namespace rpanel {

PageFactory DesktopPages() {
    PageFactory pages;
    // Each page registers its creator here by template id, for example
    //   pages.Register(templates::kPanelPage, CreatePanelPage);
    // Until then a page shows its template alone.
    pages.Register(templates::kPanelPage, CreatePanelPage);
    pages.Register(templates::kUserServicePage, CreateUserServicePage);
    pages.Register(templates::kServiceModePage, CreateServiceModePage);
    return pages;
}

}  // namespace rpanel

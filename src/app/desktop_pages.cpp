#include "app/desktop_pages.h"

namespace rpanel {

PageFactory DesktopPages() {
    PageFactory pages;
    // Each page registers its creator here by template id, for example
    //   pages.Register(templates::kPanelPage, CreatePanelPage);
    // Until then a page shows its template alone.
    return pages;
}

}  // namespace rpanel

// The content of the main window's pages in the program.
#pragma once

#include "gui/tab_pages.h"

namespace rpanel {

PageFactory DesktopPages();

}  // namespace rpanel

// The program's icon (resource 103): a colour printer, for the notification area and the
// windows.
#pragma once

#include <QIcon>

namespace rpanel {

QIcon ProgramIcon();

}  // namespace rpanel

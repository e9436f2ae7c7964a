// The code that unlocks the Service Mode page, typed blind into the main window or given to
// rpanelctl with --access-code. It is compared exactly, letter case and length included.
#pragma once

namespace rpanel {

inline constexpr char kServiceModeAccessCode[] = "fieldengineer";

}  // namespace rpanel

// Control ids of the main window (template 110).
#pragma once

namespace rpanel::main_window {

inline constexpr int kAccessCodeBox = 1015;
inline constexpr int kCloseButton = 1023;
inline constexpr int kTabControl = 1024;
inline constexpr int kAboutButton = 1025;
inline constexpr int kAccessCodeLabel = 1195;

}  // namespace rpanel::main_window

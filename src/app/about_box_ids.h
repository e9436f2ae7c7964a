// Control ids of the About box (template 117).
#pragma once

namespace rpanel::about_box {

inline constexpr int kCloseButton = 1023;
inline constexpr int kProgramName = 1196;
inline constexpr int kVersion = 1197;

}  // namespace rpanel::about_box

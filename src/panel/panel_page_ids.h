// The controls of the Panel page by id, as its template names them.
#pragma once

namespace rpanel::panel_page {

inline constexpr int kStatusButton = 1001;
inline constexpr int kConfigurationPageButton = 1003;
inline constexpr int kRotateTonerButton = 1004;
inline constexpr int kChangeTonerRadio = 1007;
inline constexpr int kEjectAllTonerRadio = 1008;
inline constexpr int kApplyButton = 1010;
inline constexpr int kTonerLowMessageLabel = 1026;
inline constexpr int kTonerLowMessageOn = 1024;
inline constexpr int kTonerLowMessageOff = 1025;
inline constexpr int kTonerOutStopLabel = 1011;
inline constexpr int kTonerOutStopOn = 1012;
inline constexpr int kTonerOutStopOff = 1013;
inline constexpr int kEnergySaveLabel = 1014;
inline constexpr int kAutoContinueLabel = 1017;
inline constexpr int kAutoContinueOn = 1018;
inline constexpr int kAutoContinueOff = 1019;
inline constexpr int kCalibrationStartButton = 1021;
inline constexpr int kRemotePanelBox = 1000;  // frames the status display
inline constexpr int kSetDefaultBox = 1009;
inline constexpr int kCalibrationBox = 1020;
inline constexpr int kEnergySaveList = 1077;
inline constexpr int kCalibrationNote = 1203;
inline constexpr int kCleanUpButton = 1204;
inline constexpr int kCleanUpNote = 1252;

}  // namespace rpanel::panel_page

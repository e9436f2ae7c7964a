// Control ids of the Service Mode page (template 112).
#pragma once

namespace rpanel::service_mode {

inline constexpr int kTonerLowBox = 1071;
inline constexpr int kPuLowBox = 1072;

inline constexpr int kPlainTemperatureList = 1077;
inline constexpr int kThickTemperatureList = 1078;
inline constexpr int kEnvelopeTemperatureList = 1079;

// The texts that show the maintenance counters.
inline constexpr int kJamCounterText = 1081;
inline constexpr int kTroubleCounterText = 1086;
inline constexpr int kTransferBeltCounterText = 1109;
inline constexpr int kDrumUnitCounterText = 1115;
inline constexpr int kTransferRollerCounterText = 1159;
inline constexpr int kFuserUnitCounterText = 1160;

inline constexpr int kDownloadButton = 1084;
inline constexpr int kUploadButton = 1085;
inline constexpr int kFuserUnitButton = 1192;
inline constexpr int kTransferRollerButton = 1193;

}  // namespace rpanel::service_mode

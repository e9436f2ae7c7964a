// Control ids of the User Service page (template 111).
#pragma once

namespace rpanel::user_service {

// Trackbars and the labels beside them that show their values.
inline constexpr int kTopPlainTrackbar = 1037;
inline constexpr int kTopPlainValue = 1038;
inline constexpr int kTopThickTrackbar = 1039;
inline constexpr int kTopThickValue = 1040;
inline constexpr int kTopEnvelopeTrackbar = 1041;
inline constexpr int kTopEnvelopeValue = 1042;
inline constexpr int kTransferPlainTrackbar = 1048;
inline constexpr int kTransferPlainValue = 1049;
inline constexpr int kTransferThick1Trackbar = 1051;
inline constexpr int kTransferThick1Value = 1052;
inline constexpr int kTransferThick2Trackbar = 1054;
inline constexpr int kTransferThick2Value = 1055;
inline constexpr int kTransferPostcardTrackbar = 1057;
inline constexpr int kTransferPostcardValue = 1058;
inline constexpr int kTransferEnvelopeTrackbar = 1060;
inline constexpr int kTransferEnvelopeValue = 1061;
inline constexpr int kTransferLabelTrackbar = 1063;
inline constexpr int kTransferLabelValue = 1064;
inline constexpr int kLeftFrontTrackbar = 1067;
inline constexpr int kLeftFrontValue = 1068;

// Drop-down lists, and the label of the energy-save list (hidden with it).
inline constexpr int kImageAdjustList = 1069;
inline constexpr int kGdiTimeoutList = 1070;
inline constexpr int kEnergySaveLabel = 1014;
inline constexpr int kEnergySaveList = 1072;
inline constexpr int kFlickerList = 1077;

// Buttons.
inline constexpr int kDownloadButton = 1083;
inline constexpr int kUploadButton = 1084;
inline constexpr int kPattern1Button = 1091;
inline constexpr int kPattern2Button = 1093;
inline constexpr int kImageRefreshButton = 1254;

}  // namespace rpanel::user_service

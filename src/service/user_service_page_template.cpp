// The User Service page (tab 1), 340 × 260 dialog units in 9-point type: the top, transfer
// power and left adjustments as trackbars with their value labels, the service choices as
// drop-down lists, and the command buttons. The value labels show "0" until the page fills
// them.
#include "service/user_service_page_template.h"

#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

using K = ControlKind;
namespace id = user_service;

constexpr Caption kZero = FixedCaption("0");

// clang-format off
constexpr ControlTemplate kControls[] = {
    {1036,                          K::GroupBox,     {12, 5, 140, 75},     StringCaption(123)},  // Top Adjustment
    {1043,                          K::Label,        {20, 18, 110, 8},     StringCaption(124)},  // Plain Paper
    {id::kTopPlainTrackbar,         K::Trackbar,     {15, 28, 100, 10},    {}},
    {id::kTopPlainValue,            K::Label,        {120, 28, 15, 8},     kZero},
    {1044,                          K::Label,        {20, 38, 80, 8},      StringCaption(125)},  // Thick Paper
    {id::kTopThickTrackbar,         K::Trackbar,     {15, 48, 100, 10},    {}},
    {id::kTopThickValue,            K::Label,        {120, 48, 15, 8},     kZero},
    {1045,                          K::Label,        {20, 58, 80, 8},      StringCaption(126)},  // Envelope
    {id::kTopEnvelopeTrackbar,      K::Trackbar,     {15, 68, 100, 10},    {}},
    {id::kTopEnvelopeValue,         K::Label,        {120, 68, 15, 8},     kZero},
    {1046,                          K::GroupBox,     {12, 85, 140, 135},   StringCaption(213)},  // Transfer Power
    {1047,                          K::Label,        {20, 97, 115, 8},     StringCaption(124)},  // Plain Paper
    {id::kTransferPlainTrackbar,    K::Trackbar,     {15, 107, 100, 10},   {}},
    {id::kTransferPlainValue,       K::Label,        {120, 107, 15, 8},    kZero},
    {1050,                          K::Label,        {20, 117, 80, 8},     StringCaption(128)},  // Thick1
    {id::kTransferThick1Trackbar,   K::Trackbar,     {15, 127, 100, 10},   {}},
    {id::kTransferThick1Value,      K::Label,        {120, 127, 15, 8},    kZero},
    {1053,                          K::Label,        {20, 137, 80, 8},     StringCaption(129)},  // Thick2
    {id::kTransferThick2Trackbar,   K::Trackbar,     {15, 147, 100, 10},   {}},
    {id::kTransferThick2Value,      K::Label,        {120, 147, 15, 8},    kZero},
    {1056,                          K::Label,        {20, 157, 80, 8},     StringCaption(130)},  // Postcard
    {id::kTransferPostcardTrackbar, K::Trackbar,     {15, 167, 100, 10},   {}},
    {id::kTransferPostcardValue,    K::Label,        {120, 167, 15, 8},    kZero},
    {1059,                          K::Label,        {20, 177, 80, 8},     StringCaption(126)},  // Envelope
    {id::kTransferEnvelopeTrackbar, K::Trackbar,     {15, 187, 100, 10},   {}},
    {id::kTransferEnvelopeValue,    K::Label,        {120, 187, 15, 8},    kZero},
    {1062,                          K::Label,        {20, 197, 80, 8},     StringCaption(131)},  // Labels
    {id::kTransferLabelTrackbar,    K::Trackbar,     {15, 207, 100, 10},   {}},
    {id::kTransferLabelValue,       K::Label,        {120, 207, 15, 8},    kZero},
    {1065,                          K::GroupBox,     {171, 5, 152, 75},    StringCaption(132)},  // Left Adjustment
    {1066,                          K::Label,        {181, 18, 137, 8},    StringCaption(134)},  // Tray1 (Simplex Side)
    {id::kLeftFrontTrackbar,        K::Trackbar,     {176, 28, 100, 10},   {}},
    {id::kLeftFrontValue,           K::Label,        {281, 28, 15, 8},     kZero},
    {1094,                          K::GroupBox,     {171, 85, 152, 50},   StringCaption(224)},  // Service's Choice
    {1071,                          K::Label,        {175, 98, 95, 8},     StringCaption(219)},  // GDI Timeout
    {id::kGdiTimeoutList,           K::DropDownList, {272, 96, 48, 30},    {}},
    {id::kEnergySaveLabel,          K::Label,        {175, 118, 95, 8},    StringCaption(12)},   // Energy Save
    {id::kEnergySaveList,           K::DropDownList, {272, 116, 48, 30},   {}},
    {1092,                          K::GroupBox,     {171, 140, 152, 45},  {}},
    {1078,                          K::Label,        {175, 150, 95, 8},    StringCaption(221)},  // Flicker
    {id::kFlickerList,              K::DropDownList, {272, 148, 48, 30},   {}},
    {1074,                          K::Label,        {175, 170, 95, 8},    StringCaption(136)},  // Image Adj Param
    {id::kImageAdjustList,          K::DropDownList, {272, 168, 48, 30},   {}},
    {id::kImageRefreshButton,       K::PushButton,   {170, 190, 130, 14},  StringCaption(1255)}, // Image Refresh
    {id::kPattern1Button,           K::PushButton,   {44, 235, 80, 14},    StringCaption(222)},  // Print Pattern 1
    {id::kPattern2Button,           K::PushButton,   {130, 235, 80, 14},   StringCaption(223)},  // Print Pattern 2
    {id::kDownloadButton,           K::PushButton,   {215, 235, 55, 14},   StringCaption(146)},  // Download
    {id::kUploadButton,             K::PushButton,   {275, 235, 55, 14},   StringCaption(147)},  // Upload
};
// clang-format on

}  // namespace

const DialogTemplate kUserServicePageTemplate =
    TabPageTemplate(templates::kUserServicePage, kControls);

}  // namespace rpanel

// The Service Mode page (tab 2, once unlocked), 340 × 260 dialog units in 9-point type: the
// warning boxes, the temperature lists, the supplies-replace buttons and the maintenance
// counters, whose texts stay empty until the first download.
#include "service/service_mode_page_template.h"

#include "service/service_mode_page_ids.h"

namespace rpanel {
namespace {

using K = ControlKind;
namespace id = service_mode;

// clang-format off
constexpr ControlTemplate kControls[] = {
    {1070,                             K::GroupBox,     {10, 7, 318, 45},     StringCaption(137)},  // Enable Warning
    {id::kTonerLowBox,                 K::CheckBox,     {18, 20, 110, 8},     StringCaption(138)},  // Toner Low
    {id::kPuLowBox,                    K::CheckBox,     {18, 35, 110, 8},     StringCaption(139)},  // P/U Low
    {1073,                             K::GroupBox,     {12, 60, 155, 75},    StringCaption(140)},  // Temperature
    {1074,                             K::Label,        {20, 75, 80, 8},      StringCaption(124)},  // Plain Paper
    {id::kPlainTemperatureList,        K::DropDownList, {105, 75, 48, 30},    {}},
    {1075,                             K::Label,        {20, 95, 80, 8},      StringCaption(125)},  // Thick Paper
    {id::kThickTemperatureList,        K::DropDownList, {105, 95, 48, 30},    {}},
    {1076,                             K::Label,        {20, 115, 80, 8},     StringCaption(126)},  // Envelope
    {id::kEnvelopeTemperatureList,     K::DropDownList, {105, 115, 48, 30},   {}},
    {1082,                             K::GroupBox,     {12, 170, 155, 50},   StringCaption(143)},  // Supplies Replace
    {id::kFuserUnitButton,             K::PushButton,   {15, 180, 90, 14},    StringCaption(144)},  // Fuser Unit
    {id::kTransferRollerButton,        K::PushButton,   {15, 200, 90, 14},    StringCaption(145)},  // Transfer Roller
    {1194,                             K::GroupBox,     {188, 60, 140, 160},  {}},
    {1080,                             K::Label,        {207, 70, 111, 8},    StringCaption(226)},  // Jam Counter
    {id::kJamCounterText,              K::Label,        {207, 80, 80, 10},    {}},
    {1083,                             K::Label,        {207, 95, 110, 8},    StringCaption(227)},  // Trouble Counter
    {id::kTroubleCounterText,          K::Label,        {207, 105, 80, 10},   {}},
    {1108,                             K::Label,        {207, 120, 110, 8},   StringCaption(388)},  // Transfer Belt
    {id::kTransferBeltCounterText,     K::Label,        {207, 130, 80, 10},   {}},
    {1158,                             K::Label,        {207, 145, 110, 8},   StringCaption(144)},  // Fuser Unit
    {id::kFuserUnitCounterText,        K::Label,        {207, 155, 80, 10},   {}},
    {1157,                             K::Label,        {207, 170, 110, 8},   StringCaption(145)},  // Transfer Roller
    {id::kTransferRollerCounterText,   K::Label,        {207, 180, 80, 10},   {}},
    {1114,                             K::Label,        {207, 195, 110, 8},   StringCaption(389)},  // Drum Unit
    {id::kDrumUnitCounterText,         K::Label,        {207, 205, 80, 10},   {}},
    {id::kDownloadButton,              K::PushButton,   {215, 235, 55, 14},   StringCaption(146)},  // Download
    {id::kUploadButton,                K::PushButton,   {272, 235, 55, 14},   StringCaption(147)},  // Upload
};
// clang-format on

}  // namespace

const DialogTemplate kServiceModePageTemplate =
    TabPageTemplate(templates::kServiceModePage, kControls);

}  // namespace rpanel

#include "info/info_pages.h"

#include "info/info_blocks.h"

namespace rpanel {
namespace {

// Value controls by rule, their slots named by key.
consteval ValueControl Text(int control, std::string_view key) {
    return {.control = control, .show = Show::Text, .slot = KeySlot(key)};
}
consteval ValueControl Percent(int control, std::string_view key) {
    return {.control = control, .show = Show::Percent, .slot = KeySlot(key)};
}
consteval ValueControl State(int control, std::string_view key) {
    return {.control = control, .show = Show::SupplyState, .slot = KeySlot(key)};
}
consteval ValueControl Remaining(int control, std::string_view key, std::string_view state) {
    return {.control = control,
            .show = Show::SupplyRemaining,
            .slot = KeySlot(key),
            .state = KeySlot(state)};
}
consteval ValueControl Type(int control, std::string_view key, std::string_view state) {
    return {.control = control,
            .show = Show::CartridgeType,
            .slot = KeySlot(key),
            .state = KeySlot(state)};
}
consteval ValueControl OnUnless(int control, std::string_view key, std::string_view off) {
    return {.control = control, .show = Show::OnUnlessOff, .slot = KeySlot(key), .off = off};
}
consteval ValueControl EnergySave(int control, std::string_view key) {
    return {.control = control, .show = Show::EnergySave, .slot = KeySlot(key)};
}
consteval ValueControl Adjust(int control, std::string_view key) {
    return {.control = control, .show = Show::Adjustment, .slot = KeySlot(key)};
}
consteval ValueControl Line(int control, std::uint32_t* AppState::*block, std::size_t size) {
    return {.control = control, .show = Show::ValueLine, .block = block, .blockSize = size};
}

// Supplies Status: the state, remaining and type columns of each supply.
constexpr PageRow kSuppliesRows[] = {
    {{1088, 157}},
    {{1096, 2}},
    {{1097, 158}},
    {{1098, 159}},
    {{1091, 160},
     {State(1099, "CONSUMETCSTATEC"), Remaining(1104, "CONSUMETCREMAINC", "CONSUMETCSTATEC"),
      Type(1109, "CONSUMETCTYPEC", "CONSUMETCSTATEC")}},
    {{1092, 161},
     {State(1100, "CONSUMETCSTATEM"), Remaining(1105, "CONSUMETCREMAINM", "CONSUMETCSTATEM"),
      Type(1110, "CONSUMETCTYPEM", "CONSUMETCSTATEM")}},
    {{1093, 162},
     {State(1101, "CONSUMETCSTATEY"), Remaining(1106, "CONSUMETCREMAINY", "CONSUMETCSTATEY"),
      Type(1111, "CONSUMETCTYPEY", "CONSUMETCSTATEY")}},
    {{1094, 163},
     {State(1102, "CONSUMETCSTATEK"), Remaining(1107, "CONSUMETCREMAINK", "CONSUMETCSTATEK"),
      Type(1112, "CONSUMETCTYPEK", "CONSUMETCSTATEK")}},
    {{1095, 164},
     {State(1103, "CONSUMEICSTATE"), Remaining(1108, "CONSUMEICREMAIN", "CONSUMEICSTATE")}},
};

constexpr PageRow kCoverageRows[] = {
    {{1089, 171}},
    {{1251, 1205}},
    {{1090, 170}},
    {{1091, 172}, {Text(1094, "COVERAGETOTALCOLOR")}},
    {{1092, 173}, {Text(1095, "COVERAGETOTALMONO")}},
    {{1093, 174}, {Text(1096, "COVERAGETOTAL")}},
    {{1097, 175}},
    {{1098, 176}, {Text(1100, "COVERAGECOLOR")}},
    {{1099, 177}, {Text(1101, "COVERAGEMONO")}},
    {{1107, 178}},
    {{1103, 180}, {Percent(1105, "COVERAGEAVERAGEC")}},
    {{1104, 181}, {Percent(1106, "COVERAGEAVERAGEM")}},
    {{1109, 182}, {Percent(1111, "COVERAGEAVERAGEY")}},
    {{1110, 183}, {Percent(1112, "COVERAGEAVERAGEK")}},
    // The last job repeats the labels of the current cartridge.
    {{1108, 179}},
    {{1113, 180}, {Percent(1115, "COVERAGELASTC")}},
    {{1114, 181}, {Percent(1116, "COVERAGELASTM")}},
    {{1117, 182}, {Percent(1119, "COVERAGELASTY")}},
    {{1118, 183}, {Percent(1120, "COVERAGELASTK")}},
};

// The two value lines have no label on the page.
constexpr PageRow kCounterRows[] = {
    {{1113, 184}},
    {{1114, 185}, {Text(1115, "COUNTTOTAL")}},
    {{1116, 186}, {Text(1117, "COUNTCOLORPRINT")}},
    {{1190, 187}, {Text(1118, "COUNTMONOPRINT")}},
    {{1119, 188}},
    {{1120, 133}, {Text(1122, "COUNTTRAY1")}},
    {{}, {Line(1121, &AppState::infoValues1, kInfoValues1Count)}},
    {{}, {Line(1123, &AppState::infoValues2, kInfoValues2Count)}},
};

constexpr PageRow kPaperRows[] = {
    {{1124, 189}},
    {{1125, 190}},
    {{1127, 191}, {Text(1129, "COUNTSIZEA4")}},
    {{1128, 192}, {Text(1130, "COUNTSIZEB5")}},
    {{1131, 193}, {Text(1133, "COUNTSIZEA5")}},
    {{1132, 194}, {Text(1134, "COUNTSIZELEGAL")}},
    {{1135, 195}, {Text(1137, "COUNTSIZELETTER")}},
    {{1136, 196}, {Text(1138, "COUNTSIZEOTHERS")}},
    {{1126, 197}},
    {{1139, 124}, {Text(1141, "COUNTMEDIAPLAIN")}},
    {{1143, 128}, {Text(1145, "COUNTMEDIATHICK")}},
    {{1144, 129}, {Text(1146, "COUNTMEDIATHICK2")}},
    {{1147, 126}, {Text(1149, "COUNTMEDIAENVELOPE")}},
    {{1148, 198}, {Text(1150, "COUNTMEDIALETTERHEAD")}},
    {{1151, 130}, {Text(1153, "COUNTMEDIAPOSTCARD")}},
    {{1152, 131}, {Text(1154, "COUNTMEDIALABELS")}},
};

// Auto continue and toner-out stop are off only for "OFF" in capitals; the toner-low message
// only for "0".
constexpr PageRow kMachineSettingRows[] = {
    {{1139, 199}},
    {{1140, 200}, {Text(1144, "MACHINESERIAL")}},
    {{1141, 201}, {EnergySave(1145, "MACHINEENERGYSAVE")}},
    {{1017, 14}, {OnUnless(1147, "MACHINEAUTOCONTO", "OFF")}},
    {{1143, 9}, {OnUnless(1148, "MACHINETONEREMPTY", "OFF")}},
    {{1146, 118}, {OnUnless(1149, "TONERLOWMSG", "0")}},
};

constexpr PageRow kFirmwareRows[] = {
    {{1149, 203}},
    {{1150, 204}, {Text(1153, "MACHINEVERSIONENGINE")}},
    {{1151, 205}, {Text(1154, "MACHINEVERSIONBOOT")}},
    {{1152, 206}, {Text(1155, "MACHINEVERSIONFW")}},
};

// ADJLEFTBACK and ADJTRANSPLAINBACK are not shown; the User Service page edits them.
constexpr PageRow kAdjustmentRows[] = {
    {{1161, 208}},
    {{1162, 123}},
    {{1164, 124}, {Adjust(1165, "ADJTOPPLAIN")}},
    {{1166, 125}, {Adjust(1167, "ADJTOPTHICK")}},
    {{1168, 126}, {Adjust(1169, "ADJTOPENVELOPE")}},
    {{1170, 209}},
    {{1171, 134}, {Adjust(1172, "ADJLEFTFRONT")}},
    {{1175, 136}, {Text(1176, "ADJIMAGE")}},
    {{1163, 213}},
    {{1178, 124}, {Adjust(1179, "ADJTRANSPLAINFRONT")}},
    {{1180, 128}, {Adjust(1181, "ADJTRANSTHICK1")}},
    {{1182, 129}, {Adjust(1183, "ADJTRANSTHICK2")}},
    {{1185, 130}, {Adjust(1184, "ADJTRANSPOSTCARD")}},
    {{1186, 126}, {Adjust(1187, "ADJTRANSENVELOPE")}},
    {{1189, 131}, {Adjust(1188, "ADJTRANSLABEL")}},
};

constexpr std::array<InfoPageTable, kInfoPageCount> kPages = {{
    {InfoPage::Supplies, 149, kSuppliesRows},
    {InfoPage::Coverage, 150, kCoverageRows},
    {InfoPage::Counter, 151, kCounterRows},
    {InfoPage::Paper, 152, kPaperRows},
    {InfoPage::MachineSetting, 153, kMachineSettingRows},
    {InfoPage::Firmware, 154, kFirmwareRows},
    {InfoPage::Adjustment, 156, kAdjustmentRows},
}};

constexpr bool PagesInTabOrder() {
    for (std::size_t i = 0; i < kPages.size(); ++i) {
        if (static_cast<std::size_t>(kPages[i].page) != i) {
            return false;
        }
    }
    return true;
}
static_assert(PagesInTabOrder());

}  // namespace

std::span<const InfoPageTable, kInfoPageCount> InfoPageTables() {
    return kPages;
}

}  // namespace rpanel

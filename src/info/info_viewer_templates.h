// The "Configuration Page" window (template 105) and its seven pages, as data. The pages hold
// only static texts, 8 units high, whose texts the viewer puts in by control id
// (viewer_texts.h), the same in every language. The templates are constants in this header so
// that the shell's template list and the viewer share them without a link between their
// libraries.
#pragma once

#include <array>

#include "gui/dialog_template.h"
#include "info/info_pages.h"

namespace rpanel {

namespace templates {
inline constexpr int kInfoViewer = 105;
inline constexpr int kCounterPage = 106;
inline constexpr int kSuppliesPage = 107;
inline constexpr int kMachineSettingPage = 108;
inline constexpr int kCoveragePage = 109;
inline constexpr int kPaperPage = 113;
inline constexpr int kAdjustmentPage = 114;
inline constexpr int kFirmwarePage = 115;
}  // namespace templates

namespace info_viewer {
inline constexpr int kCloseButton = 1023;
inline constexpr int kSaveButton = 1024;
inline constexpr int kTabControl = 1033;
}  // namespace info_viewer

namespace info_templates {

inline constexpr int kFontPointSize = 9;
inline constexpr int kPageWidth = 325;
inline constexpr int kPageHeight = 225;

// A left-aligned static text.
constexpr ControlTemplate Static(int id, int x, int y, int width) {
    return {.id = id, .kind = ControlKind::Label, .rect = {x, y, width, 8}};
}

constexpr DialogTemplate Page(int id, std::span<const ControlTemplate> controls) {
    return {.id = id,
            .width = kPageWidth,
            .height = kPageHeight,
            .fontPointSize = kFontPointSize,
            .style = DialogStyle::Child,
            .controls = controls};
}

inline constexpr ControlTemplate kViewerControls[] = {
    {.id = info_viewer::kTabControl, .kind = ControlKind::TabControl, .rect = {7, 7, 346, 260}},
    {.id = info_viewer::kSaveButton,
     .kind = ControlKind::PushButton,
     .rect = {246, 269, 50, 14},
     .caption = StringCaption(330)},
    {.id = info_viewer::kCloseButton,
     .kind = ControlKind::PushButton,
     .rect = {303, 269, 50, 14},
     .caption = StringCaption(32)},
};

// clang-format off

// Each row: its label, then the state, remaining and type columns.
inline constexpr ControlTemplate kSuppliesControls[] = {
    Static(1088, 0, 15, 128),
    Static(1096, 105, 25, 50),  Static(1097, 185, 25, 55),  Static(1098, 240, 25, 78),
    Static(1091, 0, 40, 103),   Static(1099, 105, 40, 80),  Static(1104, 185, 40, 55),  Static(1109, 245, 40, 78),
    Static(1092, 0, 55, 103),   Static(1100, 105, 55, 80),  Static(1105, 185, 55, 55),  Static(1110, 245, 55, 78),
    Static(1093, 0, 70, 103),   Static(1101, 105, 70, 80),  Static(1106, 185, 70, 55),  Static(1111, 245, 70, 78),
    Static(1094, 0, 85, 103),   Static(1102, 105, 85, 80),  Static(1107, 185, 85, 55),  Static(1112, 245, 85, 78),
    Static(1095, 0, 100, 103),  Static(1103, 105, 100, 80), Static(1108, 185, 100, 55),
};

// Each value stands a unit above its label; the last-job column repeats the labels of the
// current cartridge.
inline constexpr ControlTemplate kCoverageControls[] = {
    Static(1089, 10, 12, 120),
    Static(1251, 15, 25, 303),
    Static(1090, 10, 40, 200),
    Static(1091, 15, 55, 125),   Static(1094, 150, 54, 40),
    Static(1092, 15, 70, 125),   Static(1095, 150, 69, 40),
    Static(1093, 15, 85, 125),   Static(1096, 150, 84, 40),
    Static(1097, 10, 101, 200),
    Static(1098, 15, 116, 125),  Static(1100, 150, 115, 40),
    Static(1099, 15, 131, 125),  Static(1101, 150, 130, 40),
    Static(1107, 10, 147, 160),
    Static(1103, 15, 160, 105),  Static(1105, 125, 159, 40),
    Static(1104, 15, 175, 105),  Static(1106, 125, 174, 40),
    Static(1109, 15, 190, 105),  Static(1111, 125, 189, 40),
    Static(1110, 15, 205, 105),  Static(1112, 125, 204, 40),
    Static(1108, 169, 147, 145),
    Static(1113, 175, 160, 100), Static(1115, 280, 159, 40),
    Static(1114, 175, 175, 100), Static(1116, 280, 174, 40),
    Static(1117, 175, 190, 100), Static(1119, 280, 189, 40),
    Static(1118, 175, 205, 101), Static(1120, 280, 204, 40),
};

// The replacement and application-counter lines have no labels.
inline constexpr ControlTemplate kCounterControls[] = {
    Static(1113, 15, 15, 120),
    Static(1114, 20, 30, 90),    Static(1115, 120, 30, 40),
    Static(1116, 25, 45, 85),    Static(1117, 120, 45, 40),
    Static(1190, 25, 60, 85),    Static(1118, 120, 60, 40),
    Static(1119, 170, 30, 148),
    Static(1120, 175, 45, 85),   Static(1122, 270, 45, 40),
    Static(1121, 15, 130, 295),
    Static(1123, 15, 150, 295),
};

// Sizes on the left, paper types on the right.
inline constexpr ControlTemplate kPaperControls[] = {
    Static(1124, 15, 15, 120),
    Static(1125, 20, 30, 135),
    Static(1126, 170, 30, 135),
    Static(1127, 25, 45, 85),    Static(1129, 120, 45, 40),   Static(1139, 175, 45, 85),   Static(1141, 270, 45, 40),
    Static(1128, 25, 60, 85),    Static(1130, 120, 60, 40),   Static(1143, 175, 60, 85),   Static(1145, 270, 60, 40),
    Static(1131, 25, 75, 85),    Static(1133, 120, 75, 40),   Static(1144, 175, 75, 85),   Static(1146, 270, 75, 40),
    Static(1132, 25, 90, 85),    Static(1134, 120, 90, 40),   Static(1147, 175, 90, 85),   Static(1149, 270, 90, 40),
    Static(1135, 25, 105, 85),   Static(1137, 120, 105, 40),  Static(1148, 175, 105, 85),  Static(1150, 270, 105, 40),
    Static(1136, 25, 120, 85),   Static(1138, 120, 120, 40),  Static(1151, 175, 120, 85),  Static(1153, 270, 120, 40),
                                                              Static(1152, 175, 135, 85),  Static(1154, 270, 135, 40),
};

inline constexpr ControlTemplate kMachineSettingControls[] = {
    Static(1139, 7, 15, 123),
    Static(1140, 7, 30, 118),    Static(1144, 135, 30, 70),
    Static(1141, 7, 45, 118),    Static(1145, 135, 45, 40),
    Static(1017, 7, 60, 118),    Static(1147, 135, 60, 40),
    Static(1143, 7, 75, 118),    Static(1148, 135, 75, 40),
    Static(1146, 7, 90, 118),    Static(1149, 135, 90, 40),
};

inline constexpr ControlTemplate kFirmwareControls[] = {
    Static(1149, 15, 15, 120),
    Static(1150, 25, 30, 85),    Static(1153, 125, 30, 85),
    Static(1151, 25, 45, 95),    Static(1154, 125, 45, 85),
    Static(1152, 25, 60, 85),    Static(1155, 125, 60, 40),
};

// Top, left and image adjustments on the left, transfer power on the right.
inline constexpr ControlTemplate kAdjustmentControls[] = {
    Static(1161, 5, 15, 120),
    Static(1162, 5, 30, 135),
    Static(1164, 10, 45, 160),   Static(1165, 175, 45, 20),
    Static(1166, 10, 60, 160),   Static(1167, 175, 60, 20),
    Static(1168, 10, 75, 160),   Static(1169, 175, 75, 20),
    Static(1170, 5, 90, 135),
    Static(1171, 10, 105, 160),  Static(1172, 175, 105, 20),
    Static(1175, 5, 135, 165),   Static(1176, 175, 135, 20),
    Static(1163, 200, 30, 120),
    Static(1178, 205, 45, 85),   Static(1179, 300, 45, 20),
    Static(1180, 205, 60, 85),   Static(1181, 300, 60, 20),
    Static(1182, 205, 75, 85),   Static(1183, 300, 75, 20),
    Static(1185, 205, 90, 85),   Static(1184, 300, 89, 20),
    Static(1186, 205, 105, 85),  Static(1187, 300, 105, 20),
    Static(1189, 205, 120, 85),  Static(1188, 300, 120, 20),
};

// clang-format on

}  // namespace info_templates

inline constexpr DialogTemplate kInfoViewerTemplate = {
    .id = templates::kInfoViewer,
    .width = 360,
    .height = 290,
    .fontPointSize = info_templates::kFontPointSize,
    .style = DialogStyle::TitledWindow,
    .controls = info_templates::kViewerControls,
};

inline constexpr DialogTemplate kSuppliesPageTemplate =
    info_templates::Page(templates::kSuppliesPage, info_templates::kSuppliesControls);
inline constexpr DialogTemplate kCoveragePageTemplate =
    info_templates::Page(templates::kCoveragePage, info_templates::kCoverageControls);
inline constexpr DialogTemplate kCounterPageTemplate =
    info_templates::Page(templates::kCounterPage, info_templates::kCounterControls);
inline constexpr DialogTemplate kPaperPageTemplate =
    info_templates::Page(templates::kPaperPage, info_templates::kPaperControls);
inline constexpr DialogTemplate kMachineSettingPageTemplate =
    info_templates::Page(templates::kMachineSettingPage, info_templates::kMachineSettingControls);
inline constexpr DialogTemplate kFirmwarePageTemplate =
    info_templates::Page(templates::kFirmwarePage, info_templates::kFirmwareControls);
inline constexpr DialogTemplate kAdjustmentPageTemplate =
    info_templates::Page(templates::kAdjustmentPage, info_templates::kAdjustmentControls);

// The pages in tab order (InfoPage), which is not the order of their ids.
inline constexpr std::array<const DialogTemplate*, kInfoPageCount> kInfoPageTemplates = {
    &kSuppliesPageTemplate,   &kCoveragePageTemplate,       &kCounterPageTemplate,
    &kPaperPageTemplate,      &kMachineSettingPageTemplate, &kFirmwarePageTemplate,
    &kAdjustmentPageTemplate,
};

}  // namespace rpanel

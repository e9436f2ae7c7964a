#include "info/ini_export.h"

#include <algorithm>
#include <array>

#include "info/file_replace.h"
#include "info/info_blocks.h"
#include "info/private_profile.h"

namespace rpanel {
namespace {

// The texts are read back through 256-byte buffers: at most 255 characters each.
constexpr std::size_t kTextLimit = 255;

// A section or key name: a control's text, or a name that every language shares.
struct IniName {
    int control = 0;
    std::string_view fixed{};
};

struct IniEntry {
    InfoPage page;
    IniName section;
    IniName key;
    std::array<int, 3> values;  // joined by ", "; 0: none
    bool endsLine;              // CR LF after the value, which leaves an empty line after it
};

constexpr IniName Fixed(std::string_view name) {
    return {0, name};
}

using P = InfoPage;

// The entries in writing order. Points that are easy to get wrong: "Image Adj Param" is both
// section and key; "Replacement" and "Application Counter" are never translated; the left
// adjustment and the image parameter leave no empty line; in "Transfer Power" the envelope
// comes before the postcard, unlike on the page.
// clang-format off
constexpr std::array<IniEntry, 56> kIniEntries = {{
    {P::Supplies,       {1088}, {1091}, {1099, 1104, 1109}, false},
    {P::Supplies,       {1088}, {1092}, {1100, 1105, 1110}, false},
    {P::Supplies,       {1088}, {1093}, {1101, 1106, 1111}, false},
    {P::Supplies,       {1088}, {1094}, {1102, 1107, 1112}, false},
    {P::Supplies,       {1088}, {1095}, {1103, 1108},       true},
    {P::Coverage,       {1090}, {1091}, {1094},             false},
    {P::Coverage,       {1090}, {1092}, {1095},             false},
    {P::Coverage,       {1090}, {1093}, {1096},             true},
    {P::Coverage,       {1097}, {1098}, {1100},             false},
    {P::Coverage,       {1097}, {1099}, {1101},             true},
    {P::Coverage,       {1107}, {1103}, {1105},             false},
    {P::Coverage,       {1107}, {1104}, {1106},             false},
    {P::Coverage,       {1107}, {1109}, {1111},             false},
    {P::Coverage,       {1107}, {1110}, {1112},             true},
    {P::Coverage,       {1108}, {1113}, {1115},             false},
    {P::Coverage,       {1108}, {1114}, {1116},             false},
    {P::Coverage,       {1108}, {1117}, {1119},             false},
    {P::Coverage,       {1108}, {1118}, {1120},             true},
    {P::Counter,        {1113}, {1114}, {1115},             false},
    {P::Counter,        {1113}, {1116}, {1117},             false},
    {P::Counter,        {1113}, {1190}, {1118},             true},
    {P::Counter,        {1119}, {1120}, {1122},             true},
    {P::Counter,        Fixed("Replacement"), Fixed("Replacement"), {1121}, true},
    {P::Counter,        Fixed("Application Counter"), Fixed("Application Counter"), {1123}, true},
    {P::Paper,          {1125}, {1127}, {1129},             false},
    {P::Paper,          {1125}, {1128}, {1130},             false},
    {P::Paper,          {1125}, {1131}, {1133},             false},
    {P::Paper,          {1125}, {1132}, {1134},             false},
    {P::Paper,          {1125}, {1135}, {1137},             false},
    {P::Paper,          {1125}, {1136}, {1138},             true},
    {P::Paper,          {1126}, {1139}, {1141},             false},
    {P::Paper,          {1126}, {1143}, {1145},             false},
    {P::Paper,          {1126}, {1144}, {1146},             false},
    {P::Paper,          {1126}, {1147}, {1149},             false},
    {P::Paper,          {1126}, {1148}, {1150},             false},
    {P::Paper,          {1126}, {1151}, {1153},             false},
    {P::Paper,          {1126}, {1152}, {1154},             true},
    {P::MachineSetting, {1139}, {1140}, {1144},             false},
    {P::MachineSetting, {1139}, {1141}, {1145},             false},
    {P::MachineSetting, {1139}, {1017}, {1147},             false},
    {P::MachineSetting, {1139}, {1143}, {1148},             false},
    {P::MachineSetting, {1139}, {1146}, {1149},             true},
    {P::Firmware,       {1149}, {1150}, {1153},             false},
    {P::Firmware,       {1149}, {1151}, {1154},             false},
    {P::Firmware,       {1149}, {1152}, {1155},             true},
    {P::Adjustment,     {1162}, {1164}, {1165},             false},
    {P::Adjustment,     {1162}, {1166}, {1167},             false},
    {P::Adjustment,     {1162}, {1168}, {1169},             true},
    {P::Adjustment,     {1170}, {1171}, {1172},             false},
    {P::Adjustment,     {1175}, {1175}, {1176},             false},
    {P::Adjustment,     {1163}, {1178}, {1179},             false},
    {P::Adjustment,     {1163}, {1180}, {1181},             false},
    {P::Adjustment,     {1163}, {1182}, {1183},             false},
    {P::Adjustment,     {1163}, {1186}, {1187},             false},
    {P::Adjustment,     {1163}, {1185}, {1184},             false},
    {P::Adjustment,     {1163}, {1189}, {1188},             true},
}};
// clang-format on

std::string Cut(std::string text) {
    text.resize(std::min(text.size(), kTextLimit));
    return text;
}

std::string NameText(const ViewerTexts& texts, InfoPage page, const IniName& name) {
    return Cut(name.control == 0 ? std::string(name.fixed)
                                 : ControlText(texts, page, name.control));
}

std::string EntryValue(const ViewerTexts& texts, const IniEntry& entry) {
    std::string value;
    for (std::size_t i = 0; i < entry.values.size() && entry.values[i] != 0; ++i) {
        value += (i == 0 ? "" : ", ") + ControlText(texts, entry.page, entry.values[i]);
    }
    return Cut(value + (entry.endsLine ? "\r\n" : ""));
}

}  // namespace

std::string SuggestedIniFileName(const AppState& state, std::string_view extension) {
    std::string name(SlotTextOf(state, KeySlot("MACHINESERIAL")));
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '_');
    return name + "." + std::string(extension);
}

std::string InfoIniBytes(const ViewerTexts& texts) {
    PrivateProfile profile;
    for (const IniEntry& entry : kIniEntries) {
        profile.Write(NameText(texts, entry.page, entry.section),
                      NameText(texts, entry.page, entry.key), EntryValue(texts, entry));
    }
    return profile.Bytes();
}

bool ExportInfoToIni(MessageSink& viewer, const ViewerTexts& texts, const std::string& path) {
    if (path.empty()) {
        return true;
    }
    std::string failure;
    if (!ReplaceFileContents(path, InfoIniBytes(texts), &failure)) {
        viewer.ShowMessageWithReason(msg::kIniNotWritten, failure);
        return false;
    }
    return true;
}

}  // namespace rpanel

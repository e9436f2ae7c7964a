// The replies as they are parsed into the slots, and the texts the viewer's pages make of the
// slots, with the decoding of adjustment slots. Every text of the demo printer, and the signed
// value lines, are shown through the viewer window (info_viewer_dialog_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/string_table.h"
#include "info/adjustment.h"
#include "info/info_blocks.h"
#include "info/info_reply.h"
#include "info/viewer_texts.h"
#include "support/recording_messages.h"

namespace rpanel {
namespace {

using namespace std::string_literals;
using enum InfoKind;

// A reply of a kind and the slots it fills; every other slot of the kind stays empty. A reply
// that does not keep to the printer's form shows message 29.
struct ReplyCase {
    InfoKind kind;
    std::string reply;
    std::map<std::string, std::string> slots;
    std::vector<int> messages = {};
};

// clang-format off
const ReplyCase kReplyCases[] = {
    {Count, "@PJL INFO CONFIGCOUNT\r\nCOUNTTOTAL=1234\r\n", {{"COUNTTOTAL", "1234"}}},
    // The header anywhere, and twice.
    {Count, "COUNTTOTAL=1\r\n@PJL INFO CONFIGCOUNT\r\nCOUNTTRAY1=2\r\n@PJL INFO CONFIGCOUNT\r\n",
     {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}},
    // Two separators count as one; blanks after one are kept.
    {Count, "COUNTTOTAL==5\r\nCOUNTTRAY1= 5 \r\n", {{"COUNTTOTAL", "5"}, {"COUNTTRAY1", " 5 "}}},
    // A key without a value, or a line without a separator, ends the parse.
    {Count, "COUNTTRAY1=7\r\nCOUNTTOTAL=\r\nCOUNTSIZEA4=3\r\n", {{"COUNTTRAY1", "7"}}, {29}},
    {Toner, "TONERLOWMSG=1\r\nCONSUMETCSTATEC\r\nCONSUMEICSTATE=1\r\n", {{"TONERLOWMSG", "1"}},
     {29}},
    {Count, "@PJL INFO CONFIGTONER\r\nCOUNTTOTAL=1\r\n", {}, {29}},  // another reply's header
    {Machine, "@PJL INFO CONFIGMACHINE \r\n", {}, {29}},
    // Ignored: a key in lower case, a blank before the separator, a key of another reply.
    {Count, "counttotal=5\r\nCOUNTTOTAL =6\r\n", {}},
    {Toner, "COUNTTOTAL=1\r\n", {}},
    {Count, "COUNTTOTAL=1\r\n\r\n===\r\nCOUNTTRAY1=2\r\n",  // an empty line, separators only
     {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}},
    // A later value wins and leaves no trail of the earlier one; the last item has no line end.
    {Count, "COUNTTOTAL=123456\r\nCOUNTTOTAL=7\r\nCOUNTTRAY1=2", {{"COUNTTOTAL", "7"}}},
    {Toner, "COVERAGETOTAL=3\r\nCOVERAGETOTALCOLOR=1\r\n",  // keys told apart from their prefixes
     {{"COVERAGETOTAL", "3"}, {"COVERAGETOTALCOLOR", "1"}}},
    // An adjustment key alone empties its slot; the adjustment reply's header is not checked.
    {Adjust, "ADJIMAGE=4\r\nADJTOPPLAIN=20\r\nADJIMAGE\r\n", {{"ADJTOPPLAIN", "20"}}},
    {Adjust, "@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=20\r\nSOMETHING\r\n", {{"ADJTOPPLAIN", "20"}}},

    // Replies that do not keep to the printer's form. A line of 31 characters is taken, a longer
    // one dropped whole (silently, without a separator).
    {Count, "COUNTMEDIALETTERHEAD=1234567890\r\n", {{"COUNTMEDIALETTERHEAD", "1234567890"}}},
    {Count, "COUNTMEDIALETTERHEAD=12345678901\r\nCOUNTTOTAL=1\r\n", {{"COUNTTOTAL", "1"}}},
    {Toner, "@PJL INFO CONFIGTONER AND MORE TEXT\r\nTONERLOWMSG=0\r\n", {{"TONERLOWMSG", "0"}}},
    // Three fields are dropped; a trailing separator is no third field.
    {Count, "COUNTTOTAL=1=2\r\nCOUNTTRAY1=2=\r\n", {{"COUNTTRAY1", "2"}}},
    // A bare line feed ends a line; a bare carriage return keeps the next byte.
    {Count, "COUNTTOTAL=1\nCOUNTTRAY1=2\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}},
    {Count, "COUNTTOTAL=1\rCOUNTTRAY1=2\r\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}},
    {Count, "COUNTTOTAL=1\r\r\nCOUNTTRAY1=2\r\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}},
    {Machine, "MACHINESERIAL=\xC4\xFF\x80 1\r\n", {{"MACHINESERIAL", "\xC4\xFF\x80 1"}}},
    // A NUL ends the text of its line.
    {Count, "COUNTTOTAL=12\0 34\r\nCOUNTTRAY1=2\r\n"s, {{"COUNTTOTAL", "12"}, {"COUNTTRAY1", "2"}}},
};
// clang-format on

TEST(ParseInfoReply, FillsTheSlotsOfTheKeysThatArrived) {
    for (const ReplyCase& c : kReplyCases) {
        SCOPED_TRACE(c.reply);
        AppState state;
        InfoBlocks blocks{state, ValueBlocks::With};
        test::RecordingMessages messages;
        ParseInfoReply(messages, state, c.kind, c.reply);
        for (std::uint8_t slot = 0; slot < FormOf(c.kind).keys.size(); ++slot) {
            const std::string key(FormOf(c.kind).keys[slot].name);
            EXPECT_EQ(SlotTextOf(state, {c.kind, slot}),
                      c.slots.contains(key) ? c.slots.at(key) : "")
                << key;
        }
        EXPECT_EQ(messages.shown, c.messages);
    }
}

// Nothing is stored while the blocks are not taken; each sequence takes them afresh, so that a
// reply that fails shows nothing of an earlier one.
TEST(InfoBlocks, AreOnlyFilledWhileTakenAndAreTakenEmpty) {
    AppState state;
    test::RecordingMessages messages;
    ParseInfoReply(messages, state, InfoKind::Count, "COUNTTOTAL=1\r\nWRONG\r\n");
    EXPECT_EQ(state.configCount, nullptr);
    EXPECT_TRUE(messages.shown.empty());
    InfoBlockStorage storage;
    AllocInfoBlocks(state, storage, ValueBlocks::With);
    std::strcpy(state.configMachine[0].text, "OLD");
    state.infoValues2[9] = 7;
    FreeInfoBlocks(state);
    AllocInfoBlocks(state, storage, ValueBlocks::With);
    EXPECT_EQ(SlotTextOf(state, KeySlot("MACHINESERIAL")), "");
    EXPECT_EQ(state.infoValues2[9], 0u);
    FreeInfoBlocks(state);
}

class ViewerTextsTest : public ::testing::Test {
protected:
    void SetUp() override { SelectLanguage(kEnglishUnitedStates); }

    void Set(SlotRef ref, const char* text) {
        std::strcpy(BlockOf(state, ref.kind)[ref.slot].text, text);
    }
    std::string Shown(InfoPage page, int control) {
        ViewerTexts texts = LabelTexts();
        FillValueTexts(state, texts);
        return ControlText(texts, page, control);
    }

    AppState state;
    InfoBlocks blocks{state, ValueBlocks::With};
};

TEST_F(ViewerTextsTest, SupplyRowsShowStateRemainingAndType) {
    // The cyan toner's state, remaining and type slots, and what its row shows of them.
    // clang-format off
    const char* const cases[][6] = {
        {"0", "80", "15", "UnKnown", "-", "-"},  // unknown: whatever remaining and type hold
        {"1", "87", "15", "Ready", "87%", "Standard"}, {"2", "9", "25", "Low", "9%", "High"},
        {"3", "0", "10", "End", "0%", "Starter"}, {"4", "1", "05", "Life End", "1%", "Starter"},
        {"1", "", "20", "Ready", "%", "-"}, {"5", "7", "25", "", "7%", "High"},
        {"", "", "", "", "%", "-"}, {"01", "5", "5", "", "5%", "-"},
    };
    // clang-format on
    for (const auto& c : cases) {
        Set(KeySlot("CONSUMETCSTATEC"), c[0]);
        Set(KeySlot("CONSUMETCREMAINC"), c[1]);
        Set(KeySlot("CONSUMETCTYPEC"), c[2]);
        EXPECT_EQ(std::tuple(Shown(InfoPage::Supplies, 1099), Shown(InfoPage::Supplies, 1104),
                             Shown(InfoPage::Supplies, 1109)),
                  std::tuple(c[3], c[4], c[5]))
            << "state \"" << c[0] << "\" type \"" << c[2] << '"';
    }
}

TEST_F(ViewerTextsTest, EachControlShowsItsSlotAsItsRowWants) {
    using enum InfoPage;
    // The slot, the control and what it shows for each text of the slot, in turn.
    using Texts = std::vector<std::pair<const char*, const char*>>;
    // clang-format off
    const std::tuple<SlotRef, InfoPage, int, Texts> cases[] = {
        // The photoconductor row: state and remaining, no type.
        {KeySlot("CONSUMEICSTATE"), Supplies, 1103, {{"0", "UnKnown"}}},
        {KeySlot("CONSUMEICREMAIN"), Supplies, 1108, {{"50", "-"}}},
        {KeySlot("CONSUMEICSTATE"), Supplies, 1108, {{"1", "50%"}}},
        {KeySlot("CONSUMEICTYPE"), Supplies, 1113, {{"15", ""}}},
        // A switch is off only for its exact off text.
        {KeySlot("MACHINEAUTOCONTO"), MachineSetting, 1147,
         {{"OFF", "Off"}, {"Off", "On"}, {"off", "On"}, {"", "On"}}},
        {KeySlot("MACHINETONEREMPTY"), MachineSetting, 1148, {{"OFF", "Off"}, {"OFF ", "On"}}},
        {KeySlot("TONERLOWMSG"), MachineSetting, 1149, {{"0", "Off"}, {"00", "On"}, {"", "On"}}},
        // Energy save shows the minutes only while it is on (energySaveOn, below).
        {KeySlot("MACHINEENERGYSAVE"), MachineSetting, 1145, {{"15", "15"}}},
        // Adjustments: the signed setting, top and left from 15, transfer powers from 8; the
        // image parameter as text.
        {KeySlot("ADJTOPPLAIN"), Adjustment, 1165, {{"20", "5"}}},
        {KeySlot("ADJTOPTHICK"), Adjustment, 1167, {{"3", "-12"}}},
        {KeySlot("ADJTRANSTHICK1"), Adjustment, 1181, {{"8", "0"}}},
        {KeySlot("ADJTOPENVELOPE"), Adjustment, 1169, {{"", "-15"}}},
        {KeySlot("ADJTRANSLABEL"), Adjustment, 1188, {{"", "-8"}}},
        {KeySlot("ADJIMAGE"), Adjustment, 1176, {{"x7", "x7"}}},
    };
    // clang-format on
    state.energySaveOn = 2;
    for (const auto& [slot, page, control, texts] : cases) {
        for (const auto& [text, shown] : texts) {
            Set(slot, text);
            EXPECT_EQ(Shown(page, control), shown) << control << " \"" << text << '"';
        }
    }
    state.energySaveOn = 0;
    EXPECT_EQ(Shown(MachineSetting, 1145), "Off");
}

TEST(DecodeAdjustment, ReadsTheLeadingNumberAndTakesTheOffsetAway) {
    // The slot's text, the offset and the setting.
    // clang-format off
    const std::tuple<std::string, std::int32_t, std::int32_t> cases[] = {
        {"20", 15, 5}, {"3", 15, -12}, {"", 15, -15}, {" \t\n17", 15, 2}, {"12mm", 15, -3},
        {"+20", 15, 5}, {"-3", 8, -11}, {"- 3", 8, -8}, {"abc", 15, -15},
        {"0000000000000000000000000000020", 15, 5}, {"99999999999", 15, 2147483632},
        {"2147483662", 15, 2147483632}, {"-99999999999", 15, INT32_MIN}, {"-2147483648", 0, INT32_MIN}};
    // clang-format on
    for (const auto& [text, offset, setting] : cases) {
        EXPECT_EQ(DecodeAdjustment(text, offset), setting) << '"' << text << "\" offset " << offset;
    }
}

}  // namespace
}  // namespace rpanel

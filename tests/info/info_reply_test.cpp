#include "info/info_reply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "info/info_blocks.h"
#include "support/recording_messages.h"

namespace rpanel {
namespace {

using namespace std::string_literals;

struct ReplyCase {
    const char* name;
    InfoKind kind;
    std::string reply;
    std::map<std::string, std::string> slots;  // every other slot of the kind stays empty
    std::vector<int> messages;
};

// clang-format off
const ReplyCase kReplyCases[] = {
    {"HeaderAndOneItem", InfoKind::Count,
     "@PJL INFO CONFIGCOUNT\r\nCOUNTTOTAL=1234\r\n", {{"COUNTTOTAL", "1234"}}, {}},
    {"HeaderAnywhereAndTwice", InfoKind::Count,
     "COUNTTOTAL=1\r\n@PJL INFO CONFIGCOUNT\r\nCOUNTTRAY1=2\r\n@PJL INFO CONFIGCOUNT\r\n",
     {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}, {}},
    {"TwoSeparatorsCountAsOne", InfoKind::Count,
     "COUNTTOTAL==5\r\n", {{"COUNTTOTAL", "5"}}, {}},
    {"BlankAfterSeparatorIsKept", InfoKind::Count,
     "COUNTTOTAL= 5 \r\n", {{"COUNTTOTAL", " 5 "}}, {}},
    {"KeyWithoutValueEndsTheParse", InfoKind::Count,
     "COUNTTRAY1=7\r\nCOUNTTOTAL=\r\nCOUNTSIZEA4=3\r\n", {{"COUNTTRAY1", "7"}}, {29}},
    {"LineWithoutSeparatorEndsTheParse", InfoKind::Toner,
     "TONERLOWMSG=1\r\nCONSUMETCSTATEC\r\nCONSUMEICSTATE=1\r\n", {{"TONERLOWMSG", "1"}}, {29}},
    {"HeaderOfAnotherReply", InfoKind::Count,
     "@PJL INFO CONFIGTONER\r\nCOUNTTOTAL=1\r\n", {}, {29}},
    {"HeaderWithTrailingBlank", InfoKind::Machine, "@PJL INFO CONFIGMACHINE \r\n", {}, {29}},
    {"LowerCaseKeyIsIgnored", InfoKind::Count, "counttotal=5\r\n", {}, {}},
    {"BlankBeforeSeparatorIsIgnored", InfoKind::Count, "COUNTTOTAL =5\r\n", {}, {}},
    {"KeyOfAnotherReplyIsIgnored", InfoKind::Toner, "COUNTTOTAL=1\r\n", {}, {}},
    {"EmptyLineAndSeparatorsOnly", InfoKind::Count,
     "COUNTTOTAL=1\r\n\r\n===\r\nCOUNTTRAY1=2\r\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}, {}},
    {"LastItemWithoutLineEnd", InfoKind::Count,
     "COUNTTOTAL=1\r\nCOUNTTRAY1=2", {{"COUNTTOTAL", "1"}}, {}},
    {"LaterValueWinsAndLeavesNoTrail", InfoKind::Count,
     "COUNTTOTAL=123456\r\nCOUNTTOTAL=7\r\n", {{"COUNTTOTAL", "7"}}, {}},
    {"PrefixKeysAreToldApart", InfoKind::Toner,
     "COVERAGETOTAL=3\r\nCOVERAGETOTALCOLOR=1\r\n",
     {{"COVERAGETOTAL", "3"}, {"COVERAGETOTALCOLOR", "1"}}, {}},
    {"AdjustmentKeyAloneEmptiesItsSlot", InfoKind::Adjust,
     "ADJIMAGE=4\r\nADJTOPPLAIN=20\r\nADJIMAGE\r\n", {{"ADJTOPPLAIN", "20"}}, {}},
    {"AdjustmentHeaderIsNotChecked", InfoKind::Adjust,
     "@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=20\r\nSOMETHING\r\n", {{"ADJTOPPLAIN", "20"}}, {}},

    // Replies that do not keep to the printer's form.
    {"LineOf31CharactersIsTaken", InfoKind::Count,
     "COUNTMEDIALETTERHEAD=1234567890\r\n", {{"COUNTMEDIALETTERHEAD", "1234567890"}}, {}},
    {"LongerLineIsDroppedWhole", InfoKind::Count,
     "COUNTMEDIALETTERHEAD=12345678901\r\nCOUNTTOTAL=1\r\n", {{"COUNTTOTAL", "1"}}, {}},
    {"LongLineWithoutSeparatorIsDroppedSilently", InfoKind::Toner,
     "@PJL INFO CONFIGTONER AND MORE TEXT\r\nTONERLOWMSG=0\r\n", {{"TONERLOWMSG", "0"}}, {}},
    {"ThreeFieldsAreDropped", InfoKind::Count,
     "COUNTTOTAL=1=2\r\nCOUNTTRAY1=2\r\n", {{"COUNTTRAY1", "2"}}, {}},
    {"TrailingSeparatorIsNoThirdField", InfoKind::Count,
     "COUNTTOTAL=1=\r\n", {{"COUNTTOTAL", "1"}}, {}},
    {"BareLineFeedEndsALine", InfoKind::Count,
     "COUNTTOTAL=1\nCOUNTTRAY1=2\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}, {}},
    {"BareCarriageReturnKeepsTheNextByte", InfoKind::Count,
     "COUNTTOTAL=1\rCOUNTTRAY1=2\r\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}, {}},
    {"CarriageReturnTwiceBeforeLineFeed", InfoKind::Count,
     "COUNTTOTAL=1\r\r\nCOUNTTRAY1=2\r\n", {{"COUNTTOTAL", "1"}, {"COUNTTRAY1", "2"}}, {}},
    {"EightBitBytesAreKept", InfoKind::Machine,
     "MACHINESERIAL=\xC4\xFF\x80 1\r\n", {{"MACHINESERIAL", "\xC4\xFF\x80 1"}}, {}},
    {"NulEndsTheTextOfItsLine", InfoKind::Count,
     "COUNTTOTAL=12\0 34\r\nCOUNTTRAY1=2\r\n"s, {{"COUNTTOTAL", "12"}, {"COUNTTRAY1", "2"}}, {}},
};
// clang-format on

class ParseInfoReplyTest : public ::testing::TestWithParam<ReplyCase> {
protected:
    AppState state;
    InfoBlocks blocks{state, ValueBlocks::With};
    test::RecordingMessages messages;
};

TEST_P(ParseInfoReplyTest, FillsTheSlotsOfTheKeysThatArrived) {
    const ReplyCase& c = GetParam();
    ParseInfoReply(messages, state, c.kind, c.reply);
    const auto keys = FormOf(c.kind).keys;
    for (std::uint8_t slot = 0; slot < keys.size(); ++slot) {
        const auto expected = c.slots.find(std::string(keys[slot].name));
        EXPECT_EQ(SlotTextOf(state, {c.kind, slot}),
                  expected == c.slots.end() ? "" : expected->second)
            << keys[slot].name;
    }
    EXPECT_EQ(messages.shown, c.messages);
}

INSTANTIATE_TEST_SUITE_P(Replies, ParseInfoReplyTest, ::testing::ValuesIn(kReplyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InfoReply, NothingIsStoredWhileTheBlocksAreNotAllocated) {
    AppState state;
    test::RecordingMessages messages;
    ParseInfoReply(messages, state, InfoKind::Count, "COUNTTOTAL=1\r\nWRONG\r\n");
    EXPECT_EQ(state.configCount, nullptr);
    EXPECT_TRUE(messages.shown.empty());
}

// Each sequence takes the blocks afresh: a reply that fails shows nothing of an earlier one.
TEST(InfoBlocks, AllocatingAgainClearsWhatTheStorageHeld) {
    AppState state;
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

}  // namespace
}  // namespace rpanel

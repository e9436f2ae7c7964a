#include "info/info_reads.h"

#include <gtest/gtest.h>

#include <cstring>

#include "info/info_blocks.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

class InfoReadsTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ASSERT_TRUE(Open());
        sent.clear();
    }
};

TEST_F(InfoReadsTest, AFailedReplyShowsMessage25AndTheOthersAreStillRead) {
    printer.Script(13, 0x0200, std::nullopt);
    InfoBlocks blocks(state, ValueBlocks::Without);
    std::strcpy(state.configCount[0].text, "kept");
    ReadAllMachineInfo(messages, state);
    EXPECT_EQ(sent.size(), 4u);
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed});
    EXPECT_EQ(SlotTextOf(state, KeySlot("COUNTTOTAL")), "kept");
    EXPECT_EQ(SlotTextOf(state, KeySlot("MACHINESERIAL")), "A0ED041002345");
}

TEST_F(InfoReadsTest, ValueBlocksHoldTheRepliesOfTheirCodesInOrder) {
    printer.SetValue(57, 0xFFFFFFFF);
    printer.Script(60, std::nullopt, std::nullopt);
    printer.Script(70, std::nullopt, std::string("\x34\x12", 2));
    InfoBlocks blocks(state, ValueBlocks::With);
    ReadInfoValueBlock1(state);
    ReadInfoValueBlock2(state);
    ASSERT_EQ(sent.size(), 24u);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].request, 55 + i);
        EXPECT_EQ(sent[i].index, 1);
        EXPECT_EQ(sent[i].length, 4);
    }
    EXPECT_EQ(state.infoValues1[0], 117u);
    EXPECT_EQ(state.infoValues1[2], 0xFFFFFFFFu);
    EXPECT_EQ(state.infoValues1[5], 0u) << "a failed read leaves its entry";
    EXPECT_EQ(state.infoValues1[13], 1417u);
    EXPECT_EQ(state.infoValues2[1], 0x1234u) << "a short reply has its high bytes 0";
    EXPECT_EQ(state.infoValues2[9], 2417u);
    EXPECT_TRUE(messages.shown.empty());
}

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

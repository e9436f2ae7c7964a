// The User Service commands against the simulated printer. The order of each command's requests
// is asserted once, in service_sequences_test.cpp; these tests check what the commands make of
// the printer's answers.
#include "service/user_service.h"

#include <gtest/gtest.h>

#include <string>

#include "app/string_table.h"
#include "link/request_ops.h"
#include "service/debug_trace.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

class UserServiceTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
        SetUserServiceDefaults(state);
    }
    // The values sent with a request code, in order.
    std::vector<int> ValuesSent(int code) const {
        std::vector<int> values;
        for (const SentRequest& request : sent) {
            if (request.request == code) {
                values.push_back(request.value);
            }
        }
        return values;
    }
};

TEST_F(UserServiceTest, DownloadDecodesEachAdjustmentWithItsOffset) {
    // No ADJTRANSLABEL: its slot stays empty.
    printer.Script(13, 0x0400,
                   std::string("@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=40\r\nADJTOPTHICK=0\r\n"
                               "ADJTOPENVELOPE=15\r\nADJLEFTFRONT=30\r\nADJIMAGE=3\r\n"
                               "ADJTRANSPLAINFRONT=15\r\nADJTRANSTHICK1=0\r\nADJTRANSTHICK2=8\r\n"
                               "ADJTRANSPOSTCARD=9\r\nADJTRANSENVELOPE=x\r\n"));
    printer.SetValue(20, 9);
    printer.SetValue(22, 0);
    printer.SetValue(24, 2);

    EXPECT_TRUE(DownloadUserService(messages, state));

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.topAdjustPlain, 25);
    EXPECT_EQ(state.topAdjustThick, -15);
    EXPECT_EQ(state.topAdjustEnvelope, 0);
    EXPECT_EQ(state.leftAdjustFront, 15);
    EXPECT_EQ(state.imageAdjust, 3);
    EXPECT_EQ(state.transferPlainFront, 7);
    EXPECT_EQ(state.transferThick1, -8);
    EXPECT_EQ(state.transferThick2, 0);
    EXPECT_EQ(state.transferPostcard, 1);
    EXPECT_EQ(state.transferEnvelope, -8) << "not a number: 0";
    EXPECT_EQ(state.transferLabel, -8) << "missing";
    EXPECT_EQ(state.gdiTimeout, 9);
    EXPECT_EQ(state.energySaveOn, 0);
    EXPECT_EQ(state.flicker, 2);
    EXPECT_EQ(state.configAdjust, nullptr) << "the blocks are given back";
    EXPECT_EQ(state.infoValues1, nullptr);
}

TEST_F(UserServiceTest, DownloadGoesOnAfterFailedReadsAndKeepsWhatTheyWouldHaveSet) {
    printer.Script(13, 0x0400, std::nullopt);
    printer.Script(22, std::nullopt, std::nullopt);
    state.topAdjustPlain = 4;
    state.imageAdjust = 2;
    state.energySaveOn = 7;

    EXPECT_TRUE(DownloadUserService(messages, state));

    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed));
    EXPECT_EQ(ValuesSent(24).size(), 1u) << "the last read still ran";
    // A missing adjustment reply leaves its slots empty: the adjustments become -offset.
    EXPECT_EQ(state.topAdjustPlain, -15);
    EXPECT_EQ(state.transferLabel, -8);
    EXPECT_EQ(state.imageAdjust, 0);
    EXPECT_EQ(state.energySaveOn, 7);
    EXPECT_EQ(state.gdiTimeout, 2) << "the printer's";
}

TEST_F(UserServiceTest, UploadSendsTheSettingsShiftedIntoTheHighByteModulo256) {
    state.topAdjustPlain = 25;  // downloaded outside the page's range
    state.topAdjustThick = -15;
    state.leftAdjustFront = 15;
    state.transferPlainFront = -8;
    state.transferLabel = 8;
    state.gdiTimeout = 9;
    state.flicker = -1;

    EXPECT_TRUE(UploadUserService(messages, state, std::nullopt));

    EXPECT_EQ(ValuesSent(27), std::vector<int>{0x2800});
    EXPECT_EQ(ValuesSent(28), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(30), std::vector<int>{0x1E00});
    EXPECT_EQ(ValuesSent(32), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(37), std::vector<int>{0x1000});
    EXPECT_EQ(ValuesSent(21), std::vector<int>{0x0900});
    EXPECT_EQ(ValuesSent(25), std::vector<int>{0xFF00});
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kDefaultsSent});
}

TEST_F(UserServiceTest, EnergySaveIsTheSelectedChoiceExceptOnAPrinterWithoutTheSwitch) {
    struct Case {
        std::uint8_t variant;
        std::int32_t field;
        std::optional<std::int32_t> selection;
        int sent;
    };
    const Case cases[] = {
        {0, 1, 0, 0x0000},             // the choice on the page wins over the downloaded value
        {0, 5, std::nullopt, 0x0500},  // nothing selected: the field as it is
        {2, 0, 0, 0x0100},
        {2, 0, std::nullopt, 0x0100},
    };
    for (const Case& c : cases) {
        sent.clear();
        state.machineVariant = c.variant;
        state.energySaveOn = c.field;
        UploadUserService(messages, state, c.selection);
        EXPECT_EQ(ValuesSent(23), std::vector<int>{c.sent}) << int{c.variant} << " " << c.field;
        EXPECT_EQ(state.energySaveOn, c.sent >> 8);
    }
}

TEST_F(UserServiceTest, TestPatternsReportTheirOwnMessageOrTheFailure) {
    EXPECT_TRUE(PrintTestPattern(messages, TestPattern::Two));
    EXPECT_EQ(LoadText(messages.shown.back()), "Print Test Pattern 2 OK             ");
    printer.Script(39, std::nullopt, std::nullopt);
    EXPECT_FALSE(PrintTestPattern(messages, TestPattern::One));
    EXPECT_EQ(messages.shown.back(), msg::kSendFailed);
}

TEST_F(UserServiceTest, ImageRefreshWritesItsDebugLinesAndShowsNothingWhateverTheReply) {
    std::vector<std::string> lines;
    SetDebugTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    printer.Script(85, std::nullopt, std::nullopt);

    RunImageRefresh(messages);
    EXPECT_EQ(lines, (std::vector<std::string>{"BT_IMAGEREFRESH", "USBOpen"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(sent.size(), 1u);

    lines.clear();
    printer.SetPresent(false);
    RunImageRefresh(messages);
    EXPECT_EQ(lines, std::vector<std::string>{"BT_IMAGEREFRESH"}) << "the link did not open";
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kOpenFailed});
    SetDebugTraceSink(nullptr);
}

}  // namespace
}  // namespace rpanel

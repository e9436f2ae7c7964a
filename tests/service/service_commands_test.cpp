// The service commands against the simulated printer: what they make of its answers, missing
// ones included. The order of each command's requests, its values on a fresh page and its
// closing message are asserted once, in service_sequences_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "service/debug_trace.h"
#include "service/service_mode.h"
#include "service/user_service.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using ServiceCommandsTest = test::SimTest;

TEST_F(ServiceCommandsTest, UserServiceDownloadDecodesEachAdjustmentWithItsOffset) {
    // No ADJTRANSLABEL, and ADJTRANSENVELOPE not a number: both decode as 0.
    printer.Script(13, 0x0400,
                   std::string("@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=40\r\nADJTOPTHICK=0\r\n"
                               "ADJTOPENVELOPE=15\r\nADJLEFTFRONT=30\r\nADJIMAGE=3\r\n"
                               "ADJTRANSPLAINFRONT=15\r\nADJTRANSTHICK1=0\r\nADJTRANSTHICK2=8\r\n"
                               "ADJTRANSPOSTCARD=9\r\nADJTRANSENVELOPE=x\r\n"));
    printer.SetValue(22, 0);
    printer.SetValue(24, 2);

    EXPECT_TRUE(DownloadUserService(messages, state));

    EXPECT_TRUE(messages.shown.empty());
    const std::vector<std::int32_t> decoded = {
        state.topAdjustPlain,   state.topAdjustThick, state.topAdjustEnvelope,
        state.leftAdjustFront,  state.imageAdjust,    state.transferPlainFront,
        state.transferThick1,   state.transferThick2, state.transferPostcard,
        state.transferEnvelope, state.transferLabel,  state.energySaveOn,
        state.flicker};
    EXPECT_EQ(decoded, (std::vector<std::int32_t>{25, -15, 0, 15, 3, 7, -8, 0, 1, -8, -8, 0, 2}));
    EXPECT_EQ(state.configAdjust, nullptr) << "the blocks are given back";
}

TEST_F(ServiceCommandsTest, UserServiceDownloadGoesOnAfterFailedReadsAndKeepsTheirFields) {
    printer.Script(13, 0x0400, std::nullopt);
    printer.Script(22, std::nullopt, std::nullopt);
    state.topAdjustPlain = 4;
    state.imageAdjust = 2;
    state.energySaveOn = 7;

    EXPECT_TRUE(DownloadUserService(messages, state));

    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed));
    EXPECT_EQ(sent.back().request, 24) << "the last read still ran";
    // A missing adjustment reply leaves its slots empty: the adjustments become -offset.
    EXPECT_EQ(state.topAdjustPlain, -15);
    EXPECT_EQ(state.transferLabel, -8);
    EXPECT_EQ(state.imageAdjust, 0);
    EXPECT_EQ(state.energySaveOn, 7);
}

TEST_F(ServiceCommandsTest, ServiceModeDownloadStoresShortRepliesAndGoesOnAfterFailedReads) {
    printer.Script(54, std::nullopt, std::string("\x05", 1));  // short: the rest is 0
    printer.Script(46, std::nullopt, std::nullopt);
    printer.Script(84, std::nullopt, std::nullopt);
    state.thickTemperature = 1;
    state.fuserUnitCounter = 77;

    EXPECT_TRUE(DownloadServiceMode(messages, state));

    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed)) << "one box per failed read";
    EXPECT_EQ(sent.size(), ServiceModeValues().size());
    EXPECT_EQ(state.troubleCounter, 5);
    EXPECT_EQ(state.thickTemperature, 1) << "kept";
    EXPECT_EQ(state.fuserUnitCounter, 77) << "kept";
}

TEST_F(ServiceCommandsTest, AnUnacknowledgedCommandIsReportedAsFailed) {
    printer.Script(39, std::nullopt, std::nullopt);
    printer.Script(50, std::nullopt, std::string("OK!"));  // not "OK" and a NUL
    EXPECT_FALSE(PrintTestPattern(messages, TestPattern::One));
    EXPECT_FALSE(ReportReplacedPart(messages, ReplacedPart::TransferRoller));
    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed));
}

TEST_F(ServiceCommandsTest, ImageRefreshWritesItsDebugLinesAndShowsNothingWhateverTheReply) {
    std::vector<std::string> lines;
    SetDebugTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    printer.Script(85, std::nullopt, std::nullopt);
    RunImageRefresh(messages);
    EXPECT_EQ(lines, (std::vector<std::string>{"BT_IMAGEREFRESH", "USBOpen"}));
    EXPECT_TRUE(messages.shown.empty());

    lines.clear();
    printer.SetPresent(false);
    RunImageRefresh(messages);
    EXPECT_EQ(lines, std::vector<std::string>{"BT_IMAGEREFRESH"}) << "the link did not open";
    SetDebugTraceSink(nullptr);
}

}  // namespace
}  // namespace rpanel

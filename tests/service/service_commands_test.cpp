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

// The panel's command sequences against the simulated printer: the command frame and the four
// defaults of "Apply" (their order is asserted with the page's buttons, panel_page_test.cpp).
#include "panel/panel_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/printer_command.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

const std::string kNotAcknowledged("NG\0\0", 4);

class PanelCommandsTest : public test::SimTest {
protected:
    bool Apply(const PanelDefaults& defaults) {
        EXPECT_TRUE(Open());
        return ApplyPanelDefaults(messages, defaults);
    }

    const PanelDefaults pageDefaults{.tonerLowMessage = true,
                                     .tonerOutStop = true,
                                     .energySaveMinutes = 30,
                                     .autoContinue = false};
};

TEST_F(PanelCommandsTest, TheFrameOpensTheLinkForTheWorkAndClosesItAfterwards) {
    int handlesWhileTheBoxIsUp = 0;
    EXPECT_TRUE(RunPrinterCommand(messages, [&] {
        messages.ShowMessageById(msg::kCommandSent);
        handlesWhileTheBoxIsUp = sim.OpenHandleCount();
    }));
    EXPECT_GT(handlesWhileTheBoxIsUp, 0);
    EXPECT_EQ(sim.OpenHandleCount(), 0);
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kCommandSent});
}

TEST_F(PanelCommandsTest, APrinterThatDoesNotOpenGetsMessage26AndTheWorkDoesNotRun) {
    printer.SetPresent(false);
    bool worked = false;
    EXPECT_FALSE(RunPrinterCommand(messages, [&] { worked = true; }));
    EXPECT_FALSE(worked);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kOpenFailed});
    EXPECT_EQ(sim.OpenHandleCount(), 0);
}

TEST_F(PanelCommandsTest, ApplyCarriesEachChoiceInTheHighByte) {
    const struct {
        PanelDefaults defaults;
        std::vector<int> values;  // of requests 19, 15, 16, 17
    } cases[] = {
        {{false, false, 60, true}, {0x0000, 0x0000, 0x3C00, 0x0100}},
        {{true, false, 5, false}, {0x0100, 0x0000, 0x0500, 0x0000}},
        {{false, true, 15, true}, {0x0000, 0x0100, 0x0F00, 0x0100}},
        // Only the low eight bits of the item data reach the printer.
        {{true, true, 0x13C, false}, {0x0100, 0x0100, 0x3C00, 0x0000}},
    };
    for (const auto& c : cases) {
        sent.clear();
        EXPECT_TRUE(Apply(c.defaults));
        std::vector<int> values;
        for (const SentRequest& request : sent) {
            values.push_back(request.value);
        }
        EXPECT_EQ(values, c.values) << c.defaults.energySaveMinutes;
    }
}

TEST_F(PanelCommandsTest, ASettingNotAcknowledgedStillLetsTheOthersGoAndGivesOneMessage25) {
    for (const std::uint8_t refused : {19, 15, 16, 17}) {
        printer.Script(refused, std::nullopt, kNotAcknowledged);
        sent.clear();
        messages.shown.clear();
        EXPECT_FALSE(Apply(pageDefaults));
        EXPECT_EQ(sent.size(), 4u) << int{refused};
        EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed}) << int{refused};
        printer.Script(refused, std::nullopt, std::string("OK\0\0", 4));
    }
}

TEST_F(PanelCommandsTest, APairWithNeitherButtonSelectedIsNotSentAndCountsAsFailed) {
    const struct {
        OnOff PanelDefaults::*pair;
        std::uint8_t skipped;
    } cases[] = {
        {&PanelDefaults::tonerLowMessage, 19},
        {&PanelDefaults::tonerOutStop, 15},
        {&PanelDefaults::autoContinue, 17},
    };
    for (const auto& c : cases) {
        PanelDefaults defaults = pageDefaults;
        defaults.*c.pair = std::nullopt;
        sent.clear();
        messages.shown.clear();
        EXPECT_FALSE(Apply(defaults));
        EXPECT_EQ(sent.size(), 3u);
        EXPECT_TRUE(std::ranges::none_of(
            sent, [&](const SentRequest& request) { return request.request == c.skipped; }));
        EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed});
    }
}

}  // namespace
}  // namespace rpanel

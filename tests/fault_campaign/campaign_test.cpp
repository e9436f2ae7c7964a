// Every command against the simulated printer, with every fault at every request: the outcome
// (messages, requests, fields, link) is compared with the one the rules derive from the command's
// written-out requests (expected_outcome.cpp).
#include "campaign.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <vector>

#include "link/device_session.h"
#include "link/sim/sim_platform.h"
#include "support/link_setup.h"

namespace rpanel::campaign {
namespace {

constexpr ReplyFault kReplyFaults[] = {
    ReplyFault::NoReply,    ReplyFault::OneByte,       ReplyFault::TwoBytes,
    ReplyFault::ThreeBytes, ReplyFault::AckWithoutNul, ReplyFault::RandomBytes,
};
constexpr const char* kReplyFaultNames[] = {"NoReply",    "OneByte",       "TwoBytes",
                                            "ThreeBytes", "AckWithoutNul", "RandomBytes"};

struct Case {
    const CampaignCommand* command;
    FaultCase fault;
    std::string name;
};

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (const CampaignCommand& command : CampaignCommands()) {
        std::string name;
        std::ranges::copy_if(command.name, std::back_inserter(name),
                             [](unsigned char c) { return std::isalnum(c); });
        cases.push_back({&command, {}, name + "_NoFault"});
        cases.push_back(
            {&command, {.kind = FaultCase::Kind::GoneBeforeOpen}, name + "_GoneBeforeOpening"});
        for (int at = 0; at < static_cast<int>(command.steps.size()); ++at) {
            const std::string position = "At" + std::to_string(at);
            for (std::size_t f = 0; f < std::size(kReplyFaults); ++f) {
                cases.push_back(
                    {&command,
                     {.kind = FaultCase::Kind::Reply, .reply = kReplyFaults[f], .position = at},
                     name + "_" + kReplyFaultNames[f] + position});
            }
            cases.push_back({&command,
                             {.kind = FaultCase::Kind::Unplugged, .position = at},
                             name + "_Unplugged" + position});
        }
    }
    return cases;
}

class FaultCampaign : public ::testing::TestWithParam<Case> {};

TEST_P(FaultCampaign, OutcomeFollowsTheRules) {
    const CampaignCommand& command = *GetParam().command;
    const FaultCase& faultCase = GetParam().fault;
    PrinterModel printer;
    PreparePrinter(printer);
    faultCase.InjectInto(printer);
    SimPlatform sim = SimPlatform::WithPrinter(printer);

    Outcome actual;
    {
        const DeviceSession session(sim, [&](const SentRequest& sent) {
            actual.requests.push_back(
                DescribeRequest(sent.request, sent.value, sent.index, sent.length));
        });
        test::ForgetPrinterLink();
        CommandRun run;
        run.state = SeededState();
        run.iniPath = CampaignIniPath();
        std::filesystem::remove(run.iniPath);
        command.run(run);
        actual.messages = run.messages.shown;
        actual.fields = RunFields(run);
        actual.link =
            LinkState(sim.OpenHandleCount(), sim.OpenDeviceSetCount(), sim.OpenRegistryKeyCount());
    }
    EXPECT_EQ(sim.OpenHandleCount(), 0) << "still open after the link was closed";
    EXPECT_EQ(sim.strayCloses, 0) << "handles closed that were not open";

    const Outcome expected = ExpectedOutcome(command, faultCase);
    EXPECT_EQ(actual.messages, expected.messages);
    EXPECT_EQ(actual.requests, expected.requests);
    EXPECT_EQ(actual.link, expected.link);
    // Field by field, so that a failure names the field.
    std::map<std::string, std::string> got(actual.fields.begin(), actual.fields.end());
    for (const auto& [name, want] : expected.fields) {
        EXPECT_EQ(got[name], want) << name;
    }
    EXPECT_EQ(actual.fields.size(), expected.fields.size());
}

INSTANTIATE_TEST_SUITE_P(EveryCommandEveryFault, FaultCampaign, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace rpanel::campaign

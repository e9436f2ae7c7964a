// Every command against the simulated printer, with every fault at every request: the outcome
// (messages, requests, fields, link) is compared with the one the rules derive from the command's
// written-out requests (expected_outcome.cpp).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "expected_outcome.h"
#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/sim/sim_platform.h"
#include "support/link_setup.h"

namespace rpanel::campaign {

const char* ReplyFaultName(ReplyFault fault) {
    switch (fault) {
        case ReplyFault::NoReply:
            return "NoReply";
        case ReplyFault::OneByte:
            return "OneByte";
        case ReplyFault::TwoBytes:
            return "TwoBytes";
        case ReplyFault::ThreeBytes:
            return "ThreeBytes";
        case ReplyFault::AckWithoutNul:
            return "AckWithoutNul";
        case ReplyFault::RandomBytes:
            return "RandomBytes";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const FaultCase& faultCase) {
    switch (faultCase.kind) {
        case FaultCase::Kind::None:
            return out << "NoFault";
        case FaultCase::Kind::GoneBeforeOpen:
            return out << "GoneBeforeOpening";
        case FaultCase::Kind::Unplugged:
            return out << "UnpluggedFrom" << faultCase.position;
        case FaultCase::Kind::Reply:
            return out << ReplyFaultName(faultCase.reply) << "At" << faultCase.position;
    }
    return out;
}

namespace {

struct Case {
    const CampaignCommand* command;
    FaultCase fault;
};

std::vector<Case> AllCases() {
    constexpr ReplyFault kReplyFaults[] = {
        ReplyFault::NoReply,    ReplyFault::OneByte,       ReplyFault::TwoBytes,
        ReplyFault::ThreeBytes, ReplyFault::AckWithoutNul, ReplyFault::RandomBytes,
    };
    std::vector<Case> cases;
    for (const CampaignCommand& command : CampaignCommands()) {
        cases.push_back({&command, {}});
        cases.push_back({&command, {.kind = FaultCase::Kind::GoneBeforeOpen}});
        for (int position = 0; position < static_cast<int>(command.steps.size()); ++position) {
            for (const ReplyFault fault : kReplyFaults) {
                cases.push_back(
                    {&command,
                     {.kind = FaultCase::Kind::Reply, .reply = fault, .position = position}});
            }
            cases.push_back({&command, {.kind = FaultCase::Kind::Unplugged, .position = position}});
        }
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : info.param.command->name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        }
    }
    std::ostringstream fault;
    fault << info.param.fault;
    return name + "_" + fault.str();
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
        actual.link = LinkState(
            {sim.OpenHandleCount(), sim.OpenDeviceSetCount(), sim.OpenRegistryKeyCount()});
    }
    EXPECT_EQ(sim.OpenHandleCount(), 0) << "still open after the link was closed";
    EXPECT_EQ(sim.strayCloses, 0) << "handles closed that were not open";
    EXPECT_EQ(Differences(ExpectedOutcome(command, faultCase), actual), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EveryCommandEveryFault, FaultCampaign, ::testing::ValuesIn(AllCases()),
                         CaseName);

}  // namespace
}  // namespace rpanel::campaign

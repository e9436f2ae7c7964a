#include "campaign_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "expected_outcome.h"
#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/vendor_request.h"
#include "support/link_setup.h"

namespace rpanel::campaign {
namespace {

Outcome Observe(const CampaignCommand& command, const FaultCase& faultCase, Bench& bench) {
    bench.Attach(faultCase);
    test::ForgetPrinterLink();
    Outcome outcome;
    CurrentSession().observer = [&](const SentRequest& sent) {
        outcome.requests.push_back(
            DescribeRequest(sent.request, sent.value, sent.index, sent.length));
        bench.RequestSent(static_cast<int>(outcome.requests.size()));
    };
    CommandRun run;
    run.state = SeededState();
    run.iniPath = CampaignIniPath();
    std::filesystem::remove(run.iniPath);

    command.run(run);

    CurrentSession().observer = nullptr;
    outcome.messages = run.messages.shown;
    outcome.fields = RunFields(run);
    outcome.link = LinkState(bench.Counts());
    ClosePrinterLink();
    const OpenCounts after = bench.Counts();
    if (after.handles != 0 || after.deviceSets != 0 || after.registryKeys != 0) {
        outcome.link += "; still open after ClosePrinterLink";
    }
    for (const std::string& leftover : bench.Leftovers()) {
        outcome.link += "; " + leftover;
    }
    return outcome;
}

std::vector<FaultCase> CasesOf(int positions, std::span<const Fault> faults,
                               bool unpluggedBeforeOpening) {
    std::vector<FaultCase> cases = {{Fault::None, 0}};
    if (unpluggedBeforeOpening) {
        cases.push_back({Fault::Unplugged, kBeforeOpening});
    }
    for (int position = 0; position < positions; ++position) {
        for (const Fault fault : faults) {
            cases.push_back({fault, position});
        }
    }
    return cases;
}

}  // namespace

CampaignResult RunCampaign(std::string_view part, std::span<const CampaignCommand* const> commands,
                           std::span<const Fault> faults, Bench& bench,
                           bool unpluggedBeforeOpening) {
    CampaignResult result;
    std::size_t positions = 0;
    for (const CampaignCommand* command : commands) {
        const std::vector<Step> steps = StepsOf(*command);
        positions += steps.size();
        for (const FaultCase& faultCase :
             CasesOf(static_cast<int>(steps.size()), faults, unpluggedBeforeOpening)) {
            const Outcome expected = ExpectedOutcome(*command, faultCase);
            const Outcome actual = Observe(*command, faultCase, bench);
            ++result.cases;
            const std::vector<std::string> differences = Differences(expected, actual);
            if (differences.empty()) {
                continue;
            }
            ++result.mismatches;
            std::string what = std::string(command->name) + ", " + faultCase.Describe();
            if (faultCase.position >= 0 && faultCase.fault != Fault::None) {
                const Step& hit = steps[faultCase.position];
                what += " (request " + std::to_string(hit.code) + ", " +
                        CatalogueRow(hit.request).operation + ")";
            }
            PrintMismatch(part, what, differences);
        }
    }
    const std::size_t count = commands.size();
    std::cout << part << ": " << count << " commands, " << positions << " request positions x "
              << faults.size() << " faults + " << count << " fault-free"
              << (unpluggedBeforeOpening
                      ? " + " + std::to_string(count) + " unplugged before opening"
                      : "")
              << " = " << result.cases << " cases, " << result.mismatches << " mismatches"
              << std::endl;
    Count(result);
    return result;
}

void PrintMismatch(std::string_view part, const std::string& what,
                   const std::vector<std::string>& differences) {
    std::cout << "mismatch (" << part << "): " << what << "\n";
    for (const std::string& line : differences) {
        std::cout << "    " << line << "\n";
    }
}

CampaignResult& Totals() {
    static CampaignResult totals;
    return totals;
}

void Count(const CampaignResult& result) {
    Totals().cases += result.cases;
    Totals().mismatches += result.mismatches;
}

std::string CampaignIniPath() {
    static const std::string path = [] {
        const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                             ("fault-campaign-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return (folder / "campaign.INI").string();
    }();
    return path;
}

}  // namespace rpanel::campaign

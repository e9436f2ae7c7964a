// Runs commands against faulty printers and compares what they did with what they must do.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "campaign_commands.h"
#include "fault_case.h"
#include "outcome.h"

namespace rpanel::campaign {

// Where the commands run: a printer behind a device platform.
class Bench {
public:
    virtual ~Bench() = default;
    // Attaches a fresh printer (PreparePrinter) that commits the case's fault, and makes its
    // platform the one the link uses.
    virtual void Attach(const FaultCase& faultCase) = 0;
    // After each request the program sends, with how many it has sent in this case.
    virtual void RequestSent(int count) { (void)count; }
    // What the platform holds open.
    virtual OpenCounts Counts() const = 0;
    // After the case, with the link closed: what the platform finds left behind (handles
    // closed twice, descriptors still open), one line each.
    virtual std::vector<std::string> Leftovers() = 0;
};

struct CampaignResult {
    int cases = 0;
    int mismatches = 0;
};

// Runs every command in every fault-free case, at every position of its sequence with every
// fault, and, when asked, with the printer unplugged before opening. Prints each mismatch and
// then one line with the part's size and result.
CampaignResult RunCampaign(std::string_view part, std::span<const CampaignCommand* const> commands,
                           std::span<const Fault> faults, Bench& bench,
                           bool unpluggedBeforeOpening);

// Prints one mismatch: what ran, and a line per difference.
void PrintMismatch(std::string_view part, const std::string& what,
                   const std::vector<std::string>& differences);

// The tally of every part of the run, for its last line.
CampaignResult& Totals();
void Count(const CampaignResult& result);

// Where the viewer's Save writes during the campaign.
std::string CampaignIniPath();

}  // namespace rpanel::campaign

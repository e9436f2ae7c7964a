// What a command must do when the printer commits a fault, derived from the command's written-out
// requests and the rules for each kind of reply rather than written per case.
#pragma once

#include "campaign_commands.h"
#include "fault_case.h"
#include "outcome.h"

namespace rpanel::campaign {

Outcome ExpectedOutcome(const CampaignCommand& command, const FaultCase& faultCase);

}  // namespace rpanel::campaign

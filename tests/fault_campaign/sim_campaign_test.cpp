// Every command against the simulated printer, with every fault at every request.
#include <gtest/gtest.h>

#include <optional>

#include "campaign_runner.h"
#include "link/device_session.h"
#include "link/sim/sim_platform.h"

namespace rpanel::campaign {
namespace {

class SimBench final : public Bench {
public:
    void Attach(const FaultCase& faultCase) override {
        session_.reset();
        sim_.reset();  // it points at the printer
        printer_.emplace();
        PreparePrinter(*printer_);
        InjectInto(*printer_, faultCase);
        sim_.emplace(SimPlatform::WithPrinter(*printer_));
        session_.emplace(*sim_);
    }
    OpenCounts Counts() const override {
        return {sim_->OpenHandleCount(), sim_->OpenDeviceSetCount(), sim_->OpenRegistryKeyCount()};
    }
    std::vector<std::string> Leftovers() override {
        if (sim_->strayCloses == 0) {
            return {};
        }
        return {std::to_string(sim_->strayCloses) + " handles closed that were not open"};
    }

private:
    std::optional<PrinterModel> printer_;
    std::optional<SimPlatform> sim_;
    std::optional<DeviceSession> session_;
};

TEST(FaultCampaign, EveryCommandMeetsEveryPrinterFaultAtEveryRequest) {
    std::vector<const CampaignCommand*> commands;
    for (const CampaignCommand& command : CampaignCommands()) {
        commands.push_back(&command);
    }
    SimBench bench;
    const CampaignResult result =
        RunCampaign("simulated printer", commands, kPrinterFaults, bench, true);
    EXPECT_EQ(result.mismatches, 0);
}

}  // namespace
}  // namespace rpanel::campaign

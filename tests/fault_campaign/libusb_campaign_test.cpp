// The campaign through the libusb adapter, against a printer that umockdev emulates on the
// bus: the replies that the simulated printer spoils travel as real control transfers, an
// unplugged printer fails them as the kernel does (no device), and a printer that never answers
// makes them time out. A printer unplugged before opening is left out: the emulated device
// stays in the testbed's /sys, so it would still be found.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

#include "campaign_runner.h"
#include "emulated_usb.h"
#include "link/device_session.h"
#include "link/libusb/libusb_platform.h"
#include "link/printer_link.h"

namespace rpanel::campaign {
namespace {

using namespace std::chrono_literals;

constexpr Fault kBusFaults[] = {
    Fault::NoReply,       Fault::OneByte,     Fault::TwoBytes,  Fault::ThreeBytes,
    Fault::AckWithoutNul, Fault::RandomBytes, Fault::Unplugged, Fault::TimedOut,
};

// A printer that does not answer costs this long per request.
constexpr auto kTransferTimeout = 20ms;

class LibusbBench final : public Bench {
public:
    LibusbBench() {
        printer_.emplace();
        usb_.AddRootHub(1);
        node_ = usb_.Add(test::PrinterAt("1-2", 2), &*printer_);
        platform_ = std::make_unique<LibusbPlatform>(kTransferTimeout);
    }
    ~LibusbBench() override {
        session_.reset();
        platform_.reset();  // libusb goes before the testbed
    }
    LibusbBench(const LibusbBench&) = delete;
    LibusbBench& operator=(const LibusbBench&) = delete;

    bool Started() const { return platform_->Started(); }

    void Attach(const FaultCase& faultCase) override {
        // A fresh printer in the place of the old one, where the emulated node looks for it;
        // no transfer is under way between two cases.
        printer_.emplace();
        PreparePrinter(*printer_);
        InjectInto(*printer_, faultCase);
        silentAt_ = faultCase.fault == Fault::TimedOut ? faultCase.position : -1;
        node_->SetFault(silentAt_ == 0 ? test::Fault::Silent : test::Fault::None);
        if (!session_) {
            session_.emplace(*platform_);
        }
    }
    // The node withholds the answer to exactly the request at the case's position.
    void RequestSent(int count) override {
        if (count == silentAt_) {
            node_->SetFault(test::Fault::Silent);
        } else if (count == silentAt_ + 1) {
            node_->SetFault(test::Fault::None);
        }
    }
    OpenCounts Counts() const override {
        return {platform_->OpenHandleCount(), platform_->OpenDeviceSetCount(),
                platform_->OpenRegistryKeyCount()};
    }
    std::vector<std::string> Leftovers() override {
        node_->SetFault(test::Fault::None);
        const int open = node_->OpenDescriptors();
        if (open == 0) {
            return {};
        }
        return {std::to_string(open) + " descriptors of the device node still open"};
    }

private:
    std::optional<PrinterModel> printer_;
    test::EmulatedUsb usb_;
    test::EmulatedDevice* node_ = nullptr;
    std::unique_ptr<LibusbPlatform> platform_;
    std::optional<DeviceSession> session_;
    int silentAt_ = -1;
};

TEST(FaultCampaign, ALibusbPrinterMeetsTheFaultsOnTheBus) {
    std::vector<const CampaignCommand*> commands;
    for (const CampaignCommand& command : CampaignCommands()) {
        commands.push_back(&command);
    }
    LibusbBench bench;
    ASSERT_TRUE(bench.Started());
    const CampaignResult result = RunCampaign("libusb adapter", commands, kBusFaults, bench, false);
    EXPECT_EQ(result.mismatches, 0);
}

}  // namespace
}  // namespace rpanel::campaign

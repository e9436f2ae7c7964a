// A test with a simulated machine in place of the system's devices, the request trace
// recorded, and the link closed and the platform restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/app_state.h"
#include "link/device_session.h"
#include "link/printer_link.h"
#include "link/sim/sim_platform.h"
#include "link/vendor_request.h"
#include "support/link_setup.h"
#include "support/recording_messages.h"

namespace rpanel::test {

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim = SimPlatform::WithPrinter(printer);
        session.emplace(sim, [this](const SentRequest& request) { sent.push_back(request); });
        ForgetPrinterLink();
    }
    void TearDown() override {
        ClosePrinterLink();
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "a device handle was left open";
        EXPECT_EQ(sim.OpenDeviceSetCount(), 0) << "a device set was left open";
        EXPECT_EQ(sim.OpenRegistryKeyCount(), 0) << "a registry key was left open";
        session.reset();
    }

    static bool Open() { return OpenPrinter(); }

    PrinterModel printer;
    SimPlatform sim;
    std::optional<DeviceSession> session;
    AppState state;
    RecordingMessages messages;
    std::vector<SentRequest> sent;
};

}  // namespace rpanel::test

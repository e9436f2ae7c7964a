// Why an opening failed, when the printer is there but the system would not let it be opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "link/printer_link.h"
#include "link/sim/scenario.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::SimTest;

constexpr char kNoPermission[] = "the printer at 1-1 is attached but this user may not open it";

using OpenFailure = SimTest;

TEST_F(OpenFailure, ARefusedPrinterFailsToOpenAndTheReasonIsKept) {
    printer.RefuseOpening(kNoPermission);
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), kNoPermission);
    EXPECT_EQ(sim.LastOpenFailureReason(), kNoPermission);
    EXPECT_EQ(sim.OpenHandleCount(), 0);
    EXPECT_FALSE(IsOpenHandle(GetPrinterLink().deviceHandle));
}

TEST_F(OpenFailure, TheReasonLastsUntilTheNextOpening) {
    printer.RefuseOpening(kNoPermission);
    EXPECT_FALSE(Open());
    ClosePrinterLink();
    EXPECT_EQ(OpenFailureReason(), kNoPermission) << "closing the link is not an opening";

    printer.RefuseOpening("");
    EXPECT_TRUE(Open());
    EXPECT_EQ(OpenFailureReason(), "");
}

TEST_F(OpenFailure, AnAbsentPrinterGivesNoReason) {
    printer.RefuseOpening(kNoPermission);
    EXPECT_FALSE(Open());
    printer.SetPresent(false);
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), "") << "a reason from an earlier opening was kept";
}

TEST_F(OpenFailure, AnInterfaceThatOpensOnlyOnceGivesNoReason) {
    sim.printerClassDevices[0].maxOpenHandles = 1;
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), "");
}

TEST_F(OpenFailure, OfTwoRefusedPrintersTheReasonOfTheOneTriedFirstIsShown) {
    // Two hardware IDs, each matched by its own device: the first refusal is the one told.
    PrinterModel second;
    second.RefuseOpening("the second printer is held by another program");
    printer.RefuseOpening(kNoPermission);
    SimPrinterClassDevice other;
    other.hardwareIds = {{"USB\\VID_0000&PID_0013"}};
    other.interfacePath = "sim:1-2:1.0";
    other.printer = &second;
    sim.printerClassDevices.push_back(other);

    PrinterLink configuration;
    std::snprintf(configuration.hardwareIds, sizeof configuration.hardwareIds, "%s,%s",
                  kPrinterHardwareId, "USB\\VID_0000&PID_0013");
    GetPrinterLink(&configuration);
    EXPECT_EQ(OpenPrinterLink(), 0);
    EXPECT_EQ(OpenFailureReason(), kNoPermission);
}

TEST(OpenFailureScenario, ScenarioFilesRefuseTheOpeningWithAReason) {
    PrinterModel printer;
    std::string error;
    ASSERT_TRUE(ApplyScenario(R"({"faults": {"refuse_open": "held elsewhere"}})", printer, &error))
        << error;
    EXPECT_EQ(printer.OpeningRefusal(), "held elsewhere");

    for (const char* wrong :
         {R"({"faults": {"refuse_open": 1}})", R"({"faults": {"refuse_open": ""}})"}) {
        PrinterModel untouched;
        EXPECT_FALSE(ApplyScenario(wrong, untouched, &error)) << wrong;
        EXPECT_NE(error.find("refuse_open"), std::string::npos) << error;
        EXPECT_EQ(untouched.OpeningRefusal(), "");
    }
}

}  // namespace
}  // namespace rpanel

// Why an opening failed, when the printer is there but the system would not let it be opened.
#include <gtest/gtest.h>

#include "link/printer_link.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

constexpr char kNoPermission[] = "the printer at 1-1 is attached but this user may not open it";

using OpenFailure = test::SimTest;

TEST_F(OpenFailure, TheReasonOfARefusalLastsUntilTheNextOpening) {
    printer.RefuseOpening(kNoPermission);
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), kNoPermission);
    EXPECT_FALSE(IsOpenHandle(GetPrinterLink().deviceHandle));
    ClosePrinterLink();
    EXPECT_EQ(OpenFailureReason(), kNoPermission) << "closing the link is not an opening";

    printer.RefuseOpening("");
    EXPECT_TRUE(Open());
    EXPECT_EQ(OpenFailureReason(), "");
}

TEST_F(OpenFailure, AnAbsentPrinterOrOneThatOpensOnlyOnceGivesNoReason) {
    printer.RefuseOpening(kNoPermission);
    EXPECT_FALSE(Open());
    printer.SetPresent(false);
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), "") << "a reason from an earlier opening was kept";

    printer.SetPresent(true);
    printer.RefuseOpening("");
    sim.printerClassDevices[0].maxOpenHandles = 1;
    EXPECT_FALSE(Open());
    EXPECT_EQ(OpenFailureReason(), "");
}

TEST_F(OpenFailure, OfTwoRefusedPrintersTheReasonOfTheOneTriedFirstIsShown) {
    // Two hardware IDs, each matched by its own device: the first refusal is the one told.
    PrinterModel second;
    second.RefuseOpening("the second printer is held by another program");
    printer.RefuseOpening(kNoPermission);
    sim.printerClassDevices.push_back(
        {.hardwareIds = {{"USB\\VID_0000&PID_0013"}}, .interfacePath = "p1", .printer = &second});
    EXPECT_FALSE(test::OpenLinkWith(0, "USB\\VID_0000&PID_0012,USB\\VID_0000&PID_0013"));
    EXPECT_EQ(OpenFailureReason(), kNoPermission);
}

}  // namespace
}  // namespace rpanel

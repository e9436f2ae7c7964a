#include "link/printer_link.h"

#include <gtest/gtest.h>

#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::OpenLinkWith;
using Ids = std::vector<std::string>;

constexpr char kBare[] = "USB\\VID_0000&PID_0012";
constexpr char kRevision[] = "USB\\VID_0000&PID_0012&REV_0100";
constexpr char kOther[] = "USB\\VID_1111&PID_2222";

class Discovery : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        sim.printerClassDevices.clear();
    }
    SimStillImageDevice& AddStillImage(int number, std::uint16_t vendor, std::uint16_t product) {
        sim.stillImageDevices.push_back({number, {vendor, product, 0x0100, 0}, true, &printer});
        return sim.stillImageDevices.back();
    }
};

// A printer-class device; with no IDs, one without the hardware-ID property.
SimPrinterClassDevice Device(Ids ids, std::string path = "p0") {
    return {.hardwareIds = ids.empty() ? std::nullopt : std::optional(ids),
            .interfacePath = std::move(path)};
}

TEST_F(Discovery, FindsThePrinterClassDeviceThatCarriesTheId) {
    SimPrinterClassDevice badProperty = Device({kOther}, "other");
    badProperty.propertyFails = true;
    SimPrinterClassDevice openedOnce = Device({kBare});
    openedOnce.maxOpenHandles = 1;
    const struct {
        const char* what;
        std::vector<SimPrinterClassDevice> devices;
        const char* ids;  // the configured list
        bool opens;
        const char* opened;  // the path both handles were asked for; null: none
    } cases[] = {
        {"the bare ID after a revision ID", {Device({kRevision, kBare})}, kBare, true, "p0"},
        {"a revision ID alone", {Device({kRevision})}, kBare, false, nullptr},
        {"letter case", {Device({"usb\\vid_0000&pid_0012"})}, kBare, true, "p0"},
        {"the lower of two matches",
         {Device({}, "none"), Device({kOther}, "other"), Device({kBare}, "1st"),
          Device({kBare}, "2nd")},
         kBare,
         true,
         "1st"},
        // An unexpected error reading a property ends the whole search.
        {"a property error", {badProperty, Device({kBare})}, kBare, false, nullptr},
        {"an interface that opens only once", {openedOnce}, kBare, false, "p0"},
        {"a match without an interface path", {Device({kBare}, "")}, kBare, false, nullptr},
        {"the IDs of a list in turn", {Device({kBare})}, "x,,USB\\VID_0000&PID_0012", true, "p0"},
        {"a list of only a comma", {Device({kBare})}, ",", false, nullptr},
    };
    for (const auto& c : cases) {
        sim.printerClassDevices = c.devices;
        sim.openedPaths.clear();
        EXPECT_EQ(OpenLinkWith(0, c.ids), c.opens) << c.what;
        EXPECT_EQ(sim.openedPaths, (c.opened ? Ids{c.opened, c.opened} : Ids{})) << c.what;
        // The record holds the ID that opened; a failed opening leaves nothing open.
        if (c.opens) {
            EXPECT_STREQ(GetPrinterLink().hardwareIds, kBare) << c.what;
        } else {
            EXPECT_EQ(sim.OpenHandleCount(), 0) << c.what;
        }
        ClosePrinterLink();
    }
}

// A platform that answers "too small" without asking for more must not hold the search.
class ShrinkingIds : public SimPlatform {
public:
    PropertyResult ReadHardwareIds(DeviceSet, std::uint32_t, char*, std::uint32_t size,
                                   std::uint32_t* required) override {
        *required = size;
        return PropertyResult::BufferTooSmall;
    }
};

TEST_F(Discovery, FailsWithoutADeviceSetOrWhenTheIdsNeverFit) {
    ShrinkingIds shrinking;
    sim = SimPlatform::WithPrinter(printer);
    static_cast<SimPlatform&>(shrinking) = sim;
    {
        const DeviceSession shrinkingIds(shrinking);
        EXPECT_FALSE(Open());
        EXPECT_EQ(shrinking.OpenDeviceSetCount(), 0);
    }
    sim.deviceSetFails = true;
    EXPECT_FALSE(Open());
}

TEST_F(Discovery, PrinterClassUsesOneHandleForControlAndRequestsAndClosesItOnce) {
    sim = SimPlatform::WithPrinter(printer);
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Open());  // opening an open link re-opens it
    const PrinterLink& link = GetPrinterLink();
    EXPECT_EQ(link.controlHandle, link.deviceHandle);
    EXPECT_NE(link.secondHandle, link.deviceHandle);
    EXPECT_EQ(sim.OpenHandleCount(), 2);
    ClosePrinterLink();
    ClosePrinterLink();  // closing a closed link only sets the marks again
    EXPECT_EQ(sim.OpenHandleCount(), 0);
    EXPECT_EQ(sim.strayCloses, 0);
    EXPECT_EQ(link.controlHandle, kInvalidHandle);
    EXPECT_EQ(link.secondHandle, kInvalidHandle);
}

TEST_F(Discovery, StillImageNumbersRunFrom0To99) {
    AddStillImage(99, 0x0000, 0x0012);
    ASSERT_TRUE(OpenLinkWith(1, kBare));
    EXPECT_EQ(sim.openedPaths.front(), "\\\\.\\Usbscan0\\0");
    // firstPipe 0: requests go over the control handle; secondPipe 1 opens pipe 1.
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan99\\1");
    EXPECT_EQ(GetPrinterLink().deviceHandle, GetPrinterLink().controlHandle);

    ClosePrinterLink();
    sim.stillImageDevices.front().number = 100;
    sim.openedPaths.clear();
    EXPECT_FALSE(OpenLinkWith(1, kBare));
    EXPECT_EQ(sim.openedPaths.size(), 100u);
}

TEST_F(Discovery, StillImageClosesAMismatchAndReadsTheNumbersFromTheirFixedPlaces) {
    AddStillImage(0, 0xABCD, 0x1235);
    AddStillImage(1, 0xABCD, 0x1234).descriptorReadable = false;
    AddStillImage(2, 0xABCD, 0x1234);
    ASSERT_TRUE(OpenLinkWith(1, "USB\\VID_abcd&PID_1234", 3, -1));
    // Only the found control handle and its pipe 3 are open; no second pipe.
    EXPECT_EQ(sim.OpenHandleCount(), 2);
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan2\\3");
    EXPECT_EQ(GetPrinterLink().secondHandle, kInvalidHandle);
}

TEST_F(Discovery, AnEmptyListSearchesTheRegistryForTheDriversExactServiceName) {
    sim = SimPlatform::WithPrinter(printer);
    AddStillImage(3, 0x0000, 0x0012);
    sim.registry.clear();
    EXPECT_FALSE(OpenLinkWith(0, ""));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X1", "USBPRINT");
    EXPECT_FALSE(OpenLinkWith(0, ""));
    EXPECT_FALSE(OpenLinkWith(1, ""));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X2", "usbprint");
    EXPECT_TRUE(OpenLinkWith(0, ""));
    EXPECT_STREQ(GetPrinterLink().hardwareIds, kBare);
    EXPECT_FALSE(OpenLinkWith(1, ""));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X3", "usbscan");
    EXPECT_TRUE(OpenLinkWith(1, ""));
}

TEST_F(Discovery, ListsWhatItSees) {
    sim.printerClassDevices = {Device({}, "none"), Device({kRevision, kBare}, "p1")};
    auto devices = ListPrinterClassDevices(kBare);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_TRUE(devices[0].hardwareIds.empty());
    EXPECT_FALSE(devices[0].matches);
    EXPECT_EQ(devices[1].hardwareIds, (Ids{kRevision, kBare}));
    EXPECT_EQ(devices[1].interfacePath, "p1");
    EXPECT_TRUE(devices[1].matches);
}

}  // namespace
}  // namespace rpanel

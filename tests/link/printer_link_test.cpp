#include "link/printer_link.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::SimTest;

constexpr char kBareId[] = "USB\\VID_0000&PID_0012";
constexpr char kRevisionId[] = "USB\\VID_0000&PID_0012&REV_0100";

class Discovery : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        sim.printerClassDevices.clear();
    }
    SimPrinterClassDevice& AddDevice(std::vector<std::string> ids, std::string path) {
        SimPrinterClassDevice device;
        device.hardwareIds = std::move(ids);
        device.interfacePath = std::move(path);
        device.printer = &printer;
        sim.printerClassDevices.push_back(device);
        return sim.printerClassDevices.back();
    }
    // Opens with a configuration of our own instead of SetPrinterIds'.
    bool OpenWith(int driverKind, const char* ids, int firstPipe = 0, int secondPipe = 1) {
        PrinterLink configuration;
        configuration.driverKind = driverKind;
        std::strcpy(configuration.hardwareIds, ids);
        configuration.firstPipe = firstPipe;
        configuration.secondPipe = secondPipe;
        GetPrinterLink(&configuration);
        return OpenPrinterLink() == 1;
    }
    SimStillImageDevice& AddStillImage(int number, std::uint16_t vendor, std::uint16_t product) {
        SimStillImageDevice device;
        device.number = number;
        device.descriptor.vendor = vendor;
        device.descriptor.product = product;
        device.printer = &printer;
        sim.stillImageDevices.push_back(device);
        return sim.stillImageDevices.back();
    }
};

TEST_F(Discovery, MatchesTheBareIdAfterARevisionId) {
    AddDevice({kRevisionId, kBareId}, "p0");
    EXPECT_TRUE(Open());
    EXPECT_EQ(sim.openedPaths, (std::vector<std::string>{"p0", "p0"}));
}

TEST_F(Discovery, ARevisionIdAloneDoesNotMatch) {
    AddDevice({kRevisionId}, "p0");
    EXPECT_FALSE(Open());
    EXPECT_TRUE(sim.openedPaths.empty());
}

TEST_F(Discovery, ComparesIdsWithoutRegardToLetterCase) {
    AddDevice({"usb\\vid_0000&pid_0012"}, "p0");
    EXPECT_TRUE(Open());
}

TEST_F(Discovery, SkipsDevicesWithoutIdsAndTakesTheLowestMatchingMember) {
    sim.printerClassDevices.push_back({std::nullopt, "none", false, 2, &printer});
    AddDevice({"USB\\VID_1111&PID_2222"}, "other");
    AddDevice({kBareId}, "first");
    AddDevice({kBareId}, "second");
    EXPECT_TRUE(Open());
    EXPECT_EQ(sim.openedPaths, (std::vector<std::string>{"first", "first"}));
}

TEST_F(Discovery, AnUnexpectedPropertyErrorEndsTheSearch) {
    AddDevice({"USB\\VID_1111&PID_2222"}, "other").propertyFails = true;
    AddDevice({kBareId}, "printer");
    EXPECT_FALSE(Open());
    EXPECT_TRUE(sim.openedPaths.empty());
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

TEST_F(Discovery, AHardwareIdReadThatNeverFitsEndsTheSearch) {
    ShrinkingIds shrinking;
    static_cast<SimPlatform&>(shrinking) = sim;
    shrinking.printerClassDevices.push_back({{{kBareId}}, "p0", false, 2, &printer});
    UsePlatform(&shrinking);
    EXPECT_FALSE(Open());
    EXPECT_EQ(shrinking.OpenDeviceSetCount(), 0);
    UsePlatform(&sim);
}

TEST_F(Discovery, APrinterWhoseInterfaceOpensOnlyOnceIsNotFound) {
    AddDevice({kBareId}, "p0").maxOpenHandles = 1;
    EXPECT_FALSE(Open());
    EXPECT_EQ(sim.OpenHandleCount(), 0);
    EXPECT_EQ(GetPrinterLink().deviceHandle, kInvalidHandle);
}

TEST_F(Discovery, AMatchWithoutAnInterfacePathFails) {
    AddDevice({kBareId}, "");
    EXPECT_FALSE(Open());
}

TEST_F(Discovery, TriesEachIdOfAListInOrder) {
    AddDevice({kBareId}, "p0");
    EXPECT_TRUE(OpenWith(0, "USB\\VID_1111&PID_2222,,USB\\VID_0000&PID_0012"));
    // While searching, the record holds the ID being tried; the one that opened stays.
    EXPECT_STREQ(GetPrinterLink().hardwareIds, kBareId);
}

TEST_F(Discovery, AListOfOnlyACommaTriesNothing) {
    AddDevice({kBareId}, "p0");
    EXPECT_FALSE(OpenWith(0, ","));
    EXPECT_TRUE(sim.openedPaths.empty());
}

TEST_F(Discovery, PrinterClassUsesOneHandleForControlAndRequestsAndClosesItOnce) {
    AddDevice({kBareId}, "p0");
    ASSERT_TRUE(Open());
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

TEST_F(Discovery, OpeningAnOpenLinkReopensIt) {
    AddDevice({kBareId}, "p0");
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Open());
    EXPECT_EQ(sim.OpenHandleCount(), 2);
    EXPECT_EQ(sim.strayCloses, 0);
}

TEST_F(Discovery, FailedDeviceSetFails) {
    AddDevice({kBareId}, "p0");
    sim.deviceSetFails = true;
    EXPECT_FALSE(Open());
}

TEST_F(Discovery, StillImageNumbersRunFrom0To99) {
    AddStillImage(99, 0x0000, 0x0012);
    ASSERT_TRUE(OpenWith(1, kBareId));
    EXPECT_EQ(sim.openedPaths.front(), "\\\\.\\Usbscan0\\0");
    EXPECT_EQ(sim.openedPaths[99], "\\\\.\\Usbscan99\\0");
    // firstPipe 0: requests go over the control handle; secondPipe 1 opens pipe 1.
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan99\\1");
    EXPECT_EQ(GetPrinterLink().deviceHandle, GetPrinterLink().controlHandle);
}

TEST_F(Discovery, StillImageNumber100IsNotTried) {
    AddStillImage(100, 0x0000, 0x0012);
    EXPECT_FALSE(OpenWith(1, kBareId));
    EXPECT_EQ(sim.openedPaths.size(), 100u);
}

TEST_F(Discovery, StillImageClosesAMismatchBeforeTheNextName) {
    AddStillImage(0, 0x0000, 0x0013);
    AddStillImage(1, 0x0000, 0x0012).descriptorReadable = false;
    AddStillImage(2, 0x0000, 0x0012);
    ASSERT_TRUE(OpenWith(1, kBareId, 3, -1));
    // Only the found control handle and its pipe 3 are open; no second pipe.
    EXPECT_EQ(sim.OpenHandleCount(), 2);
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan2\\3");
    EXPECT_EQ(GetPrinterLink().secondHandle, kInvalidHandle);
}

TEST_F(Discovery, StillImageReadsVendorAndProductFromTheirFixedPlaces) {
    AddStillImage(5, 0xABCD, 0x1234);
    EXPECT_TRUE(OpenWith(1, "USB\\VID_abcd&PID_1234"));
}

TEST_F(Discovery, AnEmptyListSearchesTheRegistryForTheDriversService) {
    AddDevice({kBareId}, "p0");
    sim.registry.clear();
    sim.AddRegistryInstance("VID_0000&PID_0012", "X1", "USBPRINT");  // not the exact name
    sim.AddRegistryInstance("VID_0000&PID_0012", "X2", "usbprint");
    EXPECT_TRUE(OpenWith(0, ""));
    EXPECT_STREQ(GetPrinterLink().hardwareIds, kBareId);
}

TEST_F(Discovery, TheRegistrySearchForStillImageWantsUsbscan) {
    AddStillImage(3, 0x0000, 0x0012);
    sim.registry.clear();
    sim.AddRegistryInstance("VID_0000&PID_0012", "X1", "usbprint");
    EXPECT_FALSE(OpenWith(1, ""));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X2", "usbscan");
    EXPECT_TRUE(OpenWith(1, ""));
}

TEST_F(Discovery, AnEmptyRegistryFindsNothing) {
    sim.registry.clear();
    EXPECT_FALSE(OpenWith(0, ""));
}

TEST_F(Discovery, ListsWhatItSees) {
    sim.printerClassDevices.push_back({std::nullopt, "none", false, 2, &printer});
    AddDevice({kRevisionId, kBareId}, "p1");
    auto devices = ListPrinterClassDevices(kBareId);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_TRUE(devices[0].hardwareIds.empty());
    EXPECT_FALSE(devices[0].matches);
    EXPECT_EQ(devices[1].hardwareIds, (std::vector<std::string>{kRevisionId, kBareId}));
    EXPECT_EQ(devices[1].interfacePath, "p1");
    EXPECT_TRUE(devices[1].matches);
}

TEST_F(Discovery, AnUnpluggedPrinterIsNotFound) {
    AddDevice({kBareId}, "p0");
    printer.SetPresent(false);
    EXPECT_FALSE(Open());
}

}  // namespace
}  // namespace rpanel

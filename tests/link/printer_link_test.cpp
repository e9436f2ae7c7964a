#include "link/printer_link.h"

#include <gtest/gtest.h>

#include <tuple>

#include "link/win32/win32_platform.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::OpenLinkWith;
using Ids = std::vector<std::string>;
using Discovery = test::SimTest;

constexpr char kBare[] = "USB\\VID_0000&PID_0012";
constexpr char kRevision[] = "USB\\VID_0000&PID_0012&REV_0100";
constexpr char kOther[] = "USB\\VID_1111&PID_2222";
constexpr char kNoPermission[] = "the printer at 1-1 is attached but this user may not open it";

// A printer-class device; with no IDs, one without the hardware-ID property.
SimPrinterClassDevice Device(Ids ids, std::string path = "p0", int maxOpenHandles = 2,
                             bool propertyFails = false) {
    return {.hardwareIds = ids.empty() ? std::nullopt : std::optional(ids),
            .interfacePath = std::move(path),
            .propertyFails = propertyFails,
            .maxOpenHandles = maxOpenHandles};
}

TEST_F(Discovery, FindsThePrinterClassDeviceThatCarriesTheIdAndListsWhatItSees) {
    const std::vector four{Device({}, "none"), Device({kOther}, "other"), Device({kBare}, "1st"),
                           Device({kBare}, "2nd")};
    // What, the devices, the configured list of IDs, whether the link opens, and the path both
    // handles were asked for (null: none).
    using Case =
        std::tuple<const char*, std::vector<SimPrinterClassDevice>, const char*, bool, const char*>;
    const Case cases[] = {
        {"the bare ID after a revision ID", {Device({kRevision, kBare})}, kBare, true, "p0"},
        {"a revision ID alone", {Device({kRevision})}, kBare, false, nullptr},
        {"letter case", {Device({"usb\\vid_0000&pid_0012"})}, kBare, true, "p0"},
        {"the lower of two matches", four, kBare, true, "1st"},
        // An unexpected error reading a property ends the whole search.
        {"property error", {Device({kOther}, "o", 2, true), Device({kBare})}, kBare, false, {}},
        {"an interface that opens only once", {Device({kBare}, "p0", 1)}, kBare, false, "p0"},
        {"a match without an interface path", {Device({kBare}, "")}, kBare, false, nullptr},
        {"the IDs of a list in turn", {Device({kBare})}, "x,,USB\\VID_0000&PID_0012", true, "p0"},
        {"a list of only a comma", {Device({kBare})}, ",", false, nullptr},
    };
    for (const auto& [what, devices, ids, opens, opened] : cases) {
        SCOPED_TRACE(what);
        sim.printerClassDevices = devices;
        sim.openedPaths.clear();
        EXPECT_EQ(OpenLinkWith(0, ids), opens);
        EXPECT_EQ(sim.openedPaths, (opened ? Ids{opened, opened} : Ids{}));
        // The record holds the ID that opened; a failed opening leaves nothing open.
        EXPECT_EQ(sim.OpenHandleCount(), opens ? 2 : 0);
        if (opens) {
            EXPECT_STREQ(GetPrinterLink().hardwareIds, kBare);
        }
        ClosePrinterLink();
    }
    // The list of what discovery sees marks the devices that would match.
    sim.printerClassDevices = {Device({}, "none"), Device({kRevision, kBare}, "p1")};
    const auto devices = ListPrinterClassDevices(kBare);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(std::tie(devices[0].hardwareIds, devices[0].matches), std::make_tuple(Ids{}, false));
    EXPECT_EQ(std::tie(devices[1].hardwareIds, devices[1].interfacePath, devices[1].matches),
              std::make_tuple(Ids{kRevision, kBare}, "p1", true));
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
    static_cast<SimPlatform&>(shrinking) = sim;
    {
        const DeviceSession shrinkingIds(shrinking);
        EXPECT_FALSE(Open());
        EXPECT_EQ(shrinking.OpenDeviceSetCount(), 0);
    }
    sim.deviceSetFails = true;
    EXPECT_FALSE(Open());
    // Windows' answers: 122 is "too small", 13 "no such property", 5 "access denied". An answer
    // that asks for no more than it was given ends the search instead of spinning on it.
    using enum PropertyResult;
    const auto read = win32::HardwareIdReadFailure;
    EXPECT_EQ((std::vector{read(122, 96, 0), read(122, 200, 96), read(122, 96, 96), read(122, 0, 0),
                           read(13, 0, 0), read(5, 0, 0)}),
              (std::vector{BufferTooSmall, BufferTooSmall, Failed, Failed, NoProperty, Failed}));
}

TEST_F(Discovery, PrinterClassUsesOneHandleForControlAndRequestsAndClosesItOnce) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(Open());  // opening an open link re-opens it
    const PrinterLink& link = GetPrinterLink();
    EXPECT_EQ(link.controlHandle, link.deviceHandle);
    EXPECT_NE(link.secondHandle, link.deviceHandle);
    ClosePrinterLink();
    ClosePrinterLink();  // closing a closed link only sets the marks again
    EXPECT_EQ(sim.strayCloses, 0);
    EXPECT_EQ(std::tie(link.controlHandle, link.secondHandle),
              std::make_tuple(kInvalidHandle, kInvalidHandle));
}

TEST_F(Discovery, StillImageClosesAMismatchAndItsNumbersRunFrom0To99) {
    // Another product, the configured one with its descriptor unreadable, and readable.
    const DeviceDescriptor configured{0xABCD, 0x1234, 0x0100, 0};
    sim.stillImageDevices = {{0, {0xABCD, 0x1235, 0x0100, 0}, true, &printer},
                             {1, configured, false, &printer},
                             {2, configured, true, &printer}};
    ASSERT_TRUE(OpenLinkWith(1, "USB\\VID_abcd&PID_1234", 3, -1));
    // Only the found control handle and its pipe 3 are open; no second pipe.
    EXPECT_EQ(sim.OpenHandleCount(), 2);
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan2\\3");
    EXPECT_EQ(GetPrinterLink().secondHandle, kInvalidHandle);

    sim.stillImageDevices = {{99, {0x0000, 0x0012, 0x0100, 0}, true, &printer}};
    sim.openedPaths.clear();
    ASSERT_TRUE(OpenLinkWith(1, kBare));
    EXPECT_EQ(sim.openedPaths.front(), "\\\\.\\Usbscan0\\0");
    // firstPipe 0: requests go over the control handle; secondPipe 1 opens pipe 1.
    EXPECT_EQ(sim.openedPaths.back(), "\\\\.\\Usbscan99\\1");
    EXPECT_EQ(GetPrinterLink().deviceHandle, GetPrinterLink().controlHandle);
    sim.stillImageDevices.front().number = 100;
    sim.openedPaths.clear();
    EXPECT_FALSE(OpenLinkWith(1, kBare));
    EXPECT_EQ(sim.openedPaths.size(), 100u);

    // With no IDs, the registry names the devices of the driver's exact service name: whether
    // the printer-class and the still-image link open.
    sim.registry.clear();
    sim.stillImageDevices.front().number = 3;
    auto opens = [] { return std::pair{OpenLinkWith(0, ""), OpenLinkWith(1, "")}; };
    EXPECT_EQ(opens(), std::pair(false, false));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X1", "USBPRINT");
    EXPECT_EQ(opens(), std::pair(false, false));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X2", "usbprint");
    EXPECT_EQ(opens(), std::pair(true, false));
    sim.AddRegistryInstance("VID_0000&PID_0012", "X3", "usbscan");
    EXPECT_EQ(opens(), std::pair(true, true));
}

// Why an opening failed, when the printer is there but the system would not let it be opened.
TEST_F(Discovery, TheReasonOfTheFirstRefusalLastsUntilTheNextOpening) {
    PrinterModel second;
    second.RefuseOpening("the second printer is held by another program");
    printer.RefuseOpening(kNoPermission);
    sim.printerClassDevices.push_back(Device({"USB\\VID_0000&PID_0013"}, "p1"));
    sim.printerClassDevices.back().printer = &second;
    EXPECT_FALSE(OpenLinkWith(0, "USB\\VID_0000&PID_0012,USB\\VID_0000&PID_0013"));
    EXPECT_EQ(OpenFailureReason(), kNoPermission);
    EXPECT_FALSE(IsOpenHandle(GetPrinterLink().deviceHandle));
    ClosePrinterLink();
    EXPECT_EQ(OpenFailureReason(), kNoPermission) << "closing the link is not an opening";

    // Whether the printer opens, and the reason it did not.
    using Opening = std::pair<bool, std::string>;
    auto open = [] { return Opening{Open(), OpenFailureReason()}; };
    printer.RefuseOpening("");
    EXPECT_EQ(open(), Opening(true, ""));
    // An absent printer, or one that opens only once, gives no reason.
    printer.RefuseOpening(kNoPermission);
    EXPECT_EQ(open(), Opening(false, kNoPermission));
    printer.SetPresent(false);
    EXPECT_EQ(open(), Opening(false, "")) << "a reason from an earlier opening was kept";
    printer.SetPresent(true);
    printer.RefuseOpening("");
    sim.printerClassDevices[0].maxOpenHandles = 1;
    EXPECT_EQ(open(), Opening(false, ""));
}

}  // namespace
}  // namespace rpanel

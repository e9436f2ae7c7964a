// The libusb adapter against printers emulated with umockdev, and the texts it reads and writes.
#include "link/libusb/libusb_platform.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <libusb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <tuple>

#include "emulated_usb.h"
#include "link/device_session.h"
#include "link/libusb/open_refusal.h"
#include "link/libusb/usb_devices.h"
#include "link/printer_command.h"
#include "link/vendor_request.h"
#include "support/disk_faults.h"
#include "support/link_setup.h"
#include "support/recording_messages.h"

namespace rpanel {
namespace {

using Texts = std::vector<std::string>;

constexpr char kHardwareIds[] = "USB\\VID_0000&PID_0012&REV_0100\0USB\\VID_0000&PID_0012\0";
constexpr char kNotForThisUser[] =
    "the printer at 1-1.4 is attached but this user may not open /dev/bus/usb/001/004: install "
    "the udev rule 70-remote-panel.rules (see README, Install), load it with \"sudo udevadm "
    "control --reload && sudo udevadm trigger\" and plug the printer in again";
constexpr char kOrGroupLp[] =
    ", or run as a member of group \"lp\", which owns /dev/bus/usb/001/004";

// The buses are described in data/: one_bus has a composite printer at 1-2 (node 001/002),
// another maker's still-image device at 1-3, a device with only a vendor interface at 1-4
// (1234:ABCD), a second printer at 1-5 and the printer as a still-image device at 1-6 (001/006).
class LibusbTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (platform) {
            ClosePrinterLink();
            EXPECT_EQ(platform->OpenHandleCount(), 0) << "a device handle was left open";
            EXPECT_EQ(platform->OpenDeviceSetCount(), 0) << "a device set was left open";
            EXPECT_EQ(platform->OpenRegistryKeyCount(), 0) << "a registry key was left open";
        }
    }

    LibusbPlatform& Start(const char* world = "one_bus") {
        usb.emplace(world, printer);
        platform = std::make_unique<LibusbPlatform>(std::chrono::milliseconds(150));
        session.emplace(*platform);
        test::ForgetPrinterLink();
        return *platform;
    }

    PrinterModel printer;
    std::optional<test::EmulatedUsb> usb;  // outlives libusb
    std::unique_ptr<LibusbPlatform> platform;
    std::optional<DeviceSession> session;
};

// A command opens the printer interface twice, sends its requests as the Windows
// printer-class driver would, and closes everything again.
TEST_F(LibusbTest, PrinterClassRequestsTravelAsTheWindowsDriverSendsThem) {
    LibusbPlatform& usbPlatform = Start();
    ASSERT_TRUE(test::OpenPrinter());
    EXPECT_EQ(usb->OpenDescriptors("001/002"), 2);

    std::uint8_t text[kTextReplySize] = {};
    EXPECT_EQ(SendVendorRequest(21, 0x0300, 1, 4, text), 4u);
    EXPECT_TRUE(ReplyIsOk(text));
    EXPECT_GT(SendVendorRequest(13, 0x0200, 0, kTextReplySize, text), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 21), "@PJL INFO CONFIGCOUNT");
    // Both value bytes set: byte 1 of the block is the high byte of wValue.
    const Handle handle = GetPrinterLink().deviceHandle;
    usbPlatform.SendPrinterClassRequest(handle, {9, 0x12, 0x34}, text, 16);
    // wIndex is the printer interface (1), whatever index the request names.
    EXPECT_EQ(usb->Setups("001/002"), (Texts{"C1 15 03 00 01 00 04 00", "C1 0D 02 00 01 00 00 04",
                                             "C1 09 34 12 01 00 10 00"}));

    EXPECT_EQ(ClosePrinterLink(), 1);
    EXPECT_EQ(usb->OpenDescriptors("001/002"), 0) << "a device node was left open";
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(handle, {80, 0, 0}, text, 4), 0u);
}

// Another maker's still-image device comes first: the link takes the one whose descriptor
// names the printer.
TEST_F(LibusbTest, StillImageLinkFindsThePrinterByItsDescriptorAndSendsTheBlockAsItIs) {
    LibusbPlatform& usbPlatform = Start();
    ASSERT_TRUE(test::OpenLinkWith(1, kPrinterHardwareId, 0, 1));
    const Handle handle = GetPrinterLink().controlHandle;
    DeviceDescriptor d;
    ASSERT_TRUE(usbPlatform.ReadDeviceDescriptor(handle, &d));
    EXPECT_EQ(std::tie(d.vendor, d.product, d.release, d.language),
              std::make_tuple(0x0000, 0x0012, 0x0100, 0));

    std::uint8_t reply[kTextReplySize] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
    EXPECT_EQ(reply[0], 1) << "machine variant";
    SendVendorRequest(13, 0x0300, 0, kTextReplySize, reply);
    // The block's length is asked for, but never more than the reply buffer holds.
    usbPlatform.SendStillImageRequest(handle, {0, 4096, 0x0102, 80, 0xC0, 1}, reply, 2);
    // Host-to-device requests are not offered, nor printer-class requests on this handle.
    EXPECT_EQ(usbPlatform.SendStillImageRequest(handle, {0, 4, 1, 80, 0x41, 0}, reply, 4), 0u);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(handle, {80, 0, 0}, reply, 4), 0u);
    EXPECT_EQ(usb->Setups("001/006"), (Texts{"C1 50 00 00 01 00 04 00", "C1 0D 00 03 00 00 00 04",
                                             "C0 50 00 00 02 01 02 00"}));

    // Only printer interfaces and still-image pipes that are there open.
    for (const char* path : {"1-2:1.0", "1-2:2.1", "1-7:1.1", "2-2:1.1", "usb1:1.0", "",
                             "\\\\.\\Usbscan1\\4", "\\\\.\\Usbscan2\\0"}) {
        EXPECT_EQ(usbPlatform.OpenDevice(path, OpenAttributes::System), kInvalidHandle) << path;
    }
    const Handle printerClass = usbPlatform.OpenDevice("1-5:1.1", OpenAttributes::Normal);
    EXPECT_FALSE(usbPlatform.ReadDeviceDescriptor(printerClass, &d));
    // What is still open goes with the platform.
    session.reset();
    platform.reset();
    EXPECT_EQ(usb->OpenDescriptors("001/005") + usb->OpenDescriptors("001/006"), 0);
}

// two_buses: hub 1-1 with a printer at 1-1.4, a printer at 1-9 in configuration 2, one at 1-10,
// one with only a printer interface at 2-1, and none at 1-3 (still image) and 1-5 (vendor).
TEST_F(LibusbTest, DeviceSetHoldsThePrinterInterfacesInBusAndPortOrderWithTheirIds) {
    LibusbPlatform& usbPlatform = Start("two_buses");
    const DeviceSet set = usbPlatform.OpenPrinterDeviceSet();
    ASSERT_NE(set, 0u);
    Texts paths;
    for (std::uint32_t member = 0; usbPlatform.DeviceExists(set, member); ++member) {
        EXPECT_TRUE(usbPlatform.ReadInterfacePath(set, member, &paths.emplace_back()));
    }
    EXPECT_EQ(paths, (Texts{"1-1.4:1.1", "1-9:2.1", "1-10:1.1", "2-1:1.0"}));
    EXPECT_FALSE(usbPlatform.ReadInterfacePath(set, 4, &paths.back()));

    // The size needed comes first.
    std::uint32_t required = 0;
    std::vector<char> ids(sizeof kHardwareIds, 'x');
    auto read = [&](DeviceSet inSet, std::uint32_t member, char* buffer, std::uint32_t size) {
        return usbPlatform.ReadHardwareIds(inSet, member, buffer, size, &required);
    };
    ASSERT_EQ(read(set, 0, nullptr, 0), PropertyResult::BufferTooSmall);
    ASSERT_EQ(required, sizeof kHardwareIds);
    EXPECT_EQ(read(set, 0, ids.data(), required - 1), PropertyResult::BufferTooSmall);
    EXPECT_EQ(required, sizeof kHardwareIds);
    EXPECT_EQ(read(set, 0, ids.data(), required), PropertyResult::Ok);
    EXPECT_EQ(std::string(ids.begin(), ids.end()), std::string(kHardwareIds, sizeof kHardwareIds));
    EXPECT_EQ(read(set, 4, nullptr, 0), PropertyResult::Failed);
    EXPECT_EQ(read(set + 1, 0, nullptr, 0), PropertyResult::Failed);
    usbPlatform.CloseDeviceSet(set);
    EXPECT_FALSE(usbPlatform.DeviceExists(set, 0)) << "a closed set still answers";
}

TEST_F(LibusbTest, RegistryViewNamesTheDriverOfEachDevice) {
    LibusbPlatform& usbPlatform = Start();
    const std::string root = "SYSTEM\\CurrentControlSet\\Enum\\USB";
    const std::string printers = root + "\\VID_0000&PID_0012";
    char names[8][kSubkeyNameSize] = {};
    EXPECT_EQ(Texts(names, names + EnumSubkeyNames(root.c_str(), names, 8)),
              (Texts{"VID_0000&PID_0012", "VID_04B8&PID_0142", "VID_1234&PID_ABCD"}));
    EXPECT_EQ(Texts(names, names + EnumSubkeyNames(printers.c_str(), names, 8)),
              (Texts{"1-2", "1-5", "1-6"}));
    const std::pair<std::string, const char*> services[] = {
        {printers + "\\1-5", "usbprint"},
        {printers + "\\1-6", "usbscan"},
        {root + "\\VID_04B8&PID_0142\\1-3", "usbscan"},
        {root + "\\VID_1234&PID_ABCD\\1-4", "(none)"},
        {"system\\currentcontrolset\\enum\\usb\\vid_0000&pid_0012\\1-2", "usbprint"}};
    for (const auto& [path, service] : services) {
        char value[kRegistryStringSize] = "(none)";
        ReadRegistryString(path.c_str(), "Service", value);
        EXPECT_STREQ(value, service) << path;
    }
    EXPECT_EQ(usbPlatform.OpenRegistryKey(printers + "\\1-9"), 0u);
    const RegistryKey key = usbPlatform.OpenRegistryKey(printers + "\\1-2");
    char small[8] = {};
    EXPECT_FALSE(usbPlatform.ReadRegistryValue(key, "Service", small, 8)) << "no room for the NUL";
    usbPlatform.CloseRegistryKey(key);

    // With no IDs configured, the link finds the printer through these entries.
    ASSERT_TRUE(test::OpenLinkWith(0, ""));
    EXPECT_STREQ(GetPrinterLink().hardwareIds, "USB\\VID_0000&PID_0012");
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
}

// A stall refuses one request; a real transfer timeout, or a printer gone, ends the command's
// exchange after that one transfer. The next command starts afresh.
TEST_F(LibusbTest, TransfersThatGoWrongDeliverOnlyWhatArrivedAndAtMostOneTimeout) {
    Start();
    test::RecordingMessages messages;
    // What each request of a command delivered, and how many requests have reached the printer.
    using Outcome = std::pair<std::vector<std::uint32_t>, std::size_t>;
    auto command = [&] {
        std::vector<std::uint32_t> delivered;
        RunPrinterCommand(messages, [&] {
            for (const std::uint8_t code : {20, 22, 24}) {
                std::uint8_t reply[4] = {};
                delivered.push_back(SendVendorRequest(code, 0, 1, 4, reply));
            }
        });
        return Outcome(delivered, usb->Setups("001/002").size());
    };
    printer.HangAfter(0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(command(), (Outcome{{0, 0, 0}, 1})) << "only the first request waited";
    // Far less than the default timeout: the one given to the platform was used.
    EXPECT_LT(std::chrono::steady_clock::now() - start, LibusbPlatform::kDefaultTimeout / 2);
    printer.HangAfter(-1);
    printer.Script(20, std::nullopt, std::nullopt);
    EXPECT_EQ(command(), (Outcome{{0, 4, 4}, 4})) << "a stall refuses one request, not the command";
    printer.Script(20, std::nullopt, "ABCD");
    printer.Script(22, std::nullopt, "E");
    EXPECT_EQ(command(), (Outcome{{4, 1, 4}, 7}));
    printer.SetPresent(false);
    EXPECT_EQ(command(), (Outcome{{0, 0, 0}, 8})) << "after the printer was found gone, nothing";
}

TEST(OpenRefusal, NamesThePrinterTheNodeTheRuleAndAGroupThatHelps) {
    const char* node = "/dev/bus/usb/001/004";
    const UsbLocation hubPort4{1, {1, 4}};
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_ACCESS, hubPort4, node, "lp"),
              std::string(kNotForThisUser) + kOrGroupLp);
    // A group that helps nobody is not suggested.
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_ACCESS, hubPort4, node, ""), kNotForThisUser);
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_ACCESS, hubPort4, node, "root"), kNotForThisUser);
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_BUSY, UsbLocation{3, {2}}, node, "lp"),
              "the printer at 3-2 is held by another program: close that program and try again");
    // Other errors say nothing the user can act on.
    for (int error : {LIBUSB_ERROR_NO_DEVICE, LIBUSB_ERROR_IO, LIBUSB_ERROR_NO_MEM,
                      LIBUSB_ERROR_NOT_FOUND, LIBUSB_ERROR_OTHER}) {
        EXPECT_EQ(DescribeOpenRefusal(error, hubPort4, node, "lp"), "") << error;
    }
}

TEST_F(LibusbTest, ANodeThisUserMayNotOpenGivesTheReasonAfterAFailedOpening) {
    Start("two_buses");
    // The ordinary user must still see the devices in the testbed, which is private to its
    // creator, and reach umockdev's socket behind the node, which umockdev's preload connects
    // to whatever the open answers; only the node itself is closed to everybody.
    const std::string testbed = std::getenv("UMOCKDEV_DIR");
    const std::string node = testbed + "/dev/bus/usb/001/004";
    ASSERT_EQ(chmod(testbed.c_str(), 0755), 0);
    ASSERT_EQ(chmod((testbed + "/ioctl/dev/bus/usb/001/004").c_str(), 0777), 0);
    ASSERT_EQ(chmod(node.c_str(), 0), 0);
    // Where the test may hand the node to the printer group, as the udev rule does, the
    // reason names that group too.
    const group* lp = getgrnam("lp");
    const bool ofLp = geteuid() == 0 && lp != nullptr && chown(node.c_str(), 0, lp->gr_gid) == 0;
    {
        const test::OrdinaryUserFiles asUser;
        EXPECT_FALSE(test::OpenPrinter());
    }
    EXPECT_EQ(OpenFailureReason(), std::string(kNotForThisUser) + (ofLp ? kOrGroupLp : ""));

    // Once the user may open it, the printer opens and the reason is gone.
    EXPECT_EQ(chmod(node.c_str(), 0666), 0);
    EXPECT_TRUE(test::OpenPrinter());
    EXPECT_EQ(OpenFailureReason(), "");
}

TEST(DeviceNames, InterfacePathsRoundTripThroughTheKernelsNamesAndStillImageNamesParse) {
    EXPECT_EQ(FormatInterfacePath({{2, {1, 10}}, 1, 3}), "2-1.10:1.3");
    for (const char* text :
         {"1-2:1.0", "1-1.4:1.1", "2-1.10:1.3", "3-1.2.3.4.5.6.7:2.3", "255-255:255.255"}) {
        EXPECT_EQ(FormatInterfacePath(ParseInterfacePath(text).value_or(InterfacePath{})), text);
    }

    for (const char* text :
         {"", "1-2", "1-2:1", "1-2:1.", "1-:1.0", "-2:1.0", "usb1:1.0", "1-2..3:1.0", "1-2.:1.0",
          "1-2:1.0 ", " 1-2:1.0", "1-256:1.0", "1-2:1.256", "1-+2:1.0", "1-2:1.0:1.0",
          "1-1.2.3.4.5.6.7.8:1.0", "\\\\?\\usb#vid_0000&pid_0012#1#{guid}"}) {
        EXPECT_FALSE(ParseInterfacePath(text)) << text;
    }
    // Still-image names give their number and pipe.
    const auto name = ParseStillImageName("\\\\.\\Usbscan99\\2").value_or(StillImageName{});
    EXPECT_EQ(std::tie(name.number, name.pipe), std::make_tuple(99u, 2u));
    for (const char* text :
         {"\\\\.\\Usbscan0", "\\\\.\\Usbscan\\0", "\\\\.\\Usbscan0\\", "\\\\.\\Usbscan-1\\0",
          "\\\\.\\Usbscan0\\0\\1", "\\\\.\\Usbprint0\\0", "\\\\.\\Usbscan0\\x", "1-2:1.0"}) {
        EXPECT_FALSE(ParseStillImageName(text)) << text;
    }
}

}  // namespace
}  // namespace rpanel

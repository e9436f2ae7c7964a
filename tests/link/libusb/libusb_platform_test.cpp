#include "link/libusb/libusb_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulated_usb.h"
#include "link/device_session.h"
#include "link/printer_command.h"
#include "link/printer_link.h"
#include "link/vendor_request.h"
#include "support/link_setup.h"
#include "support/recording_messages.h"

namespace rpanel {
namespace {

using namespace std::chrono_literals;
using test::EmulatedDevice;
using test::Fault;
using test::OpenPrinter;
using test::PrinterAt;
using test::UsbDeviceInfo;
using Texts = std::vector<std::string>;

constexpr char kHardwareIds[] = "USB\\VID_0000&PID_0012&REV_0100\0USB\\VID_0000&PID_0012\0";

UsbDeviceInfo StillImageAt(const std::string& name, std::uint8_t devnum, std::uint16_t vendor,
                           std::uint16_t product) {
    UsbDeviceInfo info = PrinterAt(name, devnum);
    info.vendor = vendor;
    info.product = product;
    info.interfaces = {{0, 6, 3}};
    return info;
}

class LibusbTest : public ::testing::Test {
protected:
    void SetUp() override {
        usb.AddRootHub(1);
        test::ForgetPrinterLink();
    }
    void TearDown() override {
        if (platform) {
            ClosePrinterLink();
            EXPECT_EQ(platform->OpenHandleCount(), 0) << "a device handle was left open";
            EXPECT_EQ(platform->OpenDeviceSetCount(), 0) << "a device set was left open";
            EXPECT_EQ(platform->OpenRegistryKeyCount(), 0) << "a registry key was left open";
        }
        session.reset();
        platform.reset();  // libusb goes before the testbed
    }

    // Starts libusb over the devices added so far.
    LibusbPlatform& Start() {
        platform = std::make_unique<LibusbPlatform>(150ms);
        EXPECT_TRUE(platform->Started());
        session.emplace(*platform);
        return *platform;
    }

    PrinterModel printer;
    std::optional<DeviceSession> session;
    test::EmulatedUsb usb;
    std::unique_ptr<LibusbPlatform> platform;
};

// ---------------------------------------------------------------------------------------------
// The bytes on the wire

// A command opens the printer, sends its requests as the Windows printer-class driver would,
// and closes everything again; another maker's still-image device does not get in the way.
TEST_F(LibusbTest, PrinterClassRequestsTravelAsTheWindowsDriverSendsThem) {
    usb.Add(StillImageAt("1-1", 2, 0x04B8, 0x0142));
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 3), &printer);
    LibusbPlatform& usbPlatform = Start();
    ASSERT_TRUE(OpenPrinter());
    EXPECT_EQ(usbPlatform.OpenHandleCount(), 2);
    EXPECT_EQ(usbPlatform.OpenDeviceSetCount(), 0);

    std::uint8_t ack[4] = {};
    EXPECT_EQ(SendVendorRequest(21, 0x0300, 1, 4, ack), 4u);
    EXPECT_TRUE(ReplyIsOk(ack));
    EXPECT_EQ(printer.ValueOf(20), 3u) << "the printer read the parameter from the wrong byte";
    std::uint8_t text[kTextReplySize] = {};
    EXPECT_GT(SendVendorRequest(13, 0x0200, 0, kTextReplySize, text), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 21), "@PJL INFO CONFIGCOUNT");
    // Both value bytes set: byte 1 of the block is the high byte of wValue.
    usbPlatform.SendPrinterClassRequest(GetPrinterLink().deviceHandle, {9, 0x12, 0x34}, text, 16);
    // wIndex is the printer interface (1), whatever index the request names.
    EXPECT_EQ(node->Setups(), (Texts{"C1 15 03 00 01 00 04 00", "C1 0D 02 00 01 00 00 04",
                                     "C1 09 34 12 01 00 10 00"}));

    EXPECT_EQ(ClosePrinterLink(), 1);
    EXPECT_EQ(usbPlatform.OpenHandleCount(), 0);
    EXPECT_EQ(node->OpenDescriptors(), 0) << "a device node was left open";
}

// Another maker's still-image device comes first: the link takes the one whose descriptor
// names the printer.
TEST_F(LibusbTest, StillImageLinkFindsThePrinterByItsDescriptorAndSendsTheBlockAsItIs) {
    usb.Add(StillImageAt("1-2", 2, 0x04B8, 0x0142));
    EmulatedDevice* node = usb.Add(StillImageAt("1-3", 3, 0x0000, 0x0012), &printer);
    usb.Add(PrinterAt("1-4", 4), &printer);
    LibusbPlatform& usbPlatform = Start();

    ASSERT_TRUE(test::OpenLinkWith(1, kPrinterHardwareId, 0, 1));
    const Handle handle = GetPrinterLink().controlHandle;
    DeviceDescriptor descriptor;
    ASSERT_TRUE(usbPlatform.ReadDeviceDescriptor(handle, &descriptor));
    EXPECT_EQ(descriptor.vendor, 0x0000);
    EXPECT_EQ(descriptor.product, 0x0012);
    EXPECT_EQ(descriptor.release, 0x0100);
    EXPECT_EQ(descriptor.language, 0);

    std::uint8_t reply[kTextReplySize] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
    EXPECT_EQ(reply[0], 1) << "machine variant";
    SendVendorRequest(13, 0x0300, 0, kTextReplySize, reply);
    // The block's length is asked for, but never more than the reply buffer holds.
    usbPlatform.SendStillImageRequest(handle, {0, 4096, 0x0102, 80, 0xC0, 1}, reply, 2);
    // Host-to-device requests are not offered, nor printer-class requests on this handle.
    EXPECT_EQ(usbPlatform.SendStillImageRequest(handle, {0, 4, 1, 80, 0x41, 0}, reply, 4), 0u);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(handle, {80, 0, 0}, reply, 4), 0u);
    EXPECT_EQ(node->Setups(), (Texts{"C1 50 00 00 01 00 04 00", "C1 0D 00 03 00 00 00 04",
                                     "C0 50 00 00 02 01 02 00"}));

    // Pipes beyond the interface's three endpoints and devices beyond the second do not open.
    EXPECT_EQ(usbPlatform.OpenDevice("\\\\.\\Usbscan1\\4", OpenAttributes::System), kInvalidHandle);
    EXPECT_EQ(usbPlatform.OpenDevice("\\\\.\\Usbscan2\\0", OpenAttributes::System), kInvalidHandle);
    const Handle printerClass = usbPlatform.OpenDevice("1-4:1.1", OpenAttributes::Normal);
    EXPECT_FALSE(usbPlatform.ReadDeviceDescriptor(printerClass, &descriptor));
    usbPlatform.CloseDevice(printerClass);
}

// ---------------------------------------------------------------------------------------------
// Discovery

TEST_F(LibusbTest, DeviceSetHoldsThePrinterInterfacesInBusAndPortOrder) {
    usb.AddRootHub(2);
    usb.AddHub("1-1", 2);
    UsbDeviceInfo plainPrinter = PrinterAt("2-1", 2);
    plainPrinter.interfaces = {{0, 7, 2}};
    UsbDeviceInfo secondConfiguration = PrinterAt("1-9", 4);
    secondConfiguration.configuration = 2;
    UsbDeviceInfo vendorOnly = PrinterAt("1-5", 7);
    vendorOnly.interfaces = {{0, 0xFF, 2}};
    // Added out of order, so that neither the device numbers nor the names sort them right.
    usb.Add(plainPrinter);
    usb.Add(PrinterAt("1-10", 3));
    usb.Add(secondConfiguration);
    usb.Add(PrinterAt("1-1.4", 5));
    usb.Add(StillImageAt("1-3", 6, 0x0000, 0x0012));
    usb.Add(vendorOnly);
    LibusbPlatform& usbPlatform = Start();

    const DeviceSet set = usbPlatform.OpenPrinterDeviceSet();
    ASSERT_NE(set, 0u);
    Texts paths;
    for (std::uint32_t member = 0; usbPlatform.DeviceExists(set, member); ++member) {
        std::string path;
        EXPECT_TRUE(usbPlatform.ReadInterfacePath(set, member, &path));
        paths.push_back(path);
    }
    EXPECT_EQ(paths, (Texts{"1-1.4:1.1", "1-9:2.1", "1-10:1.1", "2-1:1.0"}));
    usbPlatform.CloseDeviceSet(set);
    EXPECT_FALSE(usbPlatform.DeviceExists(set, 0)) << "a closed set still answers";
}

TEST_F(LibusbTest, HardwareIdsAnswerTheSizeNeededFirst) {
    usb.Add(PrinterAt("1-2", 2), &printer);
    LibusbPlatform& usbPlatform = Start();
    const DeviceSet set = usbPlatform.OpenPrinterDeviceSet();

    std::uint32_t required = 0;
    ASSERT_EQ(usbPlatform.ReadHardwareIds(set, 0, nullptr, 0, &required),
              PropertyResult::BufferTooSmall);
    ASSERT_EQ(required, sizeof kHardwareIds);
    std::vector<char> ids(required - 1, 'x');
    EXPECT_EQ(usbPlatform.ReadHardwareIds(set, 0, ids.data(), required - 1, &required),
              PropertyResult::BufferTooSmall);
    EXPECT_EQ(required, sizeof kHardwareIds);
    ids.assign(required, 'x');
    EXPECT_EQ(usbPlatform.ReadHardwareIds(set, 0, ids.data(), required, &required),
              PropertyResult::Ok);
    EXPECT_EQ(std::string(ids.begin(), ids.end()), std::string(kHardwareIds, sizeof kHardwareIds));

    std::string path;
    EXPECT_EQ(usbPlatform.ReadHardwareIds(set, 1, nullptr, 0, &required), PropertyResult::Failed);
    EXPECT_EQ(usbPlatform.ReadHardwareIds(set + 1, 0, nullptr, 0, &required),
              PropertyResult::Failed);
    EXPECT_FALSE(usbPlatform.ReadInterfacePath(set, 1, &path));
    usbPlatform.CloseDeviceSet(set);
}

TEST_F(LibusbTest, OpensAnInterfacePathTwiceAndNothingElseAndClosesAllWhenDestroyed) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    LibusbPlatform& usbPlatform = Start();

    const Handle first = usbPlatform.OpenDevice("1-2:1.1", OpenAttributes::Normal);
    const Handle second = usbPlatform.OpenDevice("1-2:1.1", OpenAttributes::Normal);
    ASSERT_TRUE(IsOpenHandle(first));
    ASSERT_TRUE(IsOpenHandle(second));
    EXPECT_NE(first, second);
    EXPECT_EQ(node->OpenDescriptors(), 2);
    std::uint8_t reply[4] = {};
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(first, {80, 0, 0}, reply, 4), 4u);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(second, {80, 0, 0}, reply, 4), 4u);
    for (const char* path :
         {"1-2:1.0", "1-2:2.1", "1-7:1.1", "2-2:1.1", "usb1:1.0", "", "\\\\.\\Usbscan0\\0"}) {
        EXPECT_EQ(usbPlatform.OpenDevice(path, OpenAttributes::Normal), kInvalidHandle) << path;
    }
    usbPlatform.CloseDevice(first);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(first, {80, 0, 0}, reply, 4), 0u);
    EXPECT_EQ(node->OpenDescriptors(), 1);

    // What is still open goes with the platform.
    usbPlatform.OpenPrinterDeviceSet();
    usbPlatform.OpenRegistryKey("SYSTEM\\CurrentControlSet\\Enum\\USB");
    session.reset();
    platform.reset();
    EXPECT_EQ(node->OpenDescriptors(), 0) << "a device node was left open";
}

TEST_F(LibusbTest, RegistryViewNamesTheDriverOfEachDevice) {
    usb.Add(PrinterAt("1-2", 2), &printer);
    usb.Add(StillImageAt("1-3", 3, 0x04B8, 0x0142));
    UsbDeviceInfo vendorOnly = StillImageAt("1-4", 4, 0x1234, 0xABCD);
    vendorOnly.interfaces = {{0, 0xFF, 2}};
    usb.Add(vendorOnly);
    usb.Add(PrinterAt("1-5", 5));
    LibusbPlatform& usbPlatform = Start();

    auto subkeys = [](const std::string& path) {
        char names[8][kSubkeyNameSize] = {};
        return Texts(names, names + EnumSubkeyNames(path.c_str(), names, 8));
    };
    auto service = [](const std::string& path) {
        char value[kRegistryStringSize] = {};
        return std::string(ReadRegistryString(path.c_str(), "Service", value) ? value : "(none)");
    };
    const std::string root = "SYSTEM\\CurrentControlSet\\Enum\\USB";
    EXPECT_EQ(subkeys(root),
              (Texts{"VID_0000&PID_0012", "VID_04B8&PID_0142", "VID_1234&PID_ABCD"}));
    EXPECT_EQ(subkeys(root + "\\VID_0000&PID_0012"), (Texts{"1-2", "1-5"}));
    EXPECT_EQ(service(root + "\\VID_0000&PID_0012\\1-5"), "usbprint");
    EXPECT_EQ(service(root + "\\VID_04B8&PID_0142\\1-3"), "usbscan");
    EXPECT_EQ(service(root + "\\VID_1234&PID_ABCD\\1-4"), "(none)");
    EXPECT_EQ(service("system\\currentcontrolset\\enum\\usb\\vid_0000&pid_0012\\1-2"), "usbprint");
    EXPECT_EQ(usbPlatform.OpenRegistryKey(root + "\\VID_0000&PID_0012\\1-9"), 0u);
    const RegistryKey key = usbPlatform.OpenRegistryKey(root + "\\VID_0000&PID_0012\\1-2");
    char small[8] = {};
    EXPECT_FALSE(usbPlatform.ReadRegistryValue(key, "Service", small, 8)) << "no room for the NUL";
    usbPlatform.CloseRegistryKey(key);

    // With no IDs configured, the link finds the printer through these entries.
    ASSERT_TRUE(test::OpenLinkWith(0, ""));
    EXPECT_STREQ(GetPrinterLink().hardwareIds, "USB\\VID_0000&PID_0012");
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
}

// ---------------------------------------------------------------------------------------------
// Transfers that go wrong

TEST_F(LibusbTest, TransfersThatGoWrongDeliverOnlyWhatArrived) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    ASSERT_TRUE(OpenPrinter());
    std::uint8_t reply[4] = {};
    auto send = [&reply] { return SendVendorRequest(20, 0, 1, 4, reply); };

    node->SetFault(Fault::Stall);
    EXPECT_EQ(send(), 0u);
    node->SetFault(Fault::Silent);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(send(), 0u);
    // Far less than the default timeout: the one given to the platform was used.
    EXPECT_LT(std::chrono::steady_clock::now() - start, LibusbPlatform::kDefaultTimeout / 2);
    node->SetFault(Fault::None);
    EXPECT_EQ(send(), 4u) << "the link did not recover";

    printer.Script(20, std::nullopt, std::string("\x05", 1));
    std::uint8_t shortReply[4] = {};
    EXPECT_EQ(SendVendorRequest(20, 0, 1, 4, shortReply), 1u);
    EXPECT_EQ(shortReply[0], 5);
    EXPECT_EQ(shortReply[1], 0);
    printer.Script(20, std::nullopt, std::nullopt);  // a request the printer does not answer
    EXPECT_EQ(send(), 0u);
    printer.SetPresent(false);
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 0u);
    EXPECT_EQ(node->Setups().size(), 6u);
}

// A real transfer timeout, or a printer gone, ends the command's exchange after that one
// transfer; a stall does not, and the next command starts afresh.
TEST_F(LibusbTest, ATimeoutOrAGonePrinterSendsNoMoreOfTheCommand) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    test::RecordingMessages messages;
    auto command = [&] {
        std::vector<std::uint32_t> delivered;
        RunPrinterCommand(messages, [&] {
            for (const std::uint8_t code : {20, 22, 24}) {
                std::uint8_t reply[4] = {};
                delivered.push_back(SendVendorRequest(code, 0, 1, 4, reply));
            }
        });
        return delivered;
    };
    using Delivered = std::vector<std::uint32_t>;
    node->SetFault(Fault::Silent);
    EXPECT_EQ(command(), (Delivered{0, 0, 0}));
    EXPECT_EQ(node->Setups().size(), 1u) << "only the first request waited for the printer";
    node->SetFault(Fault::Stall);
    EXPECT_EQ(command(), (Delivered{0, 0, 0}));
    EXPECT_EQ(node->Setups().size(), 4u) << "a stall refuses one request, not the command";
    node->SetFault(Fault::None);
    EXPECT_EQ(command(), (Delivered{4, 4, 4}));
    printer.SetPresent(false);
    EXPECT_EQ(command(), (Delivered{0, 0, 0}));
    EXPECT_EQ(node->Setups().size(), 8u) << "after the printer was found gone, nothing was sent";
}

}  // namespace
}  // namespace rpanel

#include "link/libusb/libusb_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "emulated_usb.h"
#include "link/printer_link.h"
#include "link/vendor_request.h"

namespace rpanel {
namespace {

using namespace std::chrono_literals;
using test::EmulatedDevice;
using test::EmulatedUsb;
using test::Fault;
using test::PrinterAt;
using test::UsbDeviceInfo;

constexpr auto kTransferTimeout = 150ms;
constexpr char kHardwareIds[] = "USB\\VID_0000&PID_0012&REV_0100\0USB\\VID_0000&PID_0012\0";
constexpr char kStillImageControl[] = "\\\\.\\Usbscan0\\0";

std::vector<std::string> SetupsOf(const EmulatedDevice* device) {
    std::vector<std::string> packets;
    for (const auto& packet : device->Setups()) {
        packets.push_back(test::Hex(packet));
    }
    return packets;
}

UsbDeviceInfo StillImageAt(const std::string& name, std::uint8_t devnum, std::uint16_t vendor,
                           std::uint16_t product) {
    UsbDeviceInfo info;
    info.name = name;
    info.devnum = devnum;
    info.vendor = vendor;
    info.product = product;
    info.interfaces = {{0, 6, 3}};
    return info;
}

class LibusbTest : public ::testing::Test {
protected:
    void SetUp() override {
        usb.AddRootHub(1);
        // A fresh process: the link has never been opened.
        PrinterLink fresh;
        GetPrinterLink(&fresh);
        GetPrinterLink().controlHandle = GetPrinterLink().deviceHandle =
            GetPrinterLink().secondHandle = kNoHandle;
    }
    void TearDown() override {
        if (platform) {
            ClosePrinterLink();
            EXPECT_EQ(platform->OpenHandleCount(), 0) << "a device handle was left open";
            EXPECT_EQ(platform->OpenDeviceSetCount(), 0) << "a device set was left open";
            EXPECT_EQ(platform->OpenRegistryKeyCount(), 0) << "a registry key was left open";
        }
        UsePlatform(nullptr);
        platform.reset();  // libusb goes before the testbed
    }

    // Starts libusb over the devices added so far.
    LibusbPlatform& Start() {
        platform = std::make_unique<LibusbPlatform>(kTransferTimeout);
        EXPECT_TRUE(platform->Started());
        UsePlatform(platform.get());
        return *platform;
    }

    bool OpenWith(int driverKind, const char* ids, int firstPipe = 0, int secondPipe = 1) {
        PrinterLink configuration;
        configuration.driverKind = driverKind;
        std::strcpy(configuration.hardwareIds, ids);
        configuration.firstPipe = firstPipe;
        configuration.secondPipe = secondPipe;
        GetPrinterLink(&configuration);
        return OpenPrinterLink() == 1;
    }

    PrinterModel printer;
    EmulatedUsb usb;
    std::unique_ptr<LibusbPlatform> platform;
};

// ---------------------------------------------------------------------------------------------
// The bytes on the wire

TEST_F(LibusbTest, PrinterClassRequestsTravelAsTheWindowsDriverSendsThem) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);

    std::uint8_t ack[4] = {};
    EXPECT_EQ(SendVendorRequest(21, 0x0300, 1, 4, ack), 4u);
    EXPECT_TRUE(ReplyIsOk(ack));
    EXPECT_EQ(printer.ValueOf(20), 3u) << "the printer read the parameter from the wrong byte";

    std::uint8_t text[kTextReplySize] = {};
    EXPECT_GT(SendVendorRequest(13, 0x0200, 0, kTextReplySize, text), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 21), "@PJL INFO CONFIGCOUNT");

    // Both value bytes set: byte 1 of the block is the high byte of wValue.
    PrinterClassBlock block;
    block.request = 9;
    block.valueLow = 0x12;
    block.valueHigh = 0x34;
    platform->SendPrinterClassRequest(GetPrinterLink().deviceHandle, block, text, 16);

    // wIndex is the printer interface (1), whatever index the request names.
    EXPECT_EQ(SetupsOf(node),
              (std::vector<std::string>{"C1 15 03 00 01 00 04 00", "C1 0D 02 00 01 00 00 04",
                                        "C1 09 34 12 01 00 10 00"}));
}

TEST_F(LibusbTest, StillImageRequestsSendTheBlockAsItIs) {
    EmulatedDevice* node = usb.Add(StillImageAt("1-3", 3, 0x0000, 0x0012), &printer);
    usb.Add(PrinterAt("1-4", 4), &printer);
    LibusbPlatform& usbPlatform = Start();
    const Handle handle = usbPlatform.OpenDevice(kStillImageControl, OpenAttributes::System);
    ASSERT_TRUE(IsOpenHandle(handle));

    std::uint8_t reply[kTextReplySize] = {};
    StillImageBlock block;
    block.offset = 0x0300;
    block.length = kTextReplySize;
    block.index = 1;
    block.request = 13;
    block.requestType = 0xC1;
    block.directionIn = 1;
    usbPlatform.SendStillImageRequest(handle, block, reply, kTextReplySize);

    block = {0, 4, 0x0102, 80, 0xC0, 1};
    EXPECT_EQ(usbPlatform.SendStillImageRequest(handle, block, reply, 4), 4u);
    EXPECT_EQ(reply[0], 1) << "machine variant";

    // The block's length is asked for, but never more than the reply buffer holds.
    block.length = 4096;
    usbPlatform.SendStillImageRequest(handle, block, reply, 2);

    // Host-to-device requests are not offered, nor printer-class requests on this handle.
    block = {0, 4, 1, 80, 0x41, 0};
    EXPECT_EQ(usbPlatform.SendStillImageRequest(handle, block, reply, 4), 0u);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(handle, PrinterClassBlock{80, 0, 0}, reply, 4),
              0u);

    EXPECT_EQ(SetupsOf(node),
              (std::vector<std::string>{"C1 0D 00 03 01 00 00 04", "C0 50 00 00 02 01 04 00",
                                        "C0 50 00 00 02 01 02 00"}));
    usbPlatform.CloseDevice(handle);
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
    std::vector<std::string> paths;
    for (std::uint32_t member = 0; usbPlatform.DeviceExists(set, member); ++member) {
        std::string path;
        EXPECT_TRUE(usbPlatform.ReadInterfacePath(set, member, &path));
        paths.push_back(path);
    }
    EXPECT_EQ(paths, (std::vector<std::string>{"1-1.4:1.1", "1-9:2.1", "1-10:1.1", "2-1:1.0"}));
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
    required = 0;
    EXPECT_EQ(usbPlatform.ReadHardwareIds(set, 0, ids.data(),
                                          static_cast<std::uint32_t>(ids.size()), &required),
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

TEST_F(LibusbTest, OpensAnInterfacePathTwiceAndNothingElse) {
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
    usbPlatform.CloseDevice(second);
    EXPECT_EQ(usbPlatform.SendPrinterClassRequest(first, {80, 0, 0}, reply, 4), 0u);
    EXPECT_EQ(node->OpenDescriptors(), 0) << "a device node was left open";
}

// ---------------------------------------------------------------------------------------------
// Transfers that go wrong

TEST_F(LibusbTest, StallsAndUnpluggedPrintersDeliverNothing) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    std::uint8_t reply[4] = {};

    node->SetFault(Fault::Stall);
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 0u);
    node->SetFault(Fault::Unplugged);
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 0u);
    node->SetFault(Fault::None);
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u) << "the link did not recover";

    printer.Script(20, std::nullopt, std::nullopt);  // a request the printer does not answer
    EXPECT_EQ(SendVendorRequest(20, 0, 1, 4, reply), 0u);
    printer.SetPresent(false);
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 0u);
    EXPECT_EQ(SetupsOf(node).size(), 5u);
}

TEST_F(LibusbTest, ASilentPrinterGivesAnEmptyReplyAfterTheTimeout) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    std::uint8_t reply[kTextReplySize] = {};

    node->SetFault(Fault::Silent);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SendVendorRequest(9, 0, 1, kTextReplySize, reply), 0u);
    // Far less than the default timeout: the one given to the platform was used.
    EXPECT_LT(std::chrono::steady_clock::now() - start, LibusbPlatform::kDefaultTimeout / 2);

    node->SetFault(Fault::None);
    EXPECT_GT(SendVendorRequest(9, 0, 1, kTextReplySize, reply), 0u) << "the link did not recover";
}

TEST_F(LibusbTest, AShortReplyDeliversItsOwnLength) {
    usb.Add(PrinterAt("1-2", 2), &printer);
    Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    printer.Script(20, std::nullopt, std::string("\x05", 1));
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(20, 0, 1, 4, reply), 1u);
    EXPECT_EQ(reply[0], 5);
    EXPECT_EQ(reply[1], 0);
}

// ---------------------------------------------------------------------------------------------
// The link over the adapter

TEST_F(LibusbTest, ACommandOpensSendsAndClosesEverything) {
    usb.Add(StillImageAt("1-1", 2, 0x04B8, 0x0142));
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 3), &printer);
    LibusbPlatform& usbPlatform = Start();

    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    const PrinterLink& link = GetPrinterLink();
    EXPECT_EQ(link.controlHandle, link.deviceHandle);
    EXPECT_TRUE(IsOpenHandle(link.secondHandle));
    EXPECT_NE(link.secondHandle, link.deviceHandle);
    EXPECT_EQ(usbPlatform.OpenHandleCount(), 2);
    EXPECT_EQ(usbPlatform.OpenDeviceSetCount(), 0);

    std::uint8_t text[kTextReplySize] = {};
    ASSERT_GT(SendVendorRequest(9, 0, 1, kTextReplySize, text), 0u);
    EXPECT_STREQ(reinterpret_cast<char*>(text), "@PJL INFO STATUS\r\nCODE=000000,204008\r\n");

    EXPECT_EQ(ClosePrinterLink(), 1);
    EXPECT_EQ(usbPlatform.OpenHandleCount(), 0);
    EXPECT_EQ(node->OpenDescriptors(), 0) << "a device node was left open";
    EXPECT_EQ(SetupsOf(node), (std::vector<std::string>{"C1 09 00 00 01 00 00 04"}));
}

TEST_F(LibusbTest, OfTwoPrintersTheFirstInPortOrderIsOpened) {
    PrinterModel other;
    EmulatedDevice* tenth = usb.Add(PrinterAt("1-10", 2), &other);
    EmulatedDevice* ninth = usb.Add(PrinterAt("1-9", 3), &printer);
    Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
    EXPECT_EQ(SetupsOf(ninth).size(), 1u);
    EXPECT_TRUE(SetupsOf(tenth).empty());
    ClosePrinterLink();
}

TEST_F(LibusbTest, RegistryViewNamesTheDriverOfEachDevice) {
    usb.Add(PrinterAt("1-2", 2), &printer);
    usb.Add(StillImageAt("1-3", 3, 0x04B8, 0x0142));
    UsbDeviceInfo vendorOnly = PrinterAt("1-4", 4);
    vendorOnly.vendor = 0x1234;
    vendorOnly.product = 0xABCD;
    vendorOnly.interfaces = {{0, 0xFF, 2}};
    usb.Add(vendorOnly);
    usb.Add(PrinterAt("1-5", 5));
    LibusbPlatform& usbPlatform = Start();

    auto subkeys = [&](const std::string& path) {
        std::vector<std::string> names;
        const RegistryKey key = usbPlatform.OpenRegistryKey(path);
        std::string name;
        for (std::uint32_t i = 0; key != 0 && usbPlatform.EnumRegistrySubkey(key, i, &name); ++i) {
            names.push_back(name);
        }
        usbPlatform.CloseRegistryKey(key);
        return names;
    };
    auto service = [&](const std::string& path, std::uint32_t size = kRegistryStringSize) {
        const RegistryKey key = usbPlatform.OpenRegistryKey(path);
        char value[kRegistryStringSize] = {};
        const bool read = key != 0 && usbPlatform.ReadRegistryValue(key, "Service", value, size);
        usbPlatform.CloseRegistryKey(key);
        return read ? std::string(value) : std::string("(none)");
    };
    const std::string root = "SYSTEM\\CurrentControlSet\\Enum\\USB";
    EXPECT_EQ(subkeys(root), (std::vector<std::string>{"VID_0000&PID_0012", "VID_04B8&PID_0142",
                                                       "VID_1234&PID_ABCD"}));
    EXPECT_EQ(subkeys(root + "\\VID_0000&PID_0012"), (std::vector<std::string>{"1-2", "1-5"}));
    EXPECT_EQ(service(root + "\\VID_0000&PID_0012\\1-5"), "usbprint");
    EXPECT_EQ(service(root + "\\VID_04B8&PID_0142\\1-3"), "usbscan");
    EXPECT_EQ(service(root + "\\VID_1234&PID_ABCD\\1-4"), "(none)");
    EXPECT_EQ(service("system\\currentcontrolset\\enum\\usb\\vid_0000&pid_0012\\1-2"), "usbprint");
    EXPECT_EQ(service(root + "\\VID_0000&PID_0012\\1-2", 8), "(none)") << "no room for the NUL";
    EXPECT_EQ(usbPlatform.OpenRegistryKey(root + "\\VID_0000&PID_0012\\1-9"), 0u);

    // With no IDs configured, the link finds the printer through these entries.
    ASSERT_TRUE(OpenWith(0, ""));
    EXPECT_STREQ(GetPrinterLink().hardwareIds, "USB\\VID_0000&PID_0012");
    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
}

TEST_F(LibusbTest, StillImageLinkFindsThePrinterByItsDescriptor) {
    usb.Add(StillImageAt("1-2", 2, 0x04B8, 0x0142));
    EmulatedDevice* node = usb.Add(StillImageAt("1-3", 3, 0x0000, 0x0012), &printer);
    usb.Add(PrinterAt("1-4", 4), &printer);
    LibusbPlatform& usbPlatform = Start();

    ASSERT_TRUE(OpenWith(1, kPrinterHardwareId, 0, 1));
    const PrinterLink& link = GetPrinterLink();
    EXPECT_EQ(link.deviceHandle, link.controlHandle);
    EXPECT_TRUE(IsOpenHandle(link.secondHandle));
    DeviceDescriptor descriptor;
    ASSERT_TRUE(usbPlatform.ReadDeviceDescriptor(link.controlHandle, &descriptor));
    EXPECT_EQ(descriptor.vendor, 0x0000);
    EXPECT_EQ(descriptor.product, 0x0012);
    EXPECT_EQ(descriptor.release, 0x0100);
    EXPECT_EQ(descriptor.language, 0);

    std::uint8_t reply[4] = {};
    EXPECT_EQ(SendVendorRequest(80, 0, 1, 4, reply), 4u);
    EXPECT_EQ(SetupsOf(node), (std::vector<std::string>{"C1 50 00 00 01 00 04 00"}));

    // Pipes beyond the interface's three endpoints and devices beyond the second do not open.
    EXPECT_EQ(usbPlatform.OpenDevice("\\\\.\\Usbscan1\\4", OpenAttributes::System), kInvalidHandle);
    EXPECT_EQ(usbPlatform.OpenDevice("\\\\.\\Usbscan2\\0", OpenAttributes::System), kInvalidHandle);
    const Handle printerClass = usbPlatform.OpenDevice("1-4:1.1", OpenAttributes::Normal);
    EXPECT_FALSE(usbPlatform.ReadDeviceDescriptor(printerClass, &descriptor));
    usbPlatform.CloseDevice(printerClass);
}

TEST_F(LibusbTest, DestroyingThePlatformClosesWhatIsStillOpen) {
    EmulatedDevice* node = usb.Add(PrinterAt("1-2", 2), &printer);
    LibusbPlatform& usbPlatform = Start();
    SetPrinterIds();
    ASSERT_EQ(OpenPrinterLink(), 1);
    usbPlatform.OpenPrinterDeviceSet();
    usbPlatform.OpenRegistryKey("SYSTEM\\CurrentControlSet\\Enum\\USB");
    EXPECT_EQ(node->OpenDescriptors(), 2);

    UsePlatform(nullptr);
    platform.reset();
    EXPECT_EQ(node->OpenDescriptors(), 0) << "a device node was left open";
}

}  // namespace
}  // namespace rpanel

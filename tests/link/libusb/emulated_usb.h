// Emulated USB devices for the libusb adapter's tests: a umockdev testbed whose sysfs holds
// real-looking device and configuration descriptors, and whose device nodes answer libusb's
// URB ioctls from a PrinterModel, recording every setup packet that reaches them.
//
// The process must run with libumockdev-preload loaded (see main.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "link/sim/printer_model.h"

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;
typedef struct _UMockdevIoctlData UMockdevIoctlData;

namespace rpanel::test {

using SetupPacket = std::array<std::uint8_t, 8>;

struct UsbInterfaceInfo {
    std::uint8_t number = 0;
    std::uint8_t interfaceClass = 0;
    std::uint8_t endpoints = 2;
};

struct UsbDeviceInfo {
    std::string name;  // the kernel's name: "1-2", "1-1.4"
    std::uint8_t devnum = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t release = 0x0100;
    std::uint8_t deviceClass = 0;
    std::uint8_t configuration = 1;
    std::vector<UsbInterfaceInfo> interfaces;
};

// How the emulated firmware treats the next control transfers.
enum class Fault {
    None,
    Stall,   // the request is answered with a stall
    Silent,  // the request is never answered
};

// The firmware behind one device node. Its handler runs on umockdev's thread.
class EmulatedDevice {
public:
    EmulatedDevice(std::string devnode, PrinterModel* printer);
    ~EmulatedDevice();
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    const std::string& Devnode() const { return devnode_; }
    UMockdevIoctlBase* Handler() const { return handler_; }
    void SetFault(Fault fault);
    // The setup packets received, in order: "C1 15 03 00 01 00 04 00".
    std::vector<std::string> Setups() const;
    // How many file descriptors of this process are open on the node.
    int OpenDescriptors() const;

private:
    static int OnIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client, void* self);
    bool Submit(UMockdevIoctlClient* client);
    bool Reap(UMockdevIoctlClient* client);
    bool Discard(UMockdevIoctlClient* client);

    const std::string devnode_;
    PrinterModel* const printer_;
    UMockdevIoctlBase* handler_ = nullptr;
    mutable std::mutex mutex_;
    Fault fault_ = Fault::None;
    std::vector<std::string> setups_;
    // URBs are reaped on the file descriptor that submitted them.
    using UrbQueues = std::map<UMockdevIoctlClient*, std::deque<UMockdevIoctlData*>>;
    UrbQueues done_;      // ready to be reaped
    UrbQueues withheld_;  // never answered by the firmware
};

// A testbed with a PCI host controller; devices go in parents first.
class EmulatedUsb {
public:
    EmulatedUsb();
    ~EmulatedUsb();
    EmulatedUsb(const EmulatedUsb&) = delete;
    EmulatedUsb& operator=(const EmulatedUsb&) = delete;

    void AddRootHub(std::uint8_t bus) { AddHub("usb" + std::to_string(bus), 1); }
    void AddHub(const std::string& name, std::uint8_t devnum);
    // Adds a device; with a printer, its node answers control transfers from it.
    EmulatedDevice* Add(const UsbDeviceInfo& info, PrinterModel* printer = nullptr);

    static std::vector<std::uint8_t> Descriptors(const UsbDeviceInfo& info);

private:
    void AddNode(const std::string& name, std::uint8_t devnum,
                 const std::vector<std::uint8_t>& descriptors, std::uint8_t configuration);

    UMockdevTestbed* testbed_ = nullptr;
    std::vector<std::unique_ptr<EmulatedDevice>> devices_;
};

// The printer as it sits on the bus: a composite device whose printer interface is number 1.
UsbDeviceInfo PrinterAt(const std::string& name, std::uint8_t devnum);

}  // namespace rpanel::test

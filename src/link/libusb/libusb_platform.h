// The printer on Linux, reached through libusb.
//
// Linux has neither the Windows device-setup services nor the printer-class and still-image
// drivers, so this adapter answers the same questions from the USB devices that libusb sees:
//
// - The printer-interface device set: every USB device whose active configuration has an
//   interface of class 7 (printer), ordered by bus number, then by port path, so that the
//   same printers always come in the same order.
// - Hardware IDs as Windows forms them from the device descriptor:
//   "USB\VID_vvvv&PID_pppp&REV_rrrr" then "USB\VID_vvvv&PID_pppp" (upper-case hexadecimal),
//   for a composite device too (a printer whose printer interface is not the first one is
//   still found by its plain ID).
// - Interface paths in the form of the kernel's sysfs interface names:
//   "<bus>-<port>[.<port>...]:<configuration>.<interface>", for example "1-1.4:1.0" for
//   interface 0 of configuration 1 of the device on port 4 of the hub on port 1 of bus 1.
// - Still-image names "\\.\Usbscan<n>\<pipe>": n counts, from 0 in the same stable order, the
//   USB devices with an interface of class 6 (still image). Pipe 0 is the control pipe; pipe
//   k (1 <= k <= the number of endpoints of that interface) opens another handle to the same
//   device. Descriptor reads and requests work on any still-image handle.
// - The registry key "SYSTEM\CurrentControlSet\Enum\USB": one subkey per device type,
//   "VID_vvvv&PID_pppp", each with one subkey per attached device of that type named after
//   its bus and port path ("1-1.4"); a device with a printer interface has the string value
//   "Service" = "usbprint", one with a still-image interface "usbscan", others none. Root
//   hubs are left out, as Windows lists them elsewhere. Key paths are compared without
//   regard to case.
//
// Requests go to endpoint 0 as single control transfers. The printer interface is neither
// claimed nor detached from the kernel's usblp driver: Linux lets vendor-type control
// requests through while usblp stays bound, so printing keeps working meanwhile.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "link/platform.h"

struct libusb_context;
struct libusb_device_handle;

namespace rpanel {

class UsbDeviceList;
struct RegistryNode;

class LibusbPlatform final : public DevicePlatform {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout = kDefaultTransferTimeout;

    // timeout bounds every transfer (at least 1 ms): a printer that never answers costs that
    // long and gives an empty reply. When libusb cannot start, every operation fails.
    explicit LibusbPlatform(std::chrono::milliseconds timeout = kDefaultTimeout);
    // Closes the handles, device sets and registry keys that are still open.
    ~LibusbPlatform() override;
    LibusbPlatform(const LibusbPlatform&) = delete;
    LibusbPlatform& operator=(const LibusbPlatform&) = delete;

    bool Started() const { return context_ != nullptr; }
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    int OpenDeviceSetCount() const { return static_cast<int>(sets_.size()); }
    int OpenRegistryKeyCount() const { return static_cast<int>(keys_.size()); }

    DeviceSet OpenPrinterDeviceSet() override;
    bool DeviceExists(DeviceSet set, std::uint32_t member) override;
    PropertyResult ReadHardwareIds(DeviceSet set, std::uint32_t member, char* buffer,
                                   std::uint32_t size, std::uint32_t* required) override;
    bool ReadInterfacePath(DeviceSet set, std::uint32_t member, std::string* path) override;
    void CloseDeviceSet(DeviceSet set) override;
    Handle OpenDevice(const std::string& path, OpenAttributes attributes) override;
    bool ReadDeviceDescriptor(Handle handle, DeviceDescriptor* descriptor) override;
    std::uint32_t SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                          std::uint8_t* reply, std::uint16_t length) override;
    std::uint32_t SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                        std::uint8_t* reply, std::uint16_t length) override;
    // LIBUSB_ERROR_TIMEOUT and LIBUSB_ERROR_NO_DEVICE; a stall or any other error is None.
    TransferFailure LastTransferFailure() const override { return lastTransferFailure_; }
    void SetTransferTimeout(std::chrono::milliseconds timeout) override;
    void CloseDevice(Handle handle) override;
    // Filled when libusb_open refuses the printer interface for want of permission or
    // because another program holds the device (see open_refusal.h).
    std::string LastOpenFailureReason() const override { return lastOpenFailure_; }
    RegistryKey OpenRegistryKey(const std::string& path) override;
    bool EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) override;
    bool ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                           std::uint32_t size) override;
    void CloseRegistryKey(RegistryKey key) override;

private:
    enum class HandleKind { PrinterInterface, StillImage };
    struct OpenHandle {
        libusb_device_handle* device = nullptr;
        HandleKind kind = HandleKind::PrinterInterface;
        std::uint8_t interfaceNumber = 0;
    };

    Handle OpenPrinterInterface(const std::string& path);
    Handle OpenStillImage(const std::string& name);
    Handle Remember(libusb_device_handle* device, HandleKind kind, std::uint8_t interfaceNumber);
    const OpenHandle* Find(Handle handle, HandleKind kind) const;
    std::uint32_t Transfer(libusb_device_handle* device, std::uint8_t requestType,
                           std::uint8_t request, std::uint16_t value, std::uint16_t index,
                           std::uint8_t* reply, std::uint16_t length) const;

    libusb_context* context_ = nullptr;
    unsigned int timeoutMs_;
    Handle nextHandle_ = 0x100;
    std::map<Handle, OpenHandle> handles_;
    DeviceSet nextSet_ = 0x10;
    std::map<DeviceSet, std::unique_ptr<UsbDeviceList>> sets_;
    RegistryKey nextKey_ = 0x10;
    std::map<RegistryKey, std::shared_ptr<const RegistryNode>> keys_;
    std::string lastOpenFailure_;
    mutable TransferFailure lastTransferFailure_ = TransferFailure::None;
};

}  // namespace rpanel

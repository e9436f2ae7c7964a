// The operating-system services that printer discovery and the request channel rely on.
//
// The operations mirror what the Windows device-setup, file, I/O-control and registry calls
// do for us, so that the discovery logic is written once over them. Adapters: the printer
// simulator (sim/), libusb on Linux (libusb/) and the Windows drivers (win32/).
//
// Contract shared by every operation: it is called on the thread that runs the program's
// commands, it blocks until done, and failure is reported through its result only.
#pragma once

#include <cstdint>
#include <string>

namespace rpanel {

// The printer's USB hardware ID as the system lists it: characters 8..11 are the vendor number
// and 17..20 the product number, four hexadecimal digits each.
inline constexpr char kPrinterHardwareId[] = "USB\\VID_0000&PID_0012";
// bmRequestType of every request: device to host (0x80), vendor (0x40), recipient interface.
inline constexpr std::uint8_t kVendorRequestType = 0xC1;
// The still-image driver's device names, "\\.\Usbscan<number>", and its pipes below them,
// "\\.\Usbscan<number>\<pipe>", both decimal.
inline constexpr char kStillImagePrefix[] = "\\\\.\\Usbscan";
// The registry key below which the system lists the USB devices by type and instance.
inline constexpr char kUsbEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\USB";

// An open device, as a file handle is on Windows.
using Handle = std::uintptr_t;
// The handle fields of a link that was never opened hold 0 ...
inline constexpr Handle kNoHandle = 0;
// ... and after a close or a failed open, all bits set.
inline constexpr Handle kInvalidHandle = ~Handle{0};

inline bool IsOpenHandle(Handle handle) {
    return handle != kNoHandle && handle != kInvalidHandle;
}

// A set of present devices of the USB printer interface class; 0 is "no set".
using DeviceSet = std::uintptr_t;
// An open registry key below HKEY_LOCAL_MACHINE; 0 is "not open".
using RegistryKey = std::uintptr_t;

enum class PropertyResult {
    Ok,
    BufferTooSmall,  // the required size was reported (Windows error 122)
    NoProperty,      // the device has no hardware IDs (Windows error 13)
    Failed,          // anything else
};

enum class OpenAttributes {
    Normal,  // how the printer-class interface path is opened
    System,  // how the still-image device names are opened
};

// The 8-byte descriptor that the still-image driver reports for a handle.
struct DeviceDescriptor {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t release = 0;
    std::uint16_t language = 0;
};

// Input block of the printer-class driver's vendor request: the request code and the two
// bytes of the value, low byte first. The index does not travel in it.
struct PrinterClassBlock {
    std::uint8_t request = 0;
    std::uint8_t valueLow = 0;
    std::uint8_t valueHigh = 0;
};

// Input block of the still-image driver's USB request, field by field; the adapter lays it
// out as its driver wants it (the reply buffer address is the adapter's to fill).
struct StillImageBlock {
    std::uint32_t offset = 0;  // the request's value
    std::uint32_t length = 0;
    std::uint32_t index = 0;
    std::uint8_t request = 0;
    std::uint8_t requestType = 0;  // 0xC1: device-to-host, vendor, recipient interface
    std::uint8_t directionIn = 0;
};

class DevicePlatform {
public:
    virtual ~DevicePlatform() = default;

    // The present devices that expose the USB printer device-interface class; 0 on failure.
    virtual DeviceSet OpenPrinterDeviceSet() = 0;
    // Whether a device exists at a zero-based member index of the set.
    virtual bool DeviceExists(DeviceSet set, std::uint32_t member) = 0;
    // The device's hardware-ID list: NUL-terminated strings ending with an empty string.
    // With too small a buffer (or none) it answers BufferTooSmall and sets *required.
    virtual PropertyResult ReadHardwareIds(DeviceSet set, std::uint32_t member, char* buffer,
                                           std::uint32_t size, std::uint32_t* required) = 0;
    // The device-interface path of the printer-class interface at a member index.
    virtual bool ReadInterfacePath(DeviceSet set, std::uint32_t member, std::string* path) = 0;
    virtual void CloseDeviceSet(DeviceSet set) = 0;

    // Opens a device path for reading and writing, shared, existing only; kInvalidHandle on
    // failure.
    virtual Handle OpenDevice(const std::string& path, OpenAttributes attributes) = 0;
    // The still-image driver's descriptor request.
    virtual bool ReadDeviceDescriptor(Handle handle, DeviceDescriptor* descriptor) = 0;
    // One vendor control request, device to host. Both answer the number of reply bytes that
    // the driver delivered into reply (at most length), 0 when the request failed.
    virtual std::uint32_t SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                                  std::uint8_t* reply, std::uint16_t length) = 0;
    virtual std::uint32_t SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                                std::uint8_t* reply, std::uint16_t length) = 0;
    virtual void CloseDevice(Handle handle) = 0;
    // Why the last OpenDevice failed although its device is there: the system would not let
    // this user open it, or another program holds it. A sentence for the user, naming the
    // device and what to do; empty after a successful open, when the path named no device,
    // or where the platform cannot tell.
    virtual std::string LastOpenFailureReason() const { return {}; }

    // Registry below HKEY_LOCAL_MACHINE: open a key path, enumerate its subkey names from
    // index 0 until it fails, read a string value into a caller buffer of size bytes.
    virtual RegistryKey OpenRegistryKey(const std::string& path) = 0;
    virtual bool EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) = 0;
    virtual bool ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                                   std::uint32_t size) = 0;
    virtual void CloseRegistryKey(RegistryKey key) = 0;
};

}  // namespace rpanel

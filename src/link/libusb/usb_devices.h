// The attached USB devices as the libusb adapter sees them: a snapshot in a stable order, the
// names it gives them, and the registry view that it builds from them.
#pragma once

#include <libusb.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rpanel {

inline constexpr std::uint8_t kPrinterInterfaceClass = 7;
inline constexpr std::uint8_t kStillImageInterfaceClass = 6;

// Where a device sits: its bus and the ports from the root hub down (none for a root hub).
struct UsbLocation {
    std::uint8_t bus = 0;
    std::vector<std::uint8_t> ports;

    auto operator<=>(const UsbLocation&) const = default;
    bool operator==(const UsbLocation&) const = default;
};

struct UsbDevice {
    libusb_device* device = nullptr;
    libusb_device_descriptor descriptor{};
    UsbLocation location;
    std::uint8_t configuration = 0;  // bConfigurationValue of the active configuration
    std::optional<std::uint8_t> printerInterface;     // the first interface of class 7
    std::optional<std::uint8_t> stillImageInterface;  // the first interface of class 6
    std::uint8_t stillImageEndpoints = 0;

    bool IsRootHub() const { return location.ports.empty(); }
};

// A snapshot of the devices libusb knows, ordered by bus number and then port path. It holds
// a reference to each device until it is destroyed.
class UsbDeviceList {
public:
    explicit UsbDeviceList(libusb_context* context);
    ~UsbDeviceList();
    UsbDeviceList(const UsbDeviceList&) = delete;
    UsbDeviceList& operator=(const UsbDeviceList&) = delete;

    bool Listed() const { return list_ != nullptr; }
    const std::vector<UsbDevice>& All() const { return devices_; }
    // The devices with an interface of the class, in the same order.
    std::vector<const UsbDevice*> WithInterface(std::uint8_t interfaceClass) const;
    const UsbDevice* At(const UsbLocation& location) const;

private:
    libusb_device** list_ = nullptr;
    std::vector<UsbDevice> devices_;
};

// "1-1.4": the kernel's name of the device on port 4 of the hub on port 1 of bus 1.
std::string DeviceName(const UsbLocation& location);

// "1-1.4:1.0": interface 0 of configuration 1 of that device.
struct InterfacePath {
    UsbLocation location;
    std::uint8_t configuration = 0;
    std::uint8_t interfaceNumber = 0;
};
std::string FormatInterfacePath(const InterfacePath& path);
std::optional<InterfacePath> ParseInterfacePath(std::string_view text);

// "\\.\Usbscan<number>\<pipe>", both decimal.
struct StillImageName {
    unsigned number = 0;
    unsigned pipe = 0;
};
std::optional<StillImageName> ParseStillImageName(std::string_view text);

// "USB\VID_vvvv&PID_pppp&REV_rrrr", NUL, "USB\VID_vvvv&PID_pppp", NUL, NUL.
std::string HardwareIdList(const libusb_device_descriptor& descriptor);

// The registry below "SYSTEM\CurrentControlSet\Enum\USB" built from the devices, keyed by the
// upper-cased full key path.
struct RegistryNode {
    std::vector<std::string> subkeys;
    std::map<std::string, std::string> values;
};
using RegistryView = std::map<std::string, std::shared_ptr<const RegistryNode>>;
RegistryView BuildRegistryView(const UsbDeviceList& devices);
std::string RegistryLookupKey(std::string_view path);

}  // namespace rpanel

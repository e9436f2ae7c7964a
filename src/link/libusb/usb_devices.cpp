#include "link/libusb/usb_devices.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "link/platform.h"

namespace rpanel {
namespace {

// The deepest port path USB allows below a root hub.
constexpr int kMaxPortDepth = 7;

void ReadInterfaces(UsbDevice& entry) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(entry.device, &config) != LIBUSB_SUCCESS) {
        return;  // unconfigured: no interfaces to offer
    }
    entry.configuration = config->bConfigurationValue;
    for (int i = 0; i < config->bNumInterfaces; ++i) {
        const libusb_interface& interface = config->interface[i];
        for (int alt = 0; alt < interface.num_altsetting; ++alt) {
            const libusb_interface_descriptor& setting = interface.altsetting[alt];
            if (setting.bInterfaceClass == kPrinterInterfaceClass && !entry.printerInterface) {
                entry.printerInterface = setting.bInterfaceNumber;
            }
            if (setting.bInterfaceClass == kStillImageInterfaceClass &&
                !entry.stillImageInterface) {
                entry.stillImageInterface = setting.bInterfaceNumber;
                entry.stillImageEndpoints = setting.bNumEndpoints;
            }
        }
    }
    libusb_free_config_descriptor(config);
}

// A decimal number that fills text exactly and fits T.
template <typename T>
std::optional<T> WholeNumber(std::string_view text) {
    T number{};
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) {
        return std::nullopt;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<std::uint8_t> Byte(std::string_view text) {
    auto number = WholeNumber<unsigned>(text);
    if (!number || *number > 0xFF) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*number);
}

std::string Hex4(std::uint16_t number) {
    char text[5];
    std::snprintf(text, sizeof text, "%04X", number);
    return text;
}

std::string DeviceTypeKey(const libusb_device_descriptor& descriptor) {
    return "VID_" + Hex4(descriptor.idVendor) + "&PID_" + Hex4(descriptor.idProduct);
}

}  // namespace

UsbDeviceList::UsbDeviceList(libusb_context* context) {
    if (context == nullptr) {
        return;
    }
    ssize_t count = libusb_get_device_list(context, &list_);
    if (count < 0) {
        list_ = nullptr;
        return;
    }
    for (ssize_t i = 0; i < count; ++i) {
        UsbDevice entry;
        entry.device = list_[i];
        if (libusb_get_device_descriptor(entry.device, &entry.descriptor) != LIBUSB_SUCCESS) {
            continue;
        }
        entry.location.bus = libusb_get_bus_number(entry.device);
        std::uint8_t ports[kMaxPortDepth];
        int depth = libusb_get_port_numbers(entry.device, ports, kMaxPortDepth);
        entry.location.ports.assign(ports, ports + std::max(depth, 0));
        ReadInterfaces(entry);
        devices_.push_back(std::move(entry));
    }
    std::stable_sort(devices_.begin(), devices_.end(), [](const UsbDevice& a, const UsbDevice& b) {
        return a.location < b.location;
    });
}

UsbDeviceList::~UsbDeviceList() {
    if (list_ != nullptr) {
        libusb_free_device_list(list_, 1);
    }
}

std::vector<const UsbDevice*> UsbDeviceList::WithInterface(std::uint8_t interfaceClass) const {
    std::vector<const UsbDevice*> found;
    for (const UsbDevice& device : devices_) {
        if ((interfaceClass == kPrinterInterfaceClass && device.printerInterface) ||
            (interfaceClass == kStillImageInterfaceClass && device.stillImageInterface)) {
            found.push_back(&device);
        }
    }
    return found;
}

const UsbDevice* UsbDeviceList::At(const UsbLocation& location) const {
    for (const UsbDevice& device : devices_) {
        if (device.location == location) {
            return &device;
        }
    }
    return nullptr;
}

std::string DeviceName(const UsbLocation& location) {
    if (location.ports.empty()) {
        return "usb" + std::to_string(location.bus);
    }
    std::string name = std::to_string(location.bus);
    char separator = '-';
    for (std::uint8_t port : location.ports) {
        name += separator;
        name += std::to_string(port);
        separator = '.';
    }
    return name;
}

std::string FormatInterfacePath(const InterfacePath& path) {
    return DeviceName(path.location) + ":" + std::to_string(path.configuration) + "." +
           std::to_string(path.interfaceNumber);
}

std::optional<InterfacePath> ParseInterfacePath(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::size_t dash = text.find('-');
    if (colon == std::string_view::npos || dash == std::string_view::npos || dash > colon) {
        return std::nullopt;
    }
    InterfacePath path;
    auto bus = Byte(text.substr(0, dash));
    if (!bus) {
        return std::nullopt;
    }
    path.location.bus = *bus;
    std::string_view ports = text.substr(dash + 1, colon - dash - 1);
    while (true) {
        const std::size_t dot = ports.find('.');
        auto port = Byte(ports.substr(0, dot));
        if (!port || path.location.ports.size() == kMaxPortDepth) {
            return std::nullopt;
        }
        path.location.ports.push_back(*port);
        if (dot == std::string_view::npos) {
            break;
        }
        ports.remove_prefix(dot + 1);
    }
    std::string_view suffix = text.substr(colon + 1);
    const std::size_t dot = suffix.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    auto configuration = Byte(suffix.substr(0, dot));
    auto interfaceNumber = Byte(suffix.substr(dot + 1));
    if (!configuration || !interfaceNumber) {
        return std::nullopt;
    }
    path.configuration = *configuration;
    path.interfaceNumber = *interfaceNumber;
    return path;
}

std::optional<StillImageName> ParseStillImageName(std::string_view text) {
    const std::string_view prefix = kStillImagePrefix;
    if (text.substr(0, prefix.size()) != prefix) {
        return std::nullopt;
    }
    text.remove_prefix(prefix.size());
    const std::size_t slash = text.find('\\');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    auto number = WholeNumber<unsigned>(text.substr(0, slash));
    auto pipe = WholeNumber<unsigned>(text.substr(slash + 1));
    if (!number || !pipe) {
        return std::nullopt;
    }
    return StillImageName{*number, *pipe};
}

std::string HardwareIdList(const libusb_device_descriptor& descriptor) {
    const std::string plain = "USB\\" + DeviceTypeKey(descriptor);
    std::string list = plain + "&REV_" + Hex4(descriptor.bcdDevice);
    list += '\0';
    list += plain;
    list += '\0';
    list += '\0';
    return list;
}

std::string RegistryLookupKey(std::string_view path) {
    std::string key(path);
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return key;
}

RegistryView BuildRegistryView(const UsbDeviceList& devices) {
    std::map<std::string, RegistryNode> nodes;
    auto addSubkey = [&nodes](const std::string& parent, const std::string& name) {
        auto& subkeys = nodes[parent].subkeys;
        if (std::find(subkeys.begin(), subkeys.end(), name) == subkeys.end()) {
            subkeys.push_back(name);
        }
    };
    const std::string root = kUsbEnumKey;
    nodes[root];
    for (const UsbDevice& device : devices.All()) {
        if (device.IsRootHub()) {
            continue;
        }
        const std::string type = DeviceTypeKey(device.descriptor);
        const std::string instance = DeviceName(device.location);
        addSubkey(root, type);
        addSubkey(root + "\\" + type, instance);
        RegistryNode& node = nodes[root + "\\" + type + "\\" + instance];
        if (device.printerInterface) {
            node.values["Service"] = "usbprint";
        } else if (device.stillImageInterface) {
            node.values["Service"] = "usbscan";
        }
    }
    RegistryView view;
    for (auto& [path, node] : nodes) {
        view[RegistryLookupKey(path)] = std::make_shared<const RegistryNode>(std::move(node));
    }
    return view;
}

}  // namespace rpanel

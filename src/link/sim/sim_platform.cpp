#include "link/sim/sim_platform.h"

#include <algorithm>
#include <cstring>

#include "link/printer_link.h"

namespace rpanel {
namespace {

constexpr DeviceSet kSimDeviceSet = 1;

// "\\.\Usbscan7\0" -> 7; -1 for anything else.
int StillImageNumber(const std::string& path) {
    const std::size_t prefix = std::strlen(kStillImagePrefix);
    if (path.compare(0, prefix, kStillImagePrefix) != 0) {
        return -1;
    }
    const std::size_t slash = path.find('\\', prefix);
    const std::string digits = path.substr(prefix, slash - prefix);
    if (digits.empty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(digits);
}

}  // namespace

SimPlatform SimPlatform::WithPrinter(PrinterModel& printer) {
    SimPlatform platform;
    SimPrinterClassDevice device;
    device.hardwareIds = {{std::string(kPrinterHardwareId) + "&REV_0100", kPrinterHardwareId}};
    device.interfacePath = "sim:1-1:1.0";
    device.printer = &printer;
    platform.printerClassDevices.push_back(device);
    platform.AddRegistryInstance(std::string(kPrinterHardwareId).substr(4), "A0ED041002345",
                                 "usbprint");
    return platform;
}

void SimPlatform::AddRegistryInstance(const std::string& deviceKey, const std::string& instance,
                                      const std::string& service) {
    const std::string root = "SYSTEM\\CurrentControlSet\\Enum\\USB";
    auto addSubkey = [&](const std::string& parent, const std::string& name) {
        auto& subkeys = registry[parent].subkeys;
        if (std::find(subkeys.begin(), subkeys.end(), name) == subkeys.end()) {
            subkeys.push_back(name);
        }
    };
    addSubkey(root, deviceKey);
    addSubkey(root + "\\" + deviceKey, instance);
    registry[root + "\\" + deviceKey + "\\" + instance].values["Service"] = service;
}

std::vector<const SimPrinterClassDevice*> SimPlatform::PresentPrinterClassDevices() const {
    std::vector<const SimPrinterClassDevice*> present;
    for (const SimPrinterClassDevice& device : printerClassDevices) {
        if (device.printer == nullptr || device.printer->Present()) {
            present.push_back(&device);
        }
    }
    return present;
}

DeviceSet SimPlatform::OpenPrinterDeviceSet() {
    if (deviceSetFails) {
        return 0;
    }
    ++openSets_;
    return kSimDeviceSet;
}

bool SimPlatform::DeviceExists(DeviceSet set, std::uint32_t member) {
    return set == kSimDeviceSet && member < PresentPrinterClassDevices().size();
}

PropertyResult SimPlatform::ReadHardwareIds(DeviceSet set, std::uint32_t member, char* buffer,
                                            std::uint32_t size, std::uint32_t* required) {
    if (!DeviceExists(set, member)) {
        return PropertyResult::Failed;
    }
    const SimPrinterClassDevice& device = *PresentPrinterClassDevices()[member];
    if (device.propertyFails) {
        return PropertyResult::Failed;
    }
    if (!device.hardwareIds) {
        return PropertyResult::NoProperty;
    }
    std::string list;
    for (const std::string& id : *device.hardwareIds) {
        list += id;
        list += '\0';
    }
    list += '\0';
    if (buffer == nullptr || size < list.size()) {
        *required = static_cast<std::uint32_t>(list.size());
        return PropertyResult::BufferTooSmall;
    }
    std::memcpy(buffer, list.data(), list.size());
    return PropertyResult::Ok;
}

bool SimPlatform::ReadInterfacePath(DeviceSet set, std::uint32_t member, std::string* path) {
    if (!DeviceExists(set, member)) {
        return false;
    }
    const SimPrinterClassDevice& device = *PresentPrinterClassDevices()[member];
    if (device.interfacePath.empty()) {
        return false;
    }
    *path = device.interfacePath;
    return true;
}

void SimPlatform::CloseDeviceSet(DeviceSet set) {
    if (set == kSimDeviceSet && openSets_ > 0) {
        --openSets_;
    }
}

int SimPlatform::HandlesOn(const SimPrinterClassDevice* device) const {
    return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [&](const auto& open) {
        return open.second.printerClass == device;
    }));
}

Handle SimPlatform::OpenDevice(const std::string& path, OpenAttributes attributes) {
    openedPaths.push_back(path);
    lastOpenFailure_.clear();
    OpenDeviceRecord record;
    if (attributes == OpenAttributes::Normal) {
        for (const SimPrinterClassDevice* device : PresentPrinterClassDevices()) {
            if (device->interfacePath != path) {
                continue;
            }
            // A printer the system will not let us open: the open fails and says why.
            const std::string refusal =
                device->printer != nullptr ? device->printer->OpeningRefusal() : "";
            if (!refusal.empty()) {
                lastOpenFailure_ = refusal;
            } else if (HandlesOn(device) < device->maxOpenHandles) {
                record.printerClass = device;
                record.printer = device->printer;
            }
        }
    } else {
        const int number = StillImageNumber(path);
        for (const SimStillImageDevice& device : stillImageDevices) {
            if (device.number == number &&
                (device.printer == nullptr || device.printer->Present())) {
                record.stillImage = &device;
                record.printer = device.printer;
            }
        }
    }
    if (record.printerClass == nullptr && record.stillImage == nullptr) {
        return kInvalidHandle;
    }
    const Handle handle = nextHandle_++;
    handles_[handle] = record;
    return handle;
}

bool SimPlatform::ReadDeviceDescriptor(Handle handle, DeviceDescriptor* descriptor) {
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.stillImage == nullptr ||
        !it->second.stillImage->descriptorReadable) {
        return false;
    }
    *descriptor = it->second.stillImage->descriptor;
    return true;
}

std::uint32_t SimPlatform::Answer(Handle handle, std::uint8_t request, std::uint16_t value,
                                  std::uint16_t index, std::uint8_t* reply, std::uint16_t length) {
    auto it = handles_.find(handle);
    if (it == handles_.end() || it->second.printer == nullptr) {
        return 0;
    }
    return it->second.printer->Answer(request, value, index, reply, length);
}

std::uint32_t SimPlatform::SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                                   std::uint8_t* reply, std::uint16_t length) {
    // The printer-class driver sends every vendor request to the printer's interface.
    const std::uint16_t value = static_cast<std::uint16_t>(block.valueHigh << 8 | block.valueLow);
    return Answer(handle, block.request, value, 0, reply, length);
}

std::uint32_t SimPlatform::SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                                 std::uint8_t* reply, std::uint16_t length) {
    if (block.requestType != kVendorRequestType || block.directionIn != 1) {
        return 0;
    }
    return Answer(handle, block.request, static_cast<std::uint16_t>(block.offset),
                  static_cast<std::uint16_t>(block.index), reply,
                  static_cast<std::uint16_t>(std::min<std::uint32_t>(block.length, length)));
}

void SimPlatform::CloseDevice(Handle handle) {
    if (handles_.erase(handle) == 0) {
        ++strayCloses;
    }
}

RegistryKey SimPlatform::OpenRegistryKey(const std::string& path) {
    if (registry.count(path) == 0) {
        return 0;
    }
    const RegistryKey key = nextKey_++;
    keys_[key] = path;
    return key;
}

bool SimPlatform::EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) {
    auto it = keys_.find(key);
    if (it == keys_.end()) {
        return false;
    }
    const auto& subkeys = registry[it->second].subkeys;
    if (index >= subkeys.size()) {
        return false;
    }
    *name = subkeys[index];
    return true;
}

bool SimPlatform::ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                                    std::uint32_t size) {
    auto it = keys_.find(key);
    if (it == keys_.end()) {
        return false;
    }
    const auto& values = registry[it->second].values;
    auto value = values.find(valueName);
    // A string value is stored with its terminating NUL; one that does not fit is refused.
    if (value == values.end() || value->second.size() + 1 > size) {
        return false;
    }
    std::memcpy(buffer, value->second.c_str(), value->second.size() + 1);
    return true;
}

void SimPlatform::CloseRegistryKey(RegistryKey key) {
    keys_.erase(key);
}

}  // namespace rpanel

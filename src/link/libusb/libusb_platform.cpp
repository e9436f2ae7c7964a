#include "link/libusb/libusb_platform.h"

#include <libusb.h>

#include <algorithm>
#include <cstring>

#include "link/libusb/open_refusal.h"
#include "link/libusb/usb_devices.h"
#include "link/system_platform.h"

namespace rpanel {
namespace {

constexpr std::uint8_t kDeviceToHost = 0x80;

// The members of a set are its devices with a printer interface; the set keeps its snapshot,
// so a member index means the same device until the set is closed.
const UsbDevice* Member(const std::map<DeviceSet, std::unique_ptr<UsbDeviceList>>& sets,
                        DeviceSet set, std::uint32_t member) {
    auto it = sets.find(set);
    if (it == sets.end()) {
        return nullptr;
    }
    auto printers = it->second->WithInterface(kPrinterInterfaceClass);
    return member < printers.size() ? printers[member] : nullptr;
}

}  // namespace

LibusbPlatform::LibusbPlatform(std::chrono::milliseconds timeout)
    : timeoutMs_(static_cast<unsigned int>(
          std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, 0x7FFFFFFF))) {
    if (libusb_init(&context_) != LIBUSB_SUCCESS) {
        context_ = nullptr;
    }
}

LibusbPlatform::~LibusbPlatform() {
    for (auto& [handle, open] : handles_) {
        libusb_close(open.device);
    }
    handles_.clear();
    sets_.clear();
    keys_.clear();
    if (context_ != nullptr) {
        libusb_exit(context_);
    }
}

DeviceSet LibusbPlatform::OpenPrinterDeviceSet() {
    auto devices = std::make_unique<UsbDeviceList>(context_);
    if (!devices->Listed()) {
        return 0;
    }
    const DeviceSet set = nextSet_++;
    sets_[set] = std::move(devices);
    return set;
}

bool LibusbPlatform::DeviceExists(DeviceSet set, std::uint32_t member) {
    return Member(sets_, set, member) != nullptr;
}

PropertyResult LibusbPlatform::ReadHardwareIds(DeviceSet set, std::uint32_t member, char* buffer,
                                               std::uint32_t size, std::uint32_t* required) {
    const UsbDevice* device = Member(sets_, set, member);
    if (device == nullptr) {
        return PropertyResult::Failed;
    }
    const std::string list = HardwareIdList(device->descriptor);
    if (buffer == nullptr || size < list.size()) {
        if (required != nullptr) {
            *required = static_cast<std::uint32_t>(list.size());
        }
        return PropertyResult::BufferTooSmall;
    }
    std::memcpy(buffer, list.data(), list.size());
    return PropertyResult::Ok;
}

bool LibusbPlatform::ReadInterfacePath(DeviceSet set, std::uint32_t member, std::string* path) {
    const UsbDevice* device = Member(sets_, set, member);
    if (device == nullptr) {
        return false;
    }
    *path =
        FormatInterfacePath({device->location, device->configuration, *device->printerInterface});
    return true;
}

void LibusbPlatform::CloseDeviceSet(DeviceSet set) {
    sets_.erase(set);
}

Handle LibusbPlatform::OpenDevice(const std::string& path, OpenAttributes /*attributes*/) {
    lastOpenFailure_.clear();
    // As with the Windows paths, the name alone says which kind of device is meant.
    if (ParseStillImageName(path)) {
        return OpenStillImage(path);
    }
    return OpenPrinterInterface(path);
}

Handle LibusbPlatform::OpenPrinterInterface(const std::string& path) {
    const auto parsed = ParseInterfacePath(path);
    if (!parsed) {
        return kInvalidHandle;
    }
    UsbDeviceList devices(context_);
    const UsbDevice* device = devices.At(parsed->location);
    if (device == nullptr || device->configuration != parsed->configuration ||
        device->printerInterface != parsed->interfaceNumber) {
        return kInvalidHandle;
    }
    libusb_device_handle* opened = nullptr;
    const int result = libusb_open(device->device, &opened);
    if (result != LIBUSB_SUCCESS) {
        const std::string node = UsbfsNode(libusb_get_bus_number(device->device),
                                           libusb_get_device_address(device->device));
        lastOpenFailure_ = DescribeOpenRefusal(result, device->location, node, OwningGroup(node));
        return kInvalidHandle;
    }
    return Remember(opened, HandleKind::PrinterInterface, parsed->interfaceNumber);
}

Handle LibusbPlatform::OpenStillImage(const std::string& name) {
    const auto parsed = ParseStillImageName(name);
    UsbDeviceList devices(context_);
    const auto stillImage = devices.WithInterface(kStillImageInterfaceClass);
    if (!parsed || parsed->number >= stillImage.size()) {
        return kInvalidHandle;
    }
    const UsbDevice& device = *stillImage[parsed->number];
    if (parsed->pipe > device.stillImageEndpoints) {
        return kInvalidHandle;
    }
    libusb_device_handle* opened = nullptr;
    if (libusb_open(device.device, &opened) != LIBUSB_SUCCESS) {
        return kInvalidHandle;
    }
    return Remember(opened, HandleKind::StillImage, *device.stillImageInterface);
}

Handle LibusbPlatform::Remember(libusb_device_handle* device, HandleKind kind,
                                std::uint8_t interfaceNumber) {
    const Handle handle = nextHandle_++;
    handles_[handle] = OpenHandle{device, kind, interfaceNumber};
    return handle;
}

const LibusbPlatform::OpenHandle* LibusbPlatform::Find(Handle handle, HandleKind kind) const {
    auto it = handles_.find(handle);
    return it != handles_.end() && it->second.kind == kind ? &it->second : nullptr;
}

bool LibusbPlatform::ReadDeviceDescriptor(Handle handle, DeviceDescriptor* descriptor) {
    const OpenHandle* open = Find(handle, HandleKind::StillImage);
    libusb_device_descriptor device{};
    if (open == nullptr ||
        libusb_get_device_descriptor(libusb_get_device(open->device), &device) != LIBUSB_SUCCESS) {
        return false;
    }
    descriptor->vendor = device.idVendor;
    descriptor->product = device.idProduct;
    descriptor->release = device.bcdDevice;
    descriptor->language = 0;
    return true;
}

std::uint32_t LibusbPlatform::Transfer(libusb_device_handle* device, std::uint8_t requestType,
                                       std::uint8_t request, std::uint16_t value,
                                       std::uint16_t index, std::uint8_t* reply,
                                       std::uint16_t length) const {
    const int delivered = libusb_control_transfer(device, requestType, request, value, index, reply,
                                                  length, timeoutMs_);
    // A stall, a timeout or a printer that has gone all count as no reply.
    return delivered > 0 ? std::min<std::uint32_t>(static_cast<std::uint32_t>(delivered), length)
                         : 0;
}

std::uint32_t LibusbPlatform::SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                                      std::uint8_t* reply, std::uint16_t length) {
    const OpenHandle* open = Find(handle, HandleKind::PrinterInterface);
    if (open == nullptr) {
        return 0;
    }
    // The printer-class driver takes byte 1 of its input block as the high byte of wValue and
    // byte 2 as the low byte, and sends the request to the printer interface. Our block carries
    // the value low byte first, so a setting's parameter (our high byte) reaches the printer
    // in the low byte of wValue, exactly as it does through the Windows driver.
    const std::uint16_t wireValue =
        static_cast<std::uint16_t>(block.valueLow << 8 | block.valueHigh);
    return Transfer(open->device, kVendorRequestType, block.request, wireValue,
                    open->interfaceNumber, reply, length);
}

std::uint32_t LibusbPlatform::SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                                    std::uint8_t* reply, std::uint16_t length) {
    const OpenHandle* open = Find(handle, HandleKind::StillImage);
    // Only requests from the device to the host are offered.
    if (open == nullptr || block.directionIn == 0 || (block.requestType & kDeviceToHost) == 0) {
        return 0;
    }
    // The driver asks for the block's length, into a buffer that holds length bytes.
    const auto asked = static_cast<std::uint16_t>(std::min<std::uint32_t>(block.length, length));
    return Transfer(open->device, block.requestType, block.request,
                    static_cast<std::uint16_t>(block.offset),
                    static_cast<std::uint16_t>(block.index), reply, asked);
}

void LibusbPlatform::CloseDevice(Handle handle) {
    auto it = handles_.find(handle);
    if (it != handles_.end()) {
        libusb_close(it->second.device);
        handles_.erase(it);
    }
}

RegistryKey LibusbPlatform::OpenRegistryKey(const std::string& path) {
    if (context_ == nullptr) {
        return 0;
    }
    const UsbDeviceList devices(context_);
    RegistryView view = BuildRegistryView(devices);
    auto it = view.find(RegistryLookupKey(path));
    if (it == view.end()) {
        return 0;
    }
    const RegistryKey key = nextKey_++;
    keys_[key] = it->second;
    return key;
}

bool LibusbPlatform::EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) {
    auto it = keys_.find(key);
    if (it == keys_.end() || index >= it->second->subkeys.size()) {
        return false;
    }
    *name = it->second->subkeys[index];
    return true;
}

bool LibusbPlatform::ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                                       std::uint32_t size) {
    auto it = keys_.find(key);
    if (it == keys_.end()) {
        return false;
    }
    const auto& values = it->second->values;
    auto value = values.find(valueName);
    // Stored with its terminating NUL; a value that does not fit is refused, as Windows does.
    if (value == values.end() || value->second.size() + 1 > size) {
        return false;
    }
    std::memcpy(buffer, value->second.c_str(), value->second.size() + 1);
    return true;
}

void LibusbPlatform::CloseRegistryKey(RegistryKey key) {
    keys_.erase(key);
}

std::unique_ptr<DevicePlatform> CreateSystemPlatform() {
    return std::make_unique<LibusbPlatform>();
}

}  // namespace rpanel

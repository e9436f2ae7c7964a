#include "emulated_usb.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace rpanel::test {
namespace {

constexpr char kHostController[] = "/devices/pci0000:00/0000:00:14.0/";

std::uint16_t Le16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

void PutLe16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

// A sysfs attribute as umockdev's H: line wants it: upper-case hexadecimal.
std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char digits[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

// A text attribute ended by a newline, as the kernel writes it.
std::string TextAttribute(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back('\n');
    return HexBytes(bytes);
}

std::uint8_t BusOf(const std::string& name) {
    const std::size_t start = name.rfind("usb", 0) == 0 ? 3 : 0;
    return static_cast<std::uint8_t>(std::stoi(name.substr(start)));
}

// "1-1.4" -> "usb1/1-1/1-1.4"; "usb1" -> "usb1".
std::string SysfsPath(const std::string& name) {
    if (name.rfind("usb", 0) == 0) {
        return name;
    }
    std::string path = "usb" + std::to_string(BusOf(name));
    for (std::size_t dot = name.find('.'); dot != std::string::npos;
         dot = name.find('.', dot + 1)) {
        path += "/" + name.substr(0, dot);
    }
    return path + "/" + name;
}

std::string Devnode(std::uint8_t bus, std::uint8_t devnum) {
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", bus, devnum);
    return node;
}

std::string Hex(const SetupPacket& packet) {
    std::string text;
    char digits[4];
    for (std::uint8_t byte : packet) {
        std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", byte);
        text += digits;
    }
    return text;
}

}  // namespace

UsbDeviceInfo PrinterAt(const std::string& name, std::uint8_t devnum) {
    UsbDeviceInfo info;
    info.name = name;
    info.devnum = devnum;
    info.vendor = 0x0000;
    info.product = 0x0012;
    info.release = 0x0100;
    info.interfaces = {{0, 0xFF, 2}, {1, 7, 2}};
    return info;
}

// ---------------------------------------------------------------------------------------------
// The firmware behind a device node.

EmulatedDevice::EmulatedDevice(std::string devnode, PrinterModel* printer)
    : devnode_(std::move(devnode)), printer_(printer), handler_(umockdev_ioctl_base_new()) {
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
}

EmulatedDevice::~EmulatedDevice() {
    g_signal_handlers_disconnect_by_data(handler_, this);
    for (const UrbQueues* queues : {&done_, &withheld_}) {
        for (const auto& [client, urbs] : *queues) {
            std::for_each(urbs.begin(), urbs.end(), g_object_unref);
        }
    }
    g_object_unref(handler_);
}

void EmulatedDevice::SetFault(Fault fault) {
    std::lock_guard lock(mutex_);
    fault_ = fault;
}

std::vector<std::string> EmulatedDevice::Setups() const {
    std::lock_guard lock(mutex_);
    return setups_;
}

int EmulatedDevice::OpenDescriptors() const {
    // umockdev's client-vanished signal does not come when a node is closed: look at the
    // descriptors themselves. An emulated node is a file below the testbed's own /dev.
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        if (!error && target.size() >= devnode_.size() &&
            target.compare(target.size() - devnode_.size(), devnode_.size(), devnode_) == 0) {
            ++count;
        }
    }
    return count;
}

int EmulatedDevice::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
    auto* device = static_cast<EmulatedDevice*>(self);
    switch (umockdev_ioctl_client_get_request(client)) {
        case USBDEVFS_SUBMITURB:
            return device->Submit(client);
        case USBDEVFS_REAPURBNDELAY:
            return device->Reap(client);
        case USBDEVFS_DISCARDURB:
            return device->Discard(client);
        default:
            return FALSE;  // umockdev's defaults for everything else
    }
}

bool EmulatedDevice::Submit(UMockdevIoctlClient* client) {
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    UMockdevIoctlData* urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
    if (urbData == nullptr) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
    if (urb->type != USBDEVFS_URB_TYPE_CONTROL || urb->endpoint != 0 || urb->buffer_length < 8) {
        g_object_unref(urbData);
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return true;
    }
    UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
        urbData, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), nullptr);
    if (buffer == nullptr) {
        g_object_unref(urbData);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    SetupPacket setup;
    std::memcpy(setup.data(), buffer->data, setup.size());
    Fault fault;
    {
        std::lock_guard lock(mutex_);
        setups_.push_back(Hex(setup));
        fault = fault_;
    }
    // An unplugged printer has gone: submitting fails with ENODEV.
    if (printer_ != nullptr && !printer_->Present()) {
        g_object_unref(buffer);
        g_object_unref(urbData);
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return true;
    }
    urb->status = 0;
    urb->actual_length = 0;
    if (fault == Fault::None) {
        const std::uint8_t requestType = setup[0];
        // The firmware reads a setting's parameter from the low byte of wValue, where the
        // Windows printer-class driver puts it; the model wants it in the high byte.
        const std::uint16_t wireValue = Le16(&setup[2]);
        const auto value = static_cast<std::uint16_t>((wireValue & 0xFF) << 8 | wireValue >> 8);
        const std::uint16_t room = std::min<std::uint16_t>(
            Le16(&setup[6]), static_cast<std::uint16_t>(urb->buffer_length - 8));
        std::uint32_t answered = 0;
        Answered how = Answered::Replied;
        if ((requestType & 0x80) != 0 && printer_ != nullptr) {
            answered =
                printer_->Answer(setup[1], value, Le16(&setup[4]), buffer->data + 8, room, &how);
        }
        // Unplugged as this request came: the kernel fails it as it fails a submit to a
        // device that has gone.
        if (how == Answered::Gone) {
            g_object_unref(buffer);
            g_object_unref(urbData);
            umockdev_ioctl_client_complete(client, -1, ENODEV);
            return true;
        }
        // A request the printer does not know is stalled.
        urb->actual_length = static_cast<int>(answered);
        urb->status = answered > 0 ? 0 : -EPIPE;
    } else if (fault == Fault::Stall) {
        urb->status = -EPIPE;
    }
    {
        std::lock_guard lock(mutex_);
        (fault == Fault::Silent ? withheld_ : done_)[client].push_back(urbData);
    }
    g_object_unref(buffer);
    umockdev_ioctl_client_complete(client, 0, 0);
    return true;
}

bool EmulatedDevice::Reap(UMockdevIoctlClient* client) {
    UMockdevIoctlData* urbData = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto& done = done_[client];
        if (!done.empty()) {
            urbData = done.front();
            done.pop_front();
        }
    }
    if (urbData == nullptr) {
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return true;
    }
    UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                          sizeof(void*), nullptr);
    if (slot == nullptr) {
        g_object_unref(urbData);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return true;
    }
    umockdev_ioctl_data_set_ptr(slot, 0, urbData);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(slot);
    g_object_unref(urbData);
    return true;
}

bool EmulatedDevice::Discard(UMockdevIoctlClient* client) {
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    gulong address = 0;
    std::memcpy(&address, arg->data, std::min<std::size_t>(sizeof address, arg->data_len));
    std::lock_guard lock(mutex_);
    auto& withheld = withheld_[client];
    auto it = std::find_if(withheld.begin(), withheld.end(),
                           [&](UMockdevIoctlData* urb) { return urb->client_addr == address; });
    if (it == withheld.end()) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return true;
    }
    // As the kernel does, a cancelled URB comes back through the reap queue.
    auto* urb = reinterpret_cast<usbdevfs_urb*>((*it)->data);
    urb->status = -ENOENT;
    urb->actual_length = 0;
    done_[client].push_back(*it);
    withheld.erase(it);
    umockdev_ioctl_client_complete(client, 0, 0);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The testbed.

EmulatedUsb::EmulatedUsb() : testbed_(umockdev_testbed_new()) {
    if (!umockdev_in_mock_environment()) {
        throw std::runtime_error("libumockdev-preload is not loaded");
    }
}

EmulatedUsb::~EmulatedUsb() {
    for (const auto& device : devices_) {
        umockdev_testbed_detach_ioctl(testbed_, device->Devnode().c_str(), nullptr);
    }
    g_object_unref(testbed_);
    devices_.clear();
}

std::vector<std::uint8_t> EmulatedUsb::Descriptors(const UsbDeviceInfo& info) {
    std::vector<std::uint8_t> bytes = {18, 1, 0x00, 0x02, info.deviceClass, 0, 0, 64};
    PutLe16(bytes, info.vendor);
    PutLe16(bytes, info.product);
    PutLe16(bytes, info.release);
    bytes.insert(bytes.end(), {0, 0, 0, 1});  // no strings, one configuration

    std::vector<std::uint8_t> configuration = {
        9, 2,    0, 0, static_cast<std::uint8_t>(info.interfaces.size()), info.configuration,
        0, 0xC0, 1};
    std::uint8_t endpoint = 1;
    for (const UsbInterfaceInfo& interface : info.interfaces) {
        configuration.insert(configuration.end(), {9, 4, interface.number, 0, interface.endpoints,
                                                   interface.interfaceClass, 1, 2, 0});
        for (std::uint8_t e = 0; e < interface.endpoints; ++e, ++endpoint) {
            const std::uint8_t address = e % 2 == 0 ? endpoint : (0x80 | endpoint);
            configuration.insert(configuration.end(), {7, 5, address, 2, 64, 0, 0});
        }
    }
    configuration[2] = static_cast<std::uint8_t>(configuration.size() & 0xFF);
    configuration[3] = static_cast<std::uint8_t>(configuration.size() >> 8);
    bytes.insert(bytes.end(), configuration.begin(), configuration.end());
    return bytes;
}

void EmulatedUsb::AddNode(const std::string& name, std::uint8_t devnum,
                          const std::vector<std::uint8_t>& descriptors,
                          std::uint8_t configuration) {
    const std::uint8_t bus = BusOf(name);
    const std::string devnode = Devnode(bus, devnum);
    char numbers[8];
    std::string text = "P: " + std::string(kHostController) + SysfsPath(name) + "\n";
    text += "N: " + devnode.substr(5) + "\n";
    text += "E: DEVNAME=" + devnode + "\n";
    text += "E: DEVTYPE=usb_device\nE: DRIVER=usb\nE: SUBSYSTEM=usb\n";
    std::snprintf(numbers, sizeof numbers, "%03u", bus);
    text += "E: BUSNUM=" + std::string(numbers) + "\n";
    std::snprintf(numbers, sizeof numbers, "%03u", devnum);
    text += "E: DEVNUM=" + std::string(numbers) + "\n";
    text += "H: busnum=" + TextAttribute(std::to_string(bus)) + "\n";
    text += "H: devnum=" + TextAttribute(std::to_string(devnum)) + "\n";
    text += "H: bConfigurationValue=" + TextAttribute(std::to_string(configuration)) + "\n";
    text += "H: speed=" + TextAttribute("480") + "\n";
    text += "H: descriptors=" + HexBytes(descriptors) + "\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, text.c_str(), &error)) {
        std::string message = error != nullptr ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("cannot add " + name + ": " + message);
    }
}

void EmulatedUsb::AddHub(const std::string& name, std::uint8_t devnum) {
    UsbDeviceInfo hub;
    hub.vendor = 0x1D6B;
    hub.product = 0x0002;
    hub.deviceClass = 9;
    hub.interfaces = {{0, 9, 1}};
    AddNode(name, devnum, Descriptors(hub), 1);
}

EmulatedDevice* EmulatedUsb::Add(const UsbDeviceInfo& info, PrinterModel* printer) {
    AddNode(info.name, info.devnum, Descriptors(info), info.configuration);
    auto device = std::make_unique<EmulatedDevice>(Devnode(BusOf(info.name), info.devnum), printer);
    GError* error = nullptr;
    if (!umockdev_testbed_attach_ioctl(testbed_, device->Devnode().c_str(), device->Handler(),
                                       &error)) {
        std::string message = error != nullptr ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("cannot attach to " + device->Devnode() + ": " + message);
    }
    devices_.push_back(std::move(device));
    return devices_.back().get();
}

}  // namespace rpanel::test

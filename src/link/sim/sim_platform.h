// A simulated machine: printer-class devices with their hardware-ID lists, still-image
// devices by number and a registry, with the printer model behind the devices. It counts what
// is open so that the tests can prove nothing is left open.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "link/platform.h"
#include "link/sim/printer_model.h"

namespace rpanel {

struct SimPrinterClassDevice {
    // The hardware-ID property; nullopt: the device has none.
    std::optional<std::vector<std::string>> hardwareIds;
    std::string interfacePath;   // empty: no interface of the printer class at this member
    bool propertyFails = false;  // reading the property fails with an unexpected error
    int maxOpenHandles = 2;      // how many handles the interface grants at once
    PrinterModel* printer = nullptr;
};

struct SimStillImageDevice {
    int number = 0;  // \\.\Usbscan<number>
    DeviceDescriptor descriptor;
    bool descriptorReadable = true;
    PrinterModel* printer = nullptr;
};

struct SimRegistryKey {
    std::vector<std::string> subkeys;
    std::map<std::string, std::string> values;
};

class SimPlatform : public DevicePlatform {
public:
    std::vector<SimPrinterClassDevice> printerClassDevices;
    std::vector<SimStillImageDevice> stillImageDevices;
    std::map<std::string, SimRegistryKey> registry;  // by full key path
    bool deviceSetFails = false;

    // Every path that an open was asked for, in order.
    std::vector<std::string> openedPaths;
    // Closes of handles that were not open (a handle closed twice).
    int strayCloses = 0;

    // A machine with one printer attached to the printer-class driver, as the demo uses it.
    static SimPlatform WithPrinter(PrinterModel& printer);
    // The registry entries Windows keeps for a USB device instance.
    void AddRegistryInstance(const std::string& deviceKey, const std::string& instance,
                             const std::string& service);

    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }
    int OpenDeviceSetCount() const { return openSets_; }
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
    TransferFailure LastTransferFailure() const override { return lastTransferFailure_; }
    // The simulated printer never makes anyone wait: a request it hangs on counts as one
    // timeout and adds the timeout to WaitedFor, as if the host had waited it out.
    void SetTransferTimeout(std::chrono::milliseconds timeout) override { timeout_ = timeout; }
    std::chrono::milliseconds TransferTimeout() const { return timeout_; }
    int Timeouts() const { return timeouts_; }
    std::chrono::milliseconds WaitedFor() const { return waited_; }
    void CloseDevice(Handle handle) override;
    std::string LastOpenFailureReason() const override { return lastOpenFailure_; }
    RegistryKey OpenRegistryKey(const std::string& path) override;
    bool EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) override;
    bool ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                           std::uint32_t size) override;
    void CloseRegistryKey(RegistryKey key) override;

private:
    struct OpenDeviceRecord {
        PrinterModel* printer = nullptr;
        const SimStillImageDevice* stillImage = nullptr;
        const SimPrinterClassDevice* printerClass = nullptr;
    };
    // Devices whose printer is unplugged are not there.
    std::vector<const SimPrinterClassDevice*> PresentPrinterClassDevices() const;
    std::uint32_t Answer(Handle handle, std::uint8_t request, std::uint16_t value,
                         std::uint16_t index, std::uint8_t* reply, std::uint16_t length);
    int HandlesOn(const SimPrinterClassDevice* device) const;

    int openSets_ = 0;
    Handle nextHandle_ = 0x100;
    std::map<Handle, OpenDeviceRecord> handles_;
    std::map<RegistryKey, std::string> keys_;
    RegistryKey nextKey_ = 0x10;
    std::string lastOpenFailure_;
    TransferFailure lastTransferFailure_ = TransferFailure::None;
    std::chrono::milliseconds timeout_ = kDefaultTransferTimeout;
    int timeouts_ = 0;
    std::chrono::milliseconds waited_{0};
};

}  // namespace rpanel

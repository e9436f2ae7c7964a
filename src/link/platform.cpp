#include "link/platform.h"

namespace rpanel {
namespace {

// Until a platform is chosen, nothing is attached: every operation fails.
class NoDevices final : public DevicePlatform {
public:
    DeviceSet OpenPrinterDeviceSet() override { return 0; }
    bool DeviceExists(DeviceSet, std::uint32_t) override { return false; }
    PropertyResult ReadHardwareIds(DeviceSet, std::uint32_t, char*, std::uint32_t,
                                   std::uint32_t*) override {
        return PropertyResult::Failed;
    }
    bool ReadInterfacePath(DeviceSet, std::uint32_t, std::string*) override { return false; }
    void CloseDeviceSet(DeviceSet) override {}
    Handle OpenDevice(const std::string&, OpenAttributes) override { return kInvalidHandle; }
    bool ReadDeviceDescriptor(Handle, DeviceDescriptor*) override { return false; }
    std::uint32_t SendPrinterClassRequest(Handle, const PrinterClassBlock&, std::uint8_t*,
                                          std::uint16_t) override {
        return 0;
    }
    std::uint32_t SendStillImageRequest(Handle, const StillImageBlock&, std::uint8_t*,
                                        std::uint16_t) override {
        return 0;
    }
    void CloseDevice(Handle) override {}
    RegistryKey OpenRegistryKey(const std::string&) override { return 0; }
    bool EnumRegistrySubkey(RegistryKey, std::uint32_t, std::string*) override { return false; }
    bool ReadRegistryValue(RegistryKey, const std::string&, char*, std::uint32_t) override {
        return false;
    }
    void CloseRegistryKey(RegistryKey) override {}
};

NoDevices g_noDevices;
DevicePlatform* g_platform = &g_noDevices;

}  // namespace

DevicePlatform& CurrentPlatform() {
    return *g_platform;
}

void UsePlatform(DevicePlatform* platform) {
    g_platform = platform != nullptr ? platform : &g_noDevices;
}

}  // namespace rpanel

#include "link/device_session.h"

#include "link/printer_link.h"

namespace rpanel {
namespace {

// Until a program chooses a platform, nothing is attached: every operation fails.
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

DeviceSession* g_current = nullptr;

}  // namespace

DeviceSession::DeviceSession(DevicePlatform& platform_, RequestObserver observer_)
    : platform(platform_), observer(std::move(observer_)), previous_(g_current) {
    g_current = this;
}

DeviceSession::DeviceSession(DevicePlatform& platform_, Detached)
    : platform(platform_), inUse_(false) {}

DeviceSession::~DeviceSession() {
    if (inUse_) {
        // The handles belong to this session's platform: close them while it still exists.
        ClosePrinterLink();
        g_current = previous_;
    }
}

DeviceSession& CurrentSession() {
    if (g_current == nullptr) {
        static NoDevices noDevices;
        static DeviceSession detached(noDevices, DeviceSession::Detached{});
        return detached;
    }
    return *g_current;
}

}  // namespace rpanel

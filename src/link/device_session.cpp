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
    TransferFailure LastTransferFailure() const override { return TransferFailure::None; }
    void SetTransferTimeout(std::chrono::milliseconds) override {}
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

void DeviceSession::NoteTransferFailure(TransferFailure failure) {
    if (depth_ > 0 && failure != TransferFailure::None) {
        stopped_ = true;
    }
}

LinkFrame::LinkFrame(DeviceSession& session, FrameKind kind, bool wait)
    : session_(session), kind_(kind) {
    if (wait) {
        session_.linkLock_.lock();
        held_ = true;
    } else {
        held_ = session_.linkLock_.try_lock();
    }
    if (!held_) {
        return;
    }
    outermost_ = session_.depth_++ == 0;
    if (outermost_) {
        session_.stopped_ = false;
        session_.quiet_ = kind_ == FrameKind::Round;
        if (kind_ == FrameKind::Command && session_.commandBusy) {
            session_.commandBusy(true);
        }
    }
}

LinkFrame::~LinkFrame() {
    if (!held_) {
        return;
    }
    if (outermost_) {
        session_.stopped_ = false;
        session_.quiet_ = false;
        if (kind_ == FrameKind::Command && session_.commandBusy) {
            session_.commandBusy(false);
        }
    }
    --session_.depth_;
    session_.linkLock_.unlock();
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

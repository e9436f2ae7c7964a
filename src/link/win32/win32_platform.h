// The Windows adapter: device setup services for the USB printer interface class, the
// printer-class driver (usbprint) and the still-image driver (usbscan) through DeviceIoControl,
// and the registry below HKEY_LOCAL_MACHINE.
//
// This header does not include windows.h: the small data helpers below are plain C++ so that
// they are checked on every build host, not only in the Windows build.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/platform.h"

namespace rpanel {

namespace win32 {

// The Windows errors that reading a device's hardware-ID property reports.
inline constexpr std::uint32_t kErrorInvalidData = 13;          // the device has no such property
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;  // required size reported

// What a failed hardware-ID read means for the caller, who grows its buffer to `required`
// and asks again for as long as the answer is BufferTooSmall. A "too small" answer that does
// not ask for more than was offered would make that loop spin forever, so it is a failure.
inline PropertyResult HardwareIdReadFailure(std::uint32_t error, std::uint32_t required,
                                            std::uint32_t offered) {
    switch (error) {
        case kErrorInsufficientBuffer:
            return required > offered ? PropertyResult::BufferTooSmall : PropertyResult::Failed;
        case kErrorInvalidData:
            return PropertyResult::NoProperty;
        default:
            return PropertyResult::Failed;
    }
}

// The printer-class driver's vendor request input: request code, then the value low byte
// first. The index has no place in it; the driver fills in its own.
inline std::array<std::uint8_t, 3> PrinterClassInput(const PrinterClassBlock& block) {
    return {block.request, block.valueLow, block.valueHigh};
}

// What a failed DeviceIoControl's GetLastError says about the printer. The drivers report a
// request that got no answer as a semaphore or I/O timeout, and an unplugged device as not
// connected or not existing; everything else is a refusal of that one request.
inline TransferFailure TransferFailureOf(unsigned long error) {
    switch (error) {
        case 121:   // ERROR_SEM_TIMEOUT
        case 258:   // WAIT_TIMEOUT
        case 1460:  // ERROR_TIMEOUT
            return TransferFailure::TimedOut;
        case 55:    // ERROR_DEV_NOT_EXIST
        case 433:   // ERROR_NO_SUCH_DEVICE
        case 1167:  // ERROR_DEVICE_NOT_CONNECTED
            return TransferFailure::Gone;
        default:
            return TransferFailure::None;
    }
}

}  // namespace win32

class Win32Platform final : public DevicePlatform {
public:
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
    // The drivers' synchronous call has their own limit, which is what a timeout here means.
    TransferFailure LastTransferFailure() const override { return lastTransferFailure_; }
    void SetTransferTimeout(std::chrono::milliseconds) override {}
    void CloseDevice(Handle handle) override;

    RegistryKey OpenRegistryKey(const std::string& path) override;
    bool EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) override;
    bool ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                           std::uint32_t size) override;
    void CloseRegistryKey(RegistryKey key) override;

private:
    TransferFailure lastTransferFailure_ = TransferFailure::None;
};

}  // namespace rpanel

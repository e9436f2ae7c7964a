#include "link/win32/win32_platform.h"

#include "link/plug_events.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// windows.h must come first: the setup and driver headers rely on its types.
// clang-format off
#include <windows.h>
#include <winioctl.h>
#include <setupapi.h>
#include <usbprint.h>
#include <usbscan.h>
// clang-format on

#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include "link/system_platform.h"

namespace rpanel {
namespace {

// The codes and layouts the drivers answer to; headers of another vintage must not slip a
// different one past us.
static_assert(static_cast<DWORD>(IOCTL_USBPRINT_VENDOR_GET_COMMAND) == 0x0022003C);
static_assert(static_cast<DWORD>(IOCTL_GET_DEVICE_DESCRIPTOR) == 0x80002018);
static_assert(static_cast<DWORD>(IOCTL_SEND_USB_REQUEST) == 0x80002024);
static_assert(sizeof(DEVICE_DESCRIPTOR) == 8);
// usbscan reads IO_BLOCK_EX in the caller's own pointer width: 20 bytes from a 32-bit program,
// 24 from a 64-bit one, with the reply address at offset 8.
static_assert(sizeof(IO_BLOCK_EX) == (sizeof(void*) == 8 ? 24 : 20));
static_assert(offsetof(IO_BLOCK_EX, uIndex) == 8 + sizeof(void*));
// The detail record's size field names the narrow-character record without its path: 5 in a
// 32-bit program, 8 in a 64-bit one. Any other value makes the call fail.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == (sizeof(void*) == 8 ? 8 : 5));
static_assert(sizeof(Handle) == sizeof(HANDLE));
static_assert(SPDRP_HARDWAREID == 1);
static_assert((DIGCF_PRESENT | DIGCF_DEVICEINTERFACE) == 0x12);
static_assert(ERROR_INSUFFICIENT_BUFFER == win32::kErrorInsufficientBuffer);
static_assert(ERROR_INVALID_DATA == win32::kErrorInvalidData);

// The USB printer device-interface class.
constexpr GUID kUsbPrinterInterface = {
    0x28D78FAD, 0x5A12, 0x11D1, {0xAE, 0x5B, 0x00, 0x00, 0xF8, 0x03, 0xA8, 0xC2}};

HDEVINFO ToDeviceInfo(DeviceSet set) {
    return reinterpret_cast<HDEVINFO>(set);
}

HANDLE ToHandle(Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

HKEY ToKey(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}

bool MemberInfo(DeviceSet set, std::uint32_t member, SP_DEVINFO_DATA* info) {
    *info = {};
    info->cbSize = sizeof(SP_DEVINFO_DATA);
    return SetupDiEnumDeviceInfo(ToDeviceInfo(set), member, info) != FALSE;
}

}  // namespace

DeviceSet Win32Platform::OpenPrinterDeviceSet() {
    HDEVINFO set = SetupDiGetClassDevsA(&kUsbPrinterInterface, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    // The call answers INVALID_HANDLE_VALUE on failure; the link knows only 0 for that.
    if (set == INVALID_HANDLE_VALUE || set == nullptr) {
        return 0;
    }
    return reinterpret_cast<DeviceSet>(set);
}

bool Win32Platform::DeviceExists(DeviceSet set, std::uint32_t member) {
    SP_DEVINFO_DATA info;
    return MemberInfo(set, member, &info);
}

PropertyResult Win32Platform::ReadHardwareIds(DeviceSet set, std::uint32_t member, char* buffer,
                                              std::uint32_t size, std::uint32_t* required) {
    SP_DEVINFO_DATA info;
    if (!MemberInfo(set, member, &info)) {
        return PropertyResult::Failed;
    }
    DWORD needed = 0;
    if (SetupDiGetDeviceRegistryPropertyA(ToDeviceInfo(set), &info, SPDRP_HARDWAREID, nullptr,
                                          reinterpret_cast<BYTE*>(buffer), size, &needed)) {
        return PropertyResult::Ok;
    }
    const DWORD error = GetLastError();
    if (required != nullptr) {
        *required = needed;
    }
    return win32::HardwareIdReadFailure(error, needed, size);
}

bool Win32Platform::ReadInterfacePath(DeviceSet set, std::uint32_t member, std::string* path) {
    SP_DEVICE_INTERFACE_DATA interfaceData = {};
    interfaceData.cbSize = sizeof(SP_DEVICE_INTERFACE_DATA);
    if (!SetupDiEnumDeviceInterfaces(ToDeviceInfo(set), nullptr, &kUsbPrinterInterface, member,
                                     &interfaceData)) {
        return false;
    }
    // First ask how large the detail record with its path is; this call fails by design.
    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(ToDeviceInfo(set), &interfaceData, nullptr, 0, &required,
                                     nullptr);
    constexpr std::size_t kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (required <= kPathOffset) {
        return false;
    }
    // DWORD elements keep the record's size field aligned.
    std::vector<DWORD> storage((required + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(ToDeviceInfo(set), &interfaceData, detail, required,
                                          nullptr, nullptr)) {
        return false;
    }
    const char* text = reinterpret_cast<const char*>(storage.data()) + kPathOffset;
    path->assign(text, strnlen(text, required - kPathOffset));
    return !path->empty();
}

void Win32Platform::CloseDeviceSet(DeviceSet set) {
    if (set != 0) {
        SetupDiDestroyDeviceInfoList(ToDeviceInfo(set));
    }
}

Handle Win32Platform::OpenDevice(const std::string& path, OpenAttributes attributes) {
    const DWORD flags =
        attributes == OpenAttributes::System ? FILE_ATTRIBUTE_SYSTEM : FILE_ATTRIBUTE_NORMAL;
    HANDLE handle =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, flags, nullptr);
    // INVALID_HANDLE_VALUE has all bits set, which is the link's own mark for "not open".
    return reinterpret_cast<Handle>(handle);
}

bool Win32Platform::ReadDeviceDescriptor(Handle handle, DeviceDescriptor* descriptor) {
    DEVICE_DESCRIPTOR answer = {};
    DWORD returned = 0;
    if (!DeviceIoControl(ToHandle(handle), IOCTL_GET_DEVICE_DESCRIPTOR, nullptr, 0, &answer,
                         sizeof(answer), &returned, nullptr)) {
        return false;
    }
    // A short answer would leave zeros that could pass for vendor number 0.
    if (returned < sizeof(answer)) {
        return false;
    }
    descriptor->vendor = answer.usVendorId;
    descriptor->product = answer.usProductId;
    descriptor->release = answer.usBcdDevice;
    descriptor->language = answer.usLanguageId;
    return true;
}

std::uint32_t Win32Platform::SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                                     std::uint8_t* reply, std::uint16_t length) {
    std::array<std::uint8_t, 3> input = win32::PrinterClassInput(block);
    DWORD returned = 0;
    lastTransferFailure_ = TransferFailure::None;
    if (!DeviceIoControl(ToHandle(handle), IOCTL_USBPRINT_VENDOR_GET_COMMAND, input.data(),
                         static_cast<DWORD>(input.size()), reply, length, &returned, nullptr)) {
        lastTransferFailure_ = win32::TransferFailureOf(GetLastError());
        return 0;
    }
    return returned;
}

std::uint32_t Win32Platform::SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                                   std::uint8_t* reply, std::uint16_t length) {
    IO_BLOCK_EX input = {};
    input.uOffset = block.offset;
    input.uLength = block.length;
    input.pbyData = reply;
    input.uIndex = block.index;
    input.bRequest = block.request;
    input.bmRequestType = block.requestType;
    input.fTransferDirectionIn = block.directionIn;
    DWORD returned = 0;
    lastTransferFailure_ = TransferFailure::None;
    if (!DeviceIoControl(ToHandle(handle), IOCTL_SEND_USB_REQUEST, &input, sizeof(input), reply,
                         length, &returned, nullptr)) {
        lastTransferFailure_ = win32::TransferFailureOf(GetLastError());
        return 0;
    }
    return returned;
}

void Win32Platform::CloseDevice(Handle handle) {
    if (IsOpenHandle(handle)) {
        CloseHandle(ToHandle(handle));
    }
}

RegistryKey Win32Platform::OpenRegistryKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key) != ERROR_SUCCESS) {
        return 0;
    }
    return reinterpret_cast<RegistryKey>(key);
}

bool Win32Platform::EnumRegistrySubkey(RegistryKey key, std::uint32_t index, std::string* name) {
    // A key name holds at most 255 characters.
    char buffer[256] = {};
    if (RegEnumKeyA(ToKey(key), index, buffer, sizeof(buffer)) != ERROR_SUCCESS) {
        return false;
    }
    name->assign(buffer, strnlen(buffer, sizeof(buffer)));
    return true;
}

bool Win32Platform::ReadRegistryValue(RegistryKey key, const std::string& valueName, char* buffer,
                                      std::uint32_t size) {
    DWORD type = 0;
    DWORD read = size;
    if (RegQueryValueExA(ToKey(key), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &read) != ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false;
    }
    // A string value need not be stored with its NUL; terminate it where there is room.
    if (read < size) {
        buffer[read] = '\0';
    }
    return true;
}

void Win32Platform::CloseRegistryKey(RegistryKey key) {
    if (key != 0) {
        RegCloseKey(ToKey(key));
    }
}

std::unique_ptr<DevicePlatform> CreateSystemPlatform() {
    return std::make_unique<Win32Platform>();
}

// Device arrival on Windows comes as a window message (WM_DEVICECHANGE), which this adapter
// has no window for: no events, and the tray learns of the printer from its rounds.
std::unique_ptr<PlugEvents> WatchPrinterPlugs(std::function<void(PlugChange)>) {
    return nullptr;
}

}  // namespace rpanel

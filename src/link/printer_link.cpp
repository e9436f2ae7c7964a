#include "link/printer_link.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "link/device_session.h"
#include "link/split_fields.h"

namespace rpanel {
namespace {

PrinterLink& Link() {
    return CurrentSession().link;
}

// How many IDs a list may hold, and how long one may be.
constexpr std::size_t kIdSlots = 100;
constexpr std::size_t kIdSlotSize = 128;
// Still-image device names "\\.\Usbscan0" .. "\\.\Usbscan99".
constexpr int kStillImageNames = 100;
// Device types and instances listed below the registry's USB enumeration key.
constexpr std::size_t kRegistryNames = 500;

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

void SetTriedId(std::string_view id) {
    std::size_t length = std::min(id.size(), kHardwareIdsSize - 1);
    std::memcpy(Link().hardwareIds, id.data(), length);
    Link().hardwareIds[length] = '\0';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Four hexadecimal digits of the ID being tried, from a fixed position; digits that are
// missing or not hexadecimal end the number, as a C conversion would.
std::uint16_t HexAt(std::string_view id, std::size_t position) {
    std::uint16_t number = 0;
    for (std::size_t i = position; i < position + 4 && i < id.size(); ++i) {
        int digit = HexDigit(id[i]);
        if (digit < 0) {
            break;
        }
        number = static_cast<std::uint16_t>(number * 16 + digit);
    }
    return number;
}

// A device's hardware-ID list as the platform reports it, the buffer grown to the size it asks
// for.
PropertyResult ReadHardwareIdList(DevicePlatform& platform, DeviceSet set, std::uint32_t member,
                                  std::vector<char>* list) {
    std::uint32_t required = 0;
    list->clear();
    PropertyResult result = platform.ReadHardwareIds(set, member, nullptr, 0, &required);
    while (result == PropertyResult::BufferTooSmall) {
        // A platform that keeps asking for no more than it was given would hold the search
        // here for ever.
        if (required <= list->size()) {
            return PropertyResult::Failed;
        }
        list->assign(required, '\0');
        result = platform.ReadHardwareIds(set, member, list->data(),
                                          static_cast<std::uint32_t>(list->size()), &required);
    }
    return result;
}

// The strings of a hardware-ID list. The list is the platform's answer: only the bytes it
// reported are looked at, terminated or not.
std::vector<std::string> SplitIdList(const std::vector<char>& list) {
    std::vector<std::string> ids;
    std::size_t pos = 0;
    while (pos < list.size() && list[pos] != '\0') {
        std::size_t end = pos;
        while (end < list.size() && list[end] != '\0') {
            ++end;
        }
        ids.emplace_back(&list[pos], end - pos);
        pos = end + 1;
    }
    return ids;
}

// Every string of the list is looked at; one equal to the ID, letter case aside, is a match.
bool HoldsId(const std::vector<std::string>& ids, const std::string& upperId) {
    bool found = false;
    for (const std::string& id : ids) {
        found |= UpperCase(id) == upperId;
    }
    return found;
}

enum class Match { Yes, No, SearchFailed };

Match DeviceMatches(DevicePlatform& platform, DeviceSet set, std::uint32_t member,
                    const std::string& upperId) {
    std::vector<char> list;
    switch (ReadHardwareIdList(platform, set, member, &list)) {
        case PropertyResult::Ok:
            return HoldsId(SplitIdList(list), upperId) ? Match::Yes : Match::No;
        case PropertyResult::NoProperty:
            return Match::No;
        default:
            return Match::SearchFailed;
    }
}

// Only the printer-interface path keeps a reason: the still-image search opens every scanner
// before it can tell whether it is the printer, and a refusal there may concern another device.
// The first reason of an opening is the one the user sees.
void NoteOpenFailure(const DevicePlatform& platform) {
    std::string& reason = CurrentSession().openFailure;
    if (reason.empty()) {
        reason = platform.LastOpenFailureReason();
    }
}

bool OpenPrinterInterfacePath(DevicePlatform& platform, DeviceSet set, std::uint32_t member) {
    std::string path;
    if (!platform.ReadInterfacePath(set, member, &path)) {
        return false;
    }
    // The printer counts as found only when its interface opens twice.
    Link().deviceHandle = platform.OpenDevice(path, OpenAttributes::Normal);
    if (!IsOpenHandle(Link().deviceHandle)) {
        NoteOpenFailure(platform);
        ClosePrinterLink();
        return false;
    }
    Link().secondHandle = platform.OpenDevice(path, OpenAttributes::Normal);
    if (!IsOpenHandle(Link().secondHandle)) {
        NoteOpenFailure(platform);
        ClosePrinterLink();
        return false;
    }
    Link().controlHandle = Link().deviceHandle;
    return true;
}

std::string PipePath(const std::string& deviceName, int pipe) {
    return deviceName + "\\" + std::to_string(pipe);
}

bool SearchAndOpen() {
    if (Link().hardwareIds[0] == '\0') {
        return FindThroughRegistry();
    }
    char ids[kIdSlots][kIdSlotSize] = {};
    std::size_t count = SplitFields(Link().hardwareIds, ",", ids);
    for (std::size_t i = 0; i < count; ++i) {
        SetTriedId(ids[i]);
        if (Link().driverKind != 0 ? OpenByStillImage() : OpenByPrinterInterface()) {
            return true;
        }
    }
    return false;
}

}  // namespace

PrinterLink& GetPrinterLink(const PrinterLink* configuration) {
    PrinterLink& link = Link();
    if (configuration != nullptr) {
        link.driverKind = configuration->driverKind;
        std::memcpy(link.hardwareIds, configuration->hardwareIds, kHardwareIdsSize);
        link.hardwareIds[kHardwareIdsSize - 1] = '\0';
        link.firstPipe = configuration->firstPipe;
        link.secondPipe = configuration->secondPipe;
    }
    return link;
}

void SetPrinterIds() {
    PrinterLink configuration;
    configuration.driverKind = 0;
    std::strcpy(configuration.hardwareIds, kPrinterHardwareId);
    configuration.firstPipe = 0;
    configuration.secondPipe = 1;
    GetPrinterLink(&configuration);
}

int OpenPrinterLink() {
    ClosePrinterLink();
    CurrentSession().openFailure.clear();
    const bool opened = SearchAndOpen();
    if (opened) {
        CurrentSession().openFailure.clear();
    }
    return opened ? 1 : 0;
}

std::string OpenFailureReason() {
    return CurrentSession().openFailure;
}

int ClosePrinterLink() {
    DeviceSession& session = CurrentSession();
    PrinterLink& link = session.link;
    if (link.controlHandle != link.deviceHandle && IsOpenHandle(link.controlHandle)) {
        session.platform.CloseDevice(link.controlHandle);
    }
    if (IsOpenHandle(link.deviceHandle)) {
        session.platform.CloseDevice(link.deviceHandle);
    }
    if (IsOpenHandle(link.secondHandle)) {
        session.platform.CloseDevice(link.secondHandle);
    }
    link.controlHandle = kInvalidHandle;
    link.deviceHandle = kInvalidHandle;
    link.secondHandle = kInvalidHandle;
    return 1;
}

bool OpenByPrinterInterface() {
    DevicePlatform& platform = CurrentSession().platform;
    const std::string upperId = UpperCase(Link().hardwareIds);
    DeviceSet set = platform.OpenPrinterDeviceSet();
    if (set == 0) {
        return false;
    }
    bool opened = false;
    for (std::uint32_t member = 0; platform.DeviceExists(set, member); ++member) {
        Match match = DeviceMatches(platform, set, member, upperId);
        if (match == Match::SearchFailed) {
            break;
        }
        if (match == Match::Yes) {
            opened = OpenPrinterInterfacePath(platform, set, member);
            break;
        }
    }
    platform.CloseDeviceSet(set);
    return opened;
}

bool OpenByStillImage() {
    DevicePlatform& platform = CurrentSession().platform;
    if (IsOpenHandle(Link().controlHandle)) {
        return true;
    }
    const std::string_view id = Link().hardwareIds;
    const std::uint16_t vendor = HexAt(id, 8);
    const std::uint16_t product = HexAt(id, 17);
    for (int n = 0; n < kStillImageNames; ++n) {
        const std::string name = kStillImagePrefix + std::to_string(n);
        Link().controlHandle = platform.OpenDevice(PipePath(name, 0), OpenAttributes::System);
        if (!IsOpenHandle(Link().controlHandle)) {
            continue;
        }
        DeviceDescriptor descriptor;
        if (!platform.ReadDeviceDescriptor(Link().controlHandle, &descriptor) ||
            descriptor.vendor != vendor || descriptor.product != product) {
            ClosePrinterLink();
            continue;
        }
        if (Link().firstPipe == 0) {
            Link().deviceHandle = Link().controlHandle;
        } else if (Link().firstPipe > 0) {
            Link().deviceHandle =
                platform.OpenDevice(PipePath(name, Link().firstPipe), OpenAttributes::System);
        }
        if (Link().secondPipe >= 0) {
            Link().secondHandle =
                platform.OpenDevice(PipePath(name, Link().secondPipe), OpenAttributes::System);
        }
        // The pipes are a convenience: requests go over the control handle.
        return true;
    }
    return false;
}

bool FindThroughRegistry() {
    static char devices[kRegistryNames][kSubkeyNameSize];
    static char instances[kRegistryNames][kSubkeyNameSize];
    const std::size_t deviceCount = EnumSubkeyNames(kUsbEnumKey, devices, kRegistryNames);
    const char* wanted = Link().driverKind != 0 ? "usbscan" : "usbprint";
    for (std::size_t d = 0; d < deviceCount; ++d) {
        const std::string deviceKey = std::string(kUsbEnumKey) + "\\" + devices[d];
        const std::size_t instanceCount =
            EnumSubkeyNames(deviceKey.c_str(), instances, kRegistryNames);
        for (std::size_t i = 0; i < instanceCount; ++i) {
            const std::string instanceKey = deviceKey + "\\" + instances[i];
            char service[kRegistryStringSize] = {};
            if (!ReadRegistryString(instanceKey.c_str(), "Service", service) ||
                std::strcmp(service, wanted) != 0) {
                continue;
            }
            SetTriedId(std::string("USB\\") + devices[d]);
            if (Link().driverKind != 0 ? OpenByStillImage() : OpenByPrinterInterface()) {
                return true;
            }
        }
    }
    return false;
}

std::vector<DiscoveredDevice> ListPrinterClassDevices(std::string_view wantedId) {
    DevicePlatform& platform = CurrentSession().platform;
    const std::string upperId = UpperCase(wantedId);
    std::vector<DiscoveredDevice> devices;
    DeviceSet set = platform.OpenPrinterDeviceSet();
    if (set == 0) {
        return devices;
    }
    for (std::uint32_t member = 0; platform.DeviceExists(set, member); ++member) {
        DiscoveredDevice device;
        device.member = member;
        std::vector<char> list;
        if (ReadHardwareIdList(platform, set, member, &list) == PropertyResult::Ok) {
            device.hardwareIds = SplitIdList(list);
        }
        device.matches = HoldsId(device.hardwareIds, upperId);
        platform.ReadInterfacePath(set, member, &device.interfacePath);
        devices.push_back(std::move(device));
    }
    platform.CloseDeviceSet(set);
    return devices;
}

std::size_t EnumSubkeyNames(const char* keyPath, char (*slots)[kSubkeyNameSize],
                            std::size_t slotCount) {
    DevicePlatform& platform = CurrentSession().platform;
    RegistryKey key = platform.OpenRegistryKey(keyPath);
    if (key == 0) {
        return 0;
    }
    std::size_t count = 0;
    std::string name;
    while (count < slotCount &&
           platform.EnumRegistrySubkey(key, static_cast<std::uint32_t>(count), &name)) {
        std::size_t length = std::min(name.size(), kSubkeyNameSize - 1);
        std::memcpy(slots[count], name.data(), length);
        slots[count][length] = '\0';
        ++count;
    }
    platform.CloseRegistryKey(key);
    return count;
}

bool ReadRegistryString(const char* keyPath, const char* valueName,
                        char (&buffer)[kRegistryStringSize]) {
    DevicePlatform& platform = CurrentSession().platform;
    RegistryKey key = platform.OpenRegistryKey(keyPath);
    if (key == 0) {
        return false;
    }
    bool read = platform.ReadRegistryValue(key, valueName, buffer, kRegistryStringSize);
    // A string value need not be stored with its terminating NUL.
    buffer[kRegistryStringSize - 1] = '\0';
    platform.CloseRegistryKey(key);
    return read;
}

}  // namespace rpanel

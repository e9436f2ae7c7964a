// Finding the printer among the USB devices, opening it and closing it again.
//
// Every command sets the IDs, opens the link, sends its requests and closes the link; only
// opening the panel leaves it open until the next command re-opens it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/platform.h"

namespace rpanel {

inline constexpr std::size_t kHardwareIdsSize = 128;

struct PrinterLink {
    // 0: the printer-class driver; anything else: the still-image driver.
    std::int32_t driverKind = 0;
    // A comma-separated list of hardware IDs to look for; while a search runs, the one ID
    // being tried.
    char hardwareIds[kHardwareIdsSize] = {};
    // Still-image only: the pipes opened into deviceHandle (0: the control handle itself)
    // and secondHandle; negative: no pipe handle.
    std::int32_t firstPipe = 0;
    std::int32_t secondPipe = 0;
    // Still-image: the handle requests go to. Printer-class: the same as deviceHandle.
    Handle controlHandle = kNoHandle;
    // Printer-class: the handle requests go to. Still-image: the handle of firstPipe.
    Handle deviceHandle = kNoHandle;
    // Printer-class: a second handle to the same interface. Still-image: secondPipe.
    Handle secondHandle = kNoHandle;
};

// The process-wide link. Given a record, first copies its driver kind, IDs and pipes into
// the global one (never its handles).
PrinterLink& GetPrinterLink(const PrinterLink* configuration = nullptr);

// The configuration every opening starts from: printer-class driver, our one hardware ID.
void SetPrinterIds();

// Closes whatever is open, then searches and opens the printer. 1 on success, 0 otherwise;
// a failed opening leaves the link closed.
int OpenPrinterLink();
int ClosePrinterLink();

// Why the last OpenPrinterLink failed when the printer is there but could not be opened (this
// user may not open it, or another program holds it), in the platform's words; empty after a
// successful opening, when no printer was found, or when the platform cannot tell. Shown
// after message 26.
std::string OpenFailureReason();

// The three ways of finding the printer; each opens into the global link.
bool OpenByPrinterInterface();
bool OpenByStillImage();
bool FindThroughRegistry();

// What discovery sees of the printer-class devices, for rpanelctl devices: each member with its
// hardware IDs, its interface path, and whether it carries the ID being looked for.
struct DiscoveredDevice {
    std::uint32_t member = 0;
    std::vector<std::string> hardwareIds;  // empty when the device has none
    std::string interfacePath;             // empty when it has no printer interface
    bool matches = false;
};
std::vector<DiscoveredDevice> ListPrinterClassDevices(std::string_view wantedId);

// Registry helpers below HKEY_LOCAL_MACHINE. Subkey names are cut to 63 characters; at most
// slotCount names are taken.
inline constexpr std::size_t kSubkeyNameSize = 64;
std::size_t EnumSubkeyNames(const char* keyPath, char (*slots)[kSubkeyNameSize],
                            std::size_t slotCount);
inline constexpr std::size_t kRegistryStringSize = 128;
bool ReadRegistryString(const char* keyPath, const char* valueName,
                        char (&buffer)[kRegistryStringSize]);

}  // namespace rpanel

// What the user is told when the printer is attached but libusb may not open it.
#pragma once

#include <string>
#include <string_view>

#include "link/libusb/usb_devices.h"

namespace rpanel {

// The udev rule that gives the user at the seat, and the group lp, the printer's device node.
inline constexpr char kUdevRuleName[] = "70-remote-panel.rules";

// "/dev/bus/usb/001/004": the usbfs node that libusb opens for a device.
std::string UsbfsNode(std::uint8_t bus, std::uint8_t address);

// The group that owns a file, by name; empty when it cannot be told.
std::string OwningGroup(const std::string& path);

// Why libusb_open failed with this error for the device at location, whose node is node and
// belongs to group nodeGroup (empty: unknown): a sentence for LIBUSB_ERROR_ACCESS (this user
// may not open it) and LIBUSB_ERROR_BUSY (another program holds it), empty for any other
// error, which says nothing the user can act on.
std::string DescribeOpenRefusal(int libusbError, const UsbLocation& location, std::string_view node,
                                std::string_view nodeGroup);

}  // namespace rpanel

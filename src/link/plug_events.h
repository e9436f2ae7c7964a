// The system's device events: a USB device arrived or left. The tray uses them to show at once
// that the printer went away and to read it again when a device comes, without sending a
// request to learn whether it is there.
#pragma once

#include <functional>
#include <memory>

namespace rpanel {

class PlugEvents {
public:
    virtual ~PlugEvents() = default;
};

// How a device changed.
enum class PlugChange { Arrived, Left };

// Calls onChange, on a thread of its own, for every printer-class USB device that arrives or
// leaves, until the returned watch is destroyed (which waits for a call under way). Null where
// the system gives no such events (Windows, a libusb without hotplug support).
std::unique_ptr<PlugEvents> WatchPrinterPlugs(std::function<void(PlugChange)> onChange);

}  // namespace rpanel

// The one place that owns what the device link works with: the platform the program chose
// (the simulated printer, libusb, the Windows drivers), the printer link with its handles, why
// the last opening failed, and who watches the requests that are sent.
//
// The program that chooses the platform creates the session and keeps it for as long as the
// link is used; OpenPrinterLink, SendVendorRequest and the rest work on the newest session
// alive. Ending a session closes its link and puts the one before it back in use, so that a
// test or a run of rpanelctl leaves nothing behind for the next.
#pragma once

#include <string>

#include "link/platform.h"
#include "link/printer_link.h"
#include "link/vendor_request.h"

namespace rpanel {

class DeviceSession {
public:
    explicit DeviceSession(DevicePlatform& platform, RequestObserver observer = nullptr);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    DevicePlatform& platform;
    PrinterLink link;
    // Why the last opening failed, as the platform put it (see OpenFailureReason).
    std::string openFailure;
    RequestObserver observer;

private:
    friend DeviceSession& CurrentSession();
    struct Detached {};
    DeviceSession(DevicePlatform& platform, Detached);

    bool inUse_ = true;
    DeviceSession* previous_ = nullptr;
};

// The session in use; while none is alive, one on which no device is attached.
DeviceSession& CurrentSession();

}  // namespace rpanel

// The one place that owns what the device link works with: the platform the program chose
// (the simulated printer, libusb, the Windows drivers), the printer link with its handles, why
// the last opening failed, and who watches the requests that are sent.
//
// The program that chooses the platform creates the session and keeps it for as long as the
// link is used; OpenPrinterLink, SendVendorRequest and the rest work on the newest session
// alive. Ending a session closes its link and puts the one before it back in use, so that a
// test or a run of rpanelctl leaves nothing behind for the next.
#pragma once

#include <functional>
#include <mutex>
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
    // Told when the window's thread begins (true) and ends (false) an outermost command
    // frame: the desktop shows a busy cursor and takes no second command meanwhile.
    std::function<void(bool busy)> commandBusy;

    // Whether the frame that holds the link has had a transfer time out or find the device
    // gone: its further requests are then not sent (see SendVendorRequest).
    bool FrameStopped() const { return depth_ > 0 && stopped_; }
    // Whether the requests of the frame that holds the link go to the observer.
    bool FrameTraced() const { return !quiet_; }
    void NoteTransferFailure(TransferFailure failure);

private:
    friend class LinkFrame;
    friend DeviceSession& CurrentSession();
    struct Detached {};
    DeviceSession(DevicePlatform& platform, Detached);

    bool inUse_ = true;
    DeviceSession* previous_ = nullptr;
    // One lock guards the link. Recursive, because frames nest on the window's thread: an
    // upload opens its own frame inside another, and the tray menu stays live while a modal
    // viewer or message box runs inside a frame. Another thread (the tray's status rounds)
    // never waits on the window's thread while it holds the lock, so no thread can wait on
    // itself and the window waits at most for one round.
    std::recursive_mutex linkLock_;
    int depth_ = 0;  // frames of the holding thread
    bool stopped_ = false;
    bool quiet_ = false;
};

enum class FrameKind {
    Command,  // a button or command of rpanelctl, or the panel's opening
    Round,    // a status round of the tray, off the window's thread and off the trace
};

// Holds the session's link for the frame's lifetime. A command waits for a round under way;
// a round started with wait false does not wait and holds nothing when a command has the
// link (Held answers false). The outermost frame begins and ends with a link that answers
// again, so one command's silent printer does not stop the next.
class LinkFrame {
public:
    LinkFrame(DeviceSession& session, FrameKind kind, bool wait = true);
    ~LinkFrame();
    LinkFrame(const LinkFrame&) = delete;
    LinkFrame& operator=(const LinkFrame&) = delete;

    bool Held() const { return held_; }

private:
    DeviceSession& session_;
    FrameKind kind_;
    bool held_ = false;
    bool outermost_ = false;
};

// The session in use; while none is alive, one on which no device is attached.
DeviceSession& CurrentSession();

}  // namespace rpanel

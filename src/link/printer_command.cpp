#include "link/printer_command.h"

#include "link/device_session.h"
#include "link/printer_link.h"

namespace rpanel {
namespace {

struct LinkCloser {
    ~LinkCloser() { ClosePrinterLink(); }
};

}  // namespace

bool RunPrinterCommand(MessageSink& messages, const std::function<void()>& work) {
    const LinkFrame frame(CurrentSession(), FrameKind::Command);
    SetPrinterIds();
    if (OpenPrinterLink() == 0) {
        messages.ShowMessageWithReason(msg::kOpenFailed, OpenFailureReason());
        return false;
    }
    LinkCloser closer;
    work();
    return true;
}

}  // namespace rpanel

#include "cli/cli_context.h"

#include "app/string_table.h"
#include "link/printer_link.h"

namespace rpanel {
namespace {

bool IsFailure(int stringId) {
    return stringId == msg::kSendFailed || stringId == msg::kOpenFailed;
}

}  // namespace

void TerminalMessages::ShowMessageById(int stringId) {
    const bool failure = IsFailure(stringId);
    failureShown_ |= failure;
    (failure ? err_ : out_) << LoadText(stringId) << '\n';
    // When the printer is there but the system would not let it be opened, the user learns
    // why on the next line.
    if (stringId == msg::kOpenFailed) {
        const std::string reason = OpenFailureReason();
        if (!reason.empty()) {
            err_ << "rpanelctl: " << reason << '\n';
        }
    }
}

bool OpenPrinterForCommand(CliContext& context) {
    SetPrinterIds();
    if (OpenPrinterLink() == 0) {
        context.messages.ShowMessageById(msg::kOpenFailed);
        return false;
    }
    return true;
}

}  // namespace rpanel

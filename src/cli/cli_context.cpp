#include "cli/cli_context.h"

#include "core/string_table.h"

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
}

void TerminalMessages::ShowMessageWithReason(int stringId, const std::string& reason) {
    ShowMessageById(stringId);
    // When the printer is there but the system would not let it be opened, the user learns
    // why on the next line.
    if (!reason.empty()) {
        err_ << "rpanelctl: " << reason << '\n';
    }
}

}  // namespace rpanel

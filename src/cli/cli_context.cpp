#include "cli/cli_context.h"

#include "cli/json_document.h"
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
    lastMessage_ = stringId;
    if (failure) {
        err_ << LoadText(stringId) << '\n';
    } else if (!json_) {
        out_ << LoadText(stringId) << '\n';
    }
}

void TerminalMessages::ShowMessageWithReason(int stringId, const std::string& reason) {
    ShowMessageById(stringId);
    // When the printer is there but the system would not let it be opened, the user learns
    // why on the next line.
    if (!reason.empty()) {
        err_ << "rpanelctl: " << reason << '\n';
    }
}

void ReadMessages::ShowMessageById(int stringId) {
    err_ << LoadText(stringId) << '\n';
}

void CliContext::Complain(const std::string& complaint) {
    err << "rpanelctl: " << complaint << '\n';
    complained = true;
}

void ReportUnread(CliContext& context, std::span<const std::string_view> unread) {
    context.err << "rpanelctl: could not read the current value of";
    for (std::size_t i = 0; i < unread.size(); ++i) {
        context.err << (i == 0 ? " " : ", ") << unread[i];
    }
    context.err << "; nothing was sent\n";
}

int FinishActing(CliContext& context, bool ok, std::span<const std::string_view> unread) {
    ok = ok && unread.empty() && !context.messages.FailureShown();
    if (context.json) {
        Json document = JsonDocument();
        document[json_key::kOk] = ok;
        const std::optional<int> message = context.messages.LastMessage();
        document[json_key::kMessage] = message ? Json(*message) : Json(nullptr);
        document[json_key::kText] = message ? Json(LoadText(*message)) : Json(nullptr);
        if (!unread.empty()) {
            document[json_key::kUnread] =
                Json(std::vector<std::string>(unread.begin(), unread.end()));
        }
        WriteJson(context.out, document);
    }
    return ok ? kExitOk : kExitFailed;
}

}  // namespace rpanel

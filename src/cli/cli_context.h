// What a command of rpanelctl works with: the output streams, the messages shown so far and
// the application record.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/message_sink.h"

namespace rpanel {

// Prints each message with its string-table text: failures on the error stream, the rest on
// the output stream; remembers whether a failure was shown. After message 26 comes the reason
// the printer could not be opened, when the platform gave one.
class TerminalMessages final : public MessageSink {
public:
    TerminalMessages(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    void ShowMessageById(int stringId) override;
    void ShowMessageWithReason(int stringId, const std::string& reason) override;
    bool FailureShown() const { return failureShown_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool failureShown_ = false;
};

struct CliContext {
    std::ostream& out;
    std::ostream& err;
    TerminalMessages& messages;
    AppState& state;
    std::vector<std::string> args;          // the command's own arguments
    std::optional<std::string> accessCode;  // --access-code, which unlocks service-mode
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

}  // namespace rpanel

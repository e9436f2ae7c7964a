// What a command of rpanelctl works with: the output streams, the messages shown so far and
// the application record.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message_sink.h"

namespace rpanel {

// Prints each message with its string-table text: failures on the error stream, the rest on
// the output stream (with --json, where the document is the output, on none: the document
// carries the last one); remembers whether a failure was shown and the last message. After
// message 26 comes the reason the printer could not be opened, when the platform gave one.
class TerminalMessages final : public MessageSink {
public:
    TerminalMessages(std::ostream& out, std::ostream& err, bool json)
        : out_(out), err_(err), json_(json) {}
    void ShowMessageById(int stringId) override;
    void ShowMessageWithReason(int stringId, const std::string& reason) override;
    bool FailureShown() const { return failureShown_; }
    std::optional<int> LastMessage() const { return lastMessage_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool json_;
    bool failureShown_ = false;
    std::optional<int> lastMessage_;
};

// The messages of the reads that come before a change: on the error stream, where they tell
// what could not be read, without deciding the command's outcome (the change's does).
class ReadMessages final : public MessageSink {
public:
    explicit ReadMessages(std::ostream& err) : err_(err) {}
    void ShowMessageById(int stringId) override;

private:
    std::ostream& err_;
};

struct CliContext {
    std::ostream& out;
    std::ostream& err;
    TerminalMessages& messages;
    AppState& state;
    std::vector<std::string> args;          // the command's own arguments
    std::optional<std::string> accessCode;  // --access-code, which unlocks service-mode
    bool json = false;                      // --json: the output is one JSON document
    bool complained = false;                // a usage error has been explained already

    // A usage error in the command's own words; the command then answers kExitUsage.
    void Complain(const std::string& complaint);
};

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The end of a command that acts on the printer: with --json its document (ok, the last
// message's number and text, the settings not read), and the exit status: 0 when ok and no
// failure was shown, else 1.
int FinishActing(CliContext& context, bool ok, std::span<const std::string_view> unread = {});

// "could not read the current value of NAME, NAME; nothing was sent" on the error stream.
void ReportUnread(CliContext& context, std::span<const std::string_view> unread);

}  // namespace rpanel

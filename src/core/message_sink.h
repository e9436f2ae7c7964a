// How a command tells the user what happened: a message box on the desktop, a line on the
// terminal for rpanelctl, a record for the tests. Every message is a string-table number.
#pragma once

#include <string>

namespace rpanel {

// Message numbers of the request channel.
namespace msg {
inline constexpr int kCommandSent = 21;
inline constexpr int kEjectSent = 22;
inline constexpr int kCalibrationSent = 23;
inline constexpr int kDefaultsSent = 24;
inline constexpr int kSendFailed = 25;
inline constexpr int kOpenFailed = 26;
inline constexpr int kTestPattern1Printed = 228;
inline constexpr int kTestPattern2Printed = 229;
inline constexpr int kFuserReplaced = 231;
inline constexpr int kTransferRollerReplaced = 232;
}  // namespace msg

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows the text of the string number to the user and returns once it has been seen
    // (a box with an empty title and an OK button, owned by the acting window).
    virtual void ShowMessageById(int stringId) = 0;
    // The same, with the system's reason in its own words beneath the text, where it gave one:
    // why a printer that is there could not be opened (no permission, held by another
    // program), after message 26.
    virtual void ShowMessageWithReason(int stringId, const std::string& reason) {
        (void)reason;
        ShowMessageById(stringId);
    }
};

}  // namespace rpanel

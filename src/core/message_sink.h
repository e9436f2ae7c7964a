// How a command tells the user what happened: a message box on the desktop, a line on the
// terminal for rpanelctl, a record for the tests. Every message is a string-table number.
#pragma once

#include <string>

#include "core/string_ids.h"

namespace rpanel {

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

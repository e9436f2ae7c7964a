// Text from outside the program (the printer's replies, the user's arguments) made safe to show
// on a terminal or to put into JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rpanel {

// For a terminal: control characters (C0, DEL, and the C1 range once decoded) and bytes that
// are not UTF-8 become \xNN, so that a stray escape sequence cannot drive the terminal; valid
// UTF-8 text (the translations) stays as it is.
std::string TerminalText(std::string_view text);

// An argument or scenario key echoed in a message: as TerminalText, cut after kEchoLimit
// characters with "..." so that a pasted blob does not flood the message.
inline constexpr std::size_t kEchoLimit = 40;
std::string EchoedInput(std::string_view text);

// JSON text must be UTF-8: the printer's bytes from 0x80 up are written as the Unicode
// characters of the same number (Latin-1), so that every byte can be read back.
std::string Latin1ToUtf8(std::string_view bytes);

}  // namespace rpanel

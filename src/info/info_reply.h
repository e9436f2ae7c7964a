// The printer's machine-information replies: lines ended by CR LF, a header line and
// KEY=VALUE items, parsed into the slots of the reply's block.
//
// A reply is untrusted. Whatever it holds, nothing is written outside the block, and a line
// that does not fit the form the printer uses is dropped whole rather than cut:
// - a line longer than 31 characters, or with more than one "=" separator (three fields or
//   more), is dropped without a message, as a key we do not know would be;
// - CR LF ends a line, and so do a CR or an LF on its own (without swallowing the next
//   byte); bytes after the last line end belong to no line and are ignored;
// - a NUL byte ends the text of its line; bytes above 0x7F are kept as they are.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "info/info_keys.h"

namespace rpanel {

// The longest line a reply may carry.
inline constexpr std::size_t kInfoLineLimit = 31;

// Parses one reply into the kind's block, which must be allocated:
// - one field (no "="): for the toner, count and machine replies the line must be the
//   reply's header; any other such line shows message 29 on owner and ends the parse, and
//   the slots filled so far keep their values. In the adjustment reply it is a key with an
//   empty value.
// - KEY=VALUE: the value (blanks included) goes into the slot of the key that matches
//   exactly and case-sensitively; an unknown key is ignored, a later value replaces an
//   earlier one. A run of "=" is one separator.
// - an empty line, or one of "=" only, is ignored.
void ParseInfoReply(MessageSink& owner, AppState& state, InfoKind kind, std::string_view reply);

}  // namespace rpanel

// The request operations, one shape each, made from the rows of the request catalogue. Each
// sends on the open link; opening and closing is the calling command's frame.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "link/request_catalogue.h"
#include "link/vendor_request.h"

namespace rpanel {

struct TextReply {
    std::array<std::uint8_t, kTextReplySize> bytes{};
    std::uint32_t count = 0;

    std::string_view Text() const { return {reinterpret_cast<const char*>(bytes.data()), count}; }
};

// Text read: on no reply shows message 25 and answers false; the caller parses only on true.
bool ReadText(Request id, MessageSink& messages, TextReply* reply);

// Value read: stores the 32-bit little-endian reply into the row's AppState field (missing
// high bytes as 0); on no reply shows message 25 and leaves the field as it was.
bool ReadValue(Request id, MessageSink& messages, AppState& state);

// Silent value read of one code of a block row into *slot; a failed read leaves it.
bool ReadSilentValue(Request id, std::uint8_t code, std::uint32_t* slot);

// Machine variant: the first reply byte; on no reply the variant becomes 0 and message 25
// is shown.
bool ReadMachineVariant(MessageSink& messages, AppState& state);

// Setting write: answers whether the printer acknowledged. The parameter is the row's
// AppState field, or the one given for rows that have none (the panel's defaults).
bool WriteSetting(Request id, const AppState& state);
bool WriteSetting(Request id, std::int32_t parameter);

// Command: shows the row's success message if acknowledged, else message 25.
bool RunCommand(Request id, MessageSink& messages);

// Sent for its effect only: the reply is not examined and nothing is shown.
void SendUnexamined(Request id);

}  // namespace rpanel

// The printer reports each print adjustment as a decimal number that carries the signed
// setting plus an offset (15 for top and left adjustments, 8 for transfer power, none for the
// image adjustment parameter). The viewer shows the setting; the User Service page edits it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/app_state.h"

namespace rpanel {

// The leading number of a slot's text, read as the C library's text-to-integer conversion
// reads it: white space skipped, an optional sign, the digits up to the first other
// character; no digits give 0. A number beyond 32 bits is held at the nearest 32-bit limit
// instead of wrapping.
std::int32_t LeadingNumber(std::string_view text);

// The number a slot's text holds when it is one: blanks around it, an optional sign and
// decimal digits that fit in 32 bits. A value that is sent back to the printer must be read
// this strictly; what the viewer merely shows is read with LeadingNumber.
std::optional<std::int32_t> NumberText(std::string_view text);

// The signed setting of one adjustment slot, or nothing when the slot holds no number (its
// key did not arrive, or the reply was cut short before it).
std::optional<std::int32_t> ReadAdjustment(const AppState& state, std::uint8_t slot);

// The signed setting: the slot's number minus its offset, held within 32 bits. An empty slot
// decodes to -offset.
std::int32_t DecodeAdjustment(std::string_view text, std::int32_t offset);

// The setting of one slot of configAdjust (0..12), with that key's offset.
std::int32_t AdjustmentSetting(const AppState& state, std::uint8_t slot);

}  // namespace rpanel

// One value of the machine information as the printer sent it: text of at most 31 characters,
// zero-terminated, all zero while its key has not arrived.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace rpanel {

inline constexpr std::size_t kInfoSlotSize = 32;

struct InfoSlot {
    char text[kInfoSlotSize];
};

inline std::string_view SlotText(const InfoSlot& slot) {
    return {slot.text, ::strnlen(slot.text, kInfoSlotSize)};
}

}  // namespace rpanel

// Cuts a printer reply or an ID list into fields. The text is untrusted: whatever it holds,
// nothing is written outside the caller's slots.
#pragma once

#include <cstddef>
#include <string_view>

namespace rpanel {

// The longest text that is split; the rest of a longer one is not looked at.
inline constexpr std::size_t kSplitTextLimit = 1023;

// Splits text (up to its first NUL, at most kSplitTextLimit characters) at every run of the
// delimiter characters, so that no field is empty, and copies field k NUL-terminated into
// slot k, which starts k * slotWidth bytes after slots. A field longer than slotWidth - 1 is
// cut to fit; fields past the last slot are dropped. Answers the number of slots filled.
std::size_t SplitFields(std::string_view text, std::string_view delimiters, char* slots,
                        std::size_t slotCount, std::size_t slotWidth);

template <std::size_t Count, std::size_t Width>
std::size_t SplitFields(std::string_view text, std::string_view delimiters,
                        char (&slots)[Count][Width]) {
    return SplitFields(text, delimiters, &slots[0][0], Count, Width);
}

}  // namespace rpanel

// One entry of a constant drop-down list: its text (a string number, or a fixed text where
// the list shows numbers) and the value the page field takes when the entry is selected.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

namespace rpanel {

struct ChoiceEntry {
    char text[32];
    std::int32_t value;
};

// A list ends at the first entry with an empty text.
inline bool IsListEnd(const ChoiceEntry& entry) {
    return entry.text[0] == '\0';
}

// The entries before the list's end.
inline std::span<const ChoiceEntry> ListEntries(std::span<const ChoiceEntry> list) {
    const auto end = std::find_if(list.begin(), list.end(), IsListEnd);
    return list.first(static_cast<std::size_t>(end - list.begin()));
}

}  // namespace rpanel

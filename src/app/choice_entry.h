// One entry of a constant drop-down list: its text (a string number, or a fixed text where
// the list shows numbers) and the value the page field takes when the entry is selected.
#pragma once

#include <cstdint>

namespace rpanel {

struct ChoiceEntry {
    char text[32];
    std::int32_t value;
};

// A list ends at the first entry with an empty text.
inline bool IsListEnd(const ChoiceEntry& entry) {
    return entry.text[0] == '\0';
}

}  // namespace rpanel

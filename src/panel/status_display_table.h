// What the panel display shows for each status code the printer reports: one or two lines,
// each one string-table text or two of them joined.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/app_state.h"

namespace rpanel {

// The most characters kept of a text when it is loaded: the short limit for the first part
// of a composed line and for a few line-1 texts, the long one for every other text.
inline constexpr std::size_t kShortTextLimit = 31;
inline constexpr std::size_t kLongTextLimit = 59;

// How the two texts of a composed line meet.
enum class Join : std::uint8_t {
    None,    // a line of one text
    Direct,  // the second text follows the first directly: "LOAD PAPER" "(A4)"
    Space,   // one space between them: "WRONG TONER" "Y"
};

struct DisplayLine {
    int text = 0;  // string number; 0: the entry has no such line
    std::size_t limit = kLongTextLimit;
    Join join = Join::None;
    int joined = 0;  // the second text of a composed line, cut to kLongTextLimit

    constexpr bool Present() const { return text != 0; }
};

// How much a code asks of the user, from least to most: the order is the ranking the tray
// and rpanelctl watch use to pick the code they show.
enum class Severity : std::uint8_t {
    Ready,
    Information,  // the printer is busy or resting and needs nothing (also any unknown code)
    Warning,      // it goes on printing, but something runs low or wants a look
    Error,        // it stops until someone acts: paper, a cover, a jam, a toner out
    ServiceCall,  // it stops until a technician comes
};

// "ready", "information", "warning", "error", "service call".
const char* SeverityName(Severity severity);

struct StatusDisplayEntry {
    StatusCode code;
    DisplayLine line1;
    DisplayLine line2;
    Severity severity = Severity::Information;
};

inline constexpr std::size_t kStatusDisplayEntryCount = 227;

// Every entry, in ascending order of code.
std::span<const StatusDisplayEntry> StatusDisplayTable();

// The entry whose code equals all six characters of code; null for any other code (no code
// of the table holds a NUL, so a short or empty code finds nothing).
const StatusDisplayEntry* FindStatusDisplay(const StatusCode& code);

// The severity of a code's entry; Information for a code the table does not hold.
Severity SeverityOf(const StatusCode& code);

}  // namespace rpanel

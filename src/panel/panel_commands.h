// The panel's printer commands: turning the toner carousel and setting the printer's defaults.
// They send on the open link (printer_command.h opens it) and report through the sink, so the
// panel page and rpanelctl run the same sequences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/choice_entry.h"
#include "core/message_sink.h"

namespace rpanel {

enum class TonerRotation {
    ChangeToner,    // request 14 value 0x0000, message 21 when acknowledged
    EjectAllToner,  // request 14 value 0x0100, message 22 when acknowledged
};

// Sends the chosen rotation; message 25 when the printer does not acknowledge it.
bool RotateToner(MessageSink& messages, TonerRotation rotation);

// An On/Off pair of the page: nullopt while neither of its buttons is selected.
using OnOff = std::optional<bool>;

struct PanelDefaults {
    OnOff tonerLowMessage;
    OnOff tonerOutStop;
    // The energy-save item data; only its low 8 bits reach the printer.
    std::int32_t energySaveMinutes = 0;
    OnOff autoContinue;
};

// Sends the four defaults in the printer's order (toner-low message, toner-out stop,
// energy-save time, auto continue), each whatever became of the ones before. A pair without a
// choice is not sent and counts as not acknowledged. Then one message: 24 when all four were
// acknowledged, else 25. Answers whether all were.
bool ApplyPanelDefaults(MessageSink& messages, const PanelDefaults& defaults);

// The energy-save times the page offers, in minutes; the list ends with an empty text.
std::span<const ChoiceEntry> EnergySaveChoices();

// What the page shows when it is created (toner-low message on, toner-out stop on, 30
// minutes, auto continue off), and what rpanelctl defaults sends for a setting not named.
inline constexpr std::size_t kInitialEnergySaveEntry = 2;
PanelDefaults InitialPanelDefaults();

}  // namespace rpanel

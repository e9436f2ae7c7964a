// The panel's printer commands: turning the toner carousel and setting the printer's defaults.
// They send on the open link (printer_command.h opens it) and report through the sink, so the
// panel page and rpanelctl run the same sequences.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/app_state.h"
#include "core/choice_entry.h"
#include "core/message_sink.h"
#include "core/setting_change.h"
#include "info/info_keys.h"
#include "link/request_catalogue.h"

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

// The four defaults as rpanelctl names them, in the printer's order, with the key of the
// machine information the viewer shows each from.
struct PanelDefaultSetting {
    std::string_view name;
    Request write;
    InfoKind reply;
    std::string_view key;
    // How the viewer reads the key: empty for a number; otherwise the text that means off,
    // any other text meaning on.
    std::string_view offText;
    bool onOff;  // an On/Off pair on the page (else the energy-save time in minutes)
};
inline constexpr std::size_t kPanelDefaultCount = 4;
std::span<const PanelDefaultSetting, kPanelDefaultCount> PanelDefaultSettings();

// The current value of each default as it would be sent back; nothing for one not read.
using PanelDefaultValues = std::array<std::optional<std::int32_t>, kPanelDefaultCount>;

// Reads the supplies and machine-settings replies on the open link (messages 25 and 29 on
// messages) and decodes the four defaults as the viewer does. A value the page does not offer
// is kept as the printer reported it. Not read: no reply, key missing or cut off, or no
// number where one is needed.
PanelDefaultValues ReadPanelDefaults(MessageSink& messages, AppState& state);

// Opens the link for ReadPanelDefaults; answers false when it did not open.
bool ReadCurrentPanelDefaults(MessageSink& messages, AppState& state, PanelDefaultValues* values);

// Changes only the named defaults: on one link, ReadPanelDefaults (its messages on
// readMessages), then, when all four were read, the named values put in and the four sent in
// the printer's order (message 24 or 25 on messages). Nothing is sent when one was not read.
ChangeOutcome ChangePanelDefaults(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                  std::span<const SettingChange> changes);

// The energy-save times the page offers, in minutes; the list ends with an empty text.
std::span<const ChoiceEntry> EnergySaveChoices();

// What the page shows when it is created (toner-low message on, toner-out stop on, 30
// minutes, auto continue off), and what rpanelctl defaults sends for a setting not named.
inline constexpr std::size_t kInitialEnergySaveEntry = 2;
PanelDefaults InitialPanelDefaults();

}  // namespace rpanel

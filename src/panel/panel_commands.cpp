#include "panel/panel_commands.h"

#include <algorithm>

#include "info/adjustment.h"
#include "info/info_blocks.h"
#include "info/info_reads.h"
#include "link/printer_command.h"
#include "link/request_ops.h"

namespace rpanel {
namespace {

constexpr ChoiceEntry kEnergySaveChoices[] = {
    {"5", 5}, {"15", 15}, {"30", 30}, {"60", 60}, {"", 0},
};

// clang-format off
constexpr PanelDefaultSetting kPanelDefaults[] = {
    {"toner-low",      Request::SetTonerLowMessage, InfoKind::Toner,   "TONERLOWMSG",       "0",   true},
    {"toner-out-stop", Request::SetTonerOutStop,    InfoKind::Machine, "MACHINETONEREMPTY", "OFF", true},
    {"energy-save",    Request::SetEnergySaveTime,  InfoKind::Machine, "MACHINEENERGYSAVE", "",    false},
    {"auto-continue",  Request::SetAutoContinue,    InfoKind::Machine, "MACHINEAUTOCONTO",  "OFF", true},
};
// clang-format on

std::optional<std::int32_t> DecodeDefault(const PanelDefaultSetting& setting,
                                          std::string_view text) {
    if (text.empty()) {
        return std::nullopt;  // the key did not arrive
    }
    if (const std::optional<std::int32_t> number = NumberText(text)) {
        return number;  // 0 and 1 for the toner-low message, the minutes, or as reported
    }
    if (setting.offText.empty() || setting.offText == "0") {
        return std::nullopt;  // a number is what the printer takes back
    }
    return text == setting.offText ? 0 : 1;
}

std::size_t SlotIndex(const PanelDefaultSetting& setting) {
    const std::span<const InfoKey> keys = FormOf(setting.reply).keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].name == setting.key) {
            return i;
        }
    }
    return 0;
}

bool WriteSwitch(Request id, OnOff choice) {
    if (!choice) {
        return false;
    }
    return WriteSetting(id, *choice ? 1 : 0);
}

}  // namespace

bool RotateToner(MessageSink& messages, TonerRotation rotation) {
    return RunCommand(
        rotation == TonerRotation::ChangeToner ? Request::ChangeToner : Request::EjectAllToner,
        messages);
}

bool ApplyPanelDefaults(MessageSink& messages, const PanelDefaults& defaults) {
    // A braced list is evaluated in order: every setting is sent, failed ones included.
    const bool acknowledged[] = {
        WriteSwitch(Request::SetTonerLowMessage, defaults.tonerLowMessage),
        WriteSwitch(Request::SetTonerOutStop, defaults.tonerOutStop),
        WriteSetting(Request::SetEnergySaveTime, defaults.energySaveMinutes),
        WriteSwitch(Request::SetAutoContinue, defaults.autoContinue),
    };
    const bool all = std::ranges::all_of(acknowledged, [](bool ok) { return ok; });
    messages.ShowMessageById(all ? msg::kDefaultsSent : msg::kSendFailed);
    return all;
}

std::span<const PanelDefaultSetting, kPanelDefaultCount> PanelDefaultSettings() {
    return std::span<const PanelDefaultSetting, kPanelDefaultCount>(kPanelDefaults);
}

PanelDefaultValues ReadPanelDefaults(MessageSink& messages, AppState& state) {
    InfoBlocks blocks(state, ValueBlocks::Without);
    ReadMachineInfo(messages, state, InfoKind::Toner);
    ReadMachineInfo(messages, state, InfoKind::Machine);
    PanelDefaultValues values;
    for (std::size_t i = 0; i < kPanelDefaultCount; ++i) {
        const PanelDefaultSetting& setting = kPanelDefaults[i];
        const SlotRef slot{setting.reply, static_cast<std::uint8_t>(SlotIndex(setting))};
        values[i] = DecodeDefault(setting, SlotTextOf(state, slot));
    }
    return values;
}

bool ReadCurrentPanelDefaults(MessageSink& messages, AppState& state, PanelDefaultValues* values) {
    return RunPrinterCommand(messages, [&] { *values = ReadPanelDefaults(messages, state); });
}

ChangeOutcome ChangePanelDefaults(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                  std::span<const SettingChange> changes) {
    ChangeOutcome outcome;
    outcome.opened = RunPrinterCommand(messages, [&] {
        PanelDefaultValues values = ReadPanelDefaults(readMessages, state);
        for (std::size_t i = 0; i < kPanelDefaultCount; ++i) {
            if (!values[i]) {
                outcome.unread.push_back(kPanelDefaults[i].name);
            }
        }
        if (!outcome.unread.empty()) {
            return;
        }
        for (const SettingChange& change : changes) {
            const auto setting =
                std::ranges::find(kPanelDefaults, change.name, &PanelDefaultSetting::name);
            if (setting != std::end(kPanelDefaults)) {
                values[static_cast<std::size_t>(setting - std::begin(kPanelDefaults))] =
                    change.value;
            }
        }
        // A braced list is evaluated in order: every setting is sent, failed ones included.
        const bool acknowledged[] = {
            WriteSetting(kPanelDefaults[0].write, *values[0]),
            WriteSetting(kPanelDefaults[1].write, *values[1]),
            WriteSetting(kPanelDefaults[2].write, *values[2]),
            WriteSetting(kPanelDefaults[3].write, *values[3]),
        };
        outcome.sent = true;
        outcome.acknowledged = std::ranges::all_of(acknowledged, [](bool ok) { return ok; });
        messages.ShowMessageById(outcome.acknowledged ? msg::kDefaultsSent : msg::kSendFailed);
    });
    return outcome;
}

std::span<const ChoiceEntry> EnergySaveChoices() {
    return kEnergySaveChoices;
}

PanelDefaults InitialPanelDefaults() {
    return {
        .tonerLowMessage = true,
        .tonerOutStop = true,
        .energySaveMinutes = EnergySaveChoices()[kInitialEnergySaveEntry].value,
        .autoContinue = false,
    };
}

}  // namespace rpanel

#include "panel/panel_commands.h"

#include <algorithm>

#include "link/request_ops.h"

namespace rpanel {
namespace {

constexpr ChoiceEntry kEnergySaveChoices[] = {
    {"5", 5}, {"15", 15}, {"30", 30}, {"60", 60}, {"", 0},
};

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

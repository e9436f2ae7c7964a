#include "cli/panel_commands.h"

#include <algorithm>
#include <string>
#include <vector>

#include "cli/json_document.h"
#include "cli/service_commands.h"
#include "core/printable_text.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "panel/panel_commands.h"

namespace rpanel {
namespace {

std::optional<std::int32_t> ParseOnOff(std::string_view text) {
    if (text == "on") {
        return 1;
    }
    if (text == "off") {
        return 0;
    }
    return std::nullopt;
}

std::optional<std::int32_t> ParseMinutes(std::string_view text) {
    for (const ChoiceEntry& choice : EnergySaveChoices()) {
        if (!IsListEnd(choice) && text == choice.text) {
            return choice.value;
        }
    }
    return std::nullopt;
}

// One NAME=VALUE of defaults as a change; says why and answers nothing when it is not
// acceptable.
std::optional<SettingChange> ParseDefault(CliContext& context, const std::string& argument) {
    const auto assignment = SplitAssignment(argument);
    if (!assignment) {
        context.Complain("\"" + EchoedInput(argument) + "\" is not NAME=VALUE");
        return std::nullopt;
    }
    const auto [name, text] = *assignment;
    const auto settings = PanelDefaultSettings();
    const auto setting = std::ranges::find(settings, name, &PanelDefaultSetting::name);
    if (setting == settings.end()) {
        context.Complain("unknown setting \"" + EchoedInput(name) +
                         "\"; the settings are toner-low toner-out-stop energy-save "
                         "auto-continue");
        return std::nullopt;
    }
    const std::optional<std::int32_t> value =
        setting->onOff ? ParseOnOff(text) : ParseMinutes(text);
    if (!value) {
        context.Complain(std::string(name) +
                         (setting->onOff ? " must be on or off" : " must be 5, 15, 30 or 60") +
                         ", not \"" + EchoedInput(text) + "\"");
        return std::nullopt;
    }
    return SettingChange{setting->name, *value};
}

// A default as the user names it: on/off for a switch (a number the page does not offer as
// the printer reported it), the minutes for energy save.
std::string DefaultText(const PanelDefaultSetting& setting, std::int32_t value) {
    if (setting.onOff && (value == 0 || value == 1)) {
        return value == 1 ? "on" : "off";
    }
    return std::to_string(value);
}

int ShowDefaults(CliContext& context) {
    PanelDefaultValues values;
    if (!ReadCurrentPanelDefaults(context.messages, context.state, &values)) {
        return kExitFailed;
    }
    const auto settings = PanelDefaultSettings();
    std::vector<std::string_view> unread;
    Json current = Json::object();
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const std::optional<std::int32_t>& value = values[i];
        if (!value) {
            unread.push_back(settings[i].name);
        }
        if (context.json) {
            current[std::string(settings[i].name)] =
                !value                                              ? Json(nullptr)
                : settings[i].onOff && (*value == 0 || *value == 1) ? Json(*value == 1)
                                                                    : Json(*value);
        } else {
            context.out << settings[i].name << '='
                        << (value ? DefaultText(settings[i], *value) : "unknown") << '\n';
        }
    }
    if (context.json) {
        Json document = JsonDocument();
        document[json_key::kSettings] = current;
        WriteJson(context.out, document);
    }
    if (!unread.empty()) {
        context.err << "rpanelctl: could not read";
        for (std::size_t i = 0; i < unread.size(); ++i) {
            context.err << (i == 0 ? " " : ", ") << unread[i];
        }
        context.err << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

// A command without arguments, sent on the open link.
int RunSimpleCommand(CliContext& context, Request id) {
    if (!context.args.empty()) {
        return kExitUsage;
    }
    bool acknowledged = false;
    RunPrinterCommand(context.messages, [&] { acknowledged = RunCommand(id, context.messages); });
    return FinishActing(context, acknowledged);
}

}  // namespace

int RunTonerCommand(CliContext& context) {
    if (context.args.size() != 1 || (context.args[0] != "change" && context.args[0] != "eject")) {
        return kExitUsage;
    }
    const TonerRotation rotation =
        context.args[0] == "change" ? TonerRotation::ChangeToner : TonerRotation::EjectAllToner;
    bool acknowledged = false;
    RunPrinterCommand(context.messages,
                      [&] { acknowledged = RotateToner(context.messages, rotation); });
    return FinishActing(context, acknowledged);
}

int RunCleanUpCommand(CliContext& context) {
    return RunSimpleCommand(context, Request::PhCleanUp);
}

int RunCalibrateCommand(CliContext& context) {
    return RunSimpleCommand(context, Request::StartCalibration);
}

int RunDefaultsCommand(CliContext& context) {
    if (context.args.empty()) {
        return ShowDefaults(context);
    }
    std::vector<SettingChange> changes;
    for (const std::string& argument : context.args) {
        const std::optional<SettingChange> change = ParseDefault(context, argument);
        if (!change) {
            return kExitUsage;
        }
        changes.push_back(*change);
    }
    ReadMessages readMessages(context.err);
    const ChangeOutcome outcome =
        ChangePanelDefaults(context.messages, readMessages, context.state, changes);
    if (!outcome.unread.empty()) {
        ReportUnread(context, outcome.unread);
    }
    return FinishActing(context, outcome.opened && outcome.acknowledged, outcome.unread);
}

void PrintDefaultsSettings(std::ostream& out) {
    out << "settings (NAME=VALUE; without any, the current four are shown):\n"
           "  toner-low=on|off       the toner-low message on the printer's panel\n"
           "  toner-out-stop=on|off  stop printing when a toner runs out\n"
           "  energy-save=5|15|30|60 minutes before energy save\n"
           "  auto-continue=on|off   continue after a recoverable error\n";
}

}  // namespace rpanel

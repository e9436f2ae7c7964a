#include "cli/panel_commands.h"

#include <algorithm>
#include <array>
#include <string>

#include "cli/service_commands.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "panel/panel_commands.h"

namespace rpanel {
namespace {

std::optional<bool> ParseOnOff(std::string_view text) {
    if (text == "on") {
        return true;
    }
    if (text == "off") {
        return false;
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

// Sets one NAME=VALUE of defaults; says why and answers false when it is not acceptable.
bool ApplyDefault(CliContext& context, const std::string& argument, PanelDefaults& defaults) {
    const auto assignment = SplitAssignment(argument);
    if (!assignment) {
        context.err << "rpanelctl: \"" << argument << "\" is not NAME=VALUE\n";
        return false;
    }
    const auto [name, text] = *assignment;
    const std::array<std::pair<std::string_view, OnOff*>, 3> switches = {{
        {"toner-low", &defaults.tonerLowMessage},
        {"toner-out-stop", &defaults.tonerOutStop},
        {"auto-continue", &defaults.autoContinue},
    }};
    for (const auto& [switchName, choice] : switches) {
        if (name == switchName) {
            *choice = ParseOnOff(text);
            if (!*choice) {
                context.err << "rpanelctl: " << name << " must be on or off, not \"" << text
                            << "\"\n";
            }
            return choice->has_value();
        }
    }
    if (name == "energy-save") {
        const std::optional<std::int32_t> minutes = ParseMinutes(text);
        if (!minutes) {
            context.err << "rpanelctl: energy-save must be 5, 15, 30 or 60, not \"" << text
                        << "\"\n";
            return false;
        }
        defaults.energySaveMinutes = *minutes;
        return true;
    }
    context.err << "rpanelctl: unknown setting \"" << name
                << "\"; the settings are toner-low toner-out-stop energy-save auto-continue\n";
    return false;
}

// A command without arguments, sent on the open link.
int RunSimpleCommand(CliContext& context, Request id) {
    if (!context.args.empty()) {
        return kExitUsage;
    }
    RunPrinterCommand(context.messages, [&] { RunCommand(id, context.messages); });
    return kExitOk;
}

}  // namespace

int RunTonerCommand(CliContext& context) {
    if (context.args.size() != 1 || (context.args[0] != "change" && context.args[0] != "eject")) {
        return kExitUsage;
    }
    const TonerRotation rotation =
        context.args[0] == "change" ? TonerRotation::ChangeToner : TonerRotation::EjectAllToner;
    RunPrinterCommand(context.messages, [&] { RotateToner(context.messages, rotation); });
    return kExitOk;
}

int RunCleanUpCommand(CliContext& context) {
    return RunSimpleCommand(context, Request::PhCleanUp);
}

int RunCalibrateCommand(CliContext& context) {
    return RunSimpleCommand(context, Request::StartCalibration);
}

int RunDefaultsCommand(CliContext& context) {
    PanelDefaults defaults = InitialPanelDefaults();
    for (const std::string& argument : context.args) {
        if (!ApplyDefault(context, argument, defaults)) {
            return kExitUsage;
        }
    }
    RunPrinterCommand(context.messages, [&] { ApplyPanelDefaults(context.messages, defaults); });
    return kExitOk;
}

}  // namespace rpanel

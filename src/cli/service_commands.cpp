#include "cli/service_commands.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/access_code.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "service/service_mode.h"
#include "service/user_service.h"

namespace rpanel {
namespace {

// A setting that upload accepts by name.
struct NamedSetting {
    std::string_view name;
    SettingRange range;
    std::int32_t* field;
};

std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// Sets the named fields from NAME=VALUE arguments. On the first one that is not acceptable
// says why and answers false; nothing has been sent then.
bool ApplyAssignments(CliContext& context, std::span<const std::string> arguments,
                      std::span<const NamedSetting> settings) {
    for (const std::string& argument : arguments) {
        const auto assignment = SplitAssignment(argument);
        if (!assignment) {
            context.err << "rpanelctl: \"" << argument << "\" is not NAME=VALUE\n";
            return false;
        }
        const auto [name, text] = *assignment;
        const auto setting = std::ranges::find(settings, name, &NamedSetting::name);
        if (setting == settings.end()) {
            context.err << "rpanelctl: unknown setting \"" << name << "\"; the settings are";
            for (const NamedSetting& known : settings) {
                context.err << ' ' << known.name;
            }
            context.err << '\n';
            return false;
        }
        const std::optional<std::int32_t> value = ParseNumber(text);
        if (!value) {
            context.err << "rpanelctl: " << name << ": \"" << text << "\" is not a number\n";
            return false;
        }
        if (!setting->range.Contains(*value)) {
            context.err << "rpanelctl: " << name << " must be " << setting->range.min << " to "
                        << setting->range.max << ", not " << *value << '\n';
            return false;
        }
        *setting->field = *value;
    }
    return true;
}

void PrintField(CliContext& context, std::string_view name, std::int32_t value) {
    context.out << name << '=' << value << '\n';
}

int DownloadUserServiceCommand(CliContext& context) {
    SetUserServiceDefaults(context.state);
    if (!DownloadUserService(context.messages, context.state)) {
        return kExitFailed;
    }
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        PrintField(context, setting.name, SettingField(context.state, setting));
    }
    return kExitOk;
}

int UploadUserServiceCommand(CliContext& context, std::span<const std::string> arguments) {
    AppState& state = context.state;
    SetUserServiceDefaults(state);
    std::vector<NamedSetting> settings;
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        settings.push_back({setting.name, setting.range, &SettingField(state, setting)});
    }
    if (!ApplyAssignments(context, arguments, settings)) {
        return kExitUsage;
    }
    // As on the desktop, where the panel's opening reads the machine variant before the page
    // can upload: a printer without the energy-save switch gets it on.
    bool variantRead = false;
    RunPrinterCommand(context.messages, [&] {
        variantRead = ReadMachineVariant(context.messages, state);
        if (!variantRead) {
            return;
        }
        if (state.machineVariant == kVariantWithoutEnergySave && state.energySaveOn != 1) {
            context.err << "rpanelctl: this printer has no energy-save switch; it stays on\n";
        }
        UploadUserService(context.messages, state, state.energySaveOn);
    });
    return variantRead ? kExitOk : kExitFailed;
}

int DownloadServiceModeCommand(CliContext& context) {
    SetServiceModeDefaults(context.state);
    if (!DownloadServiceMode(context.messages, context.state)) {
        return kExitFailed;
    }
    for (const ServiceModeValue& value : ServiceModeValues()) {
        PrintField(context, value.name, ValueField(context.state, value));
    }
    return kExitOk;
}

int UploadServiceModeCommand(CliContext& context, std::span<const std::string> arguments) {
    SetServiceModeDefaults(context.state);
    std::vector<NamedSetting> settings;
    for (const ServiceModeValue& value : ServiceModeValues()) {
        if (value.write) {
            settings.push_back({value.name, value.range, &ValueField(context.state, value)});
        }
    }
    if (!ApplyAssignments(context, arguments, settings)) {
        return kExitUsage;
    }
    UploadServiceMode(context.messages, context.state);
    return kExitOk;
}

bool HasServiceModeAccess(const CliContext& context) {
    if (!context.accessCode) {
        context.err << "rpanelctl: service-mode needs the access code: --access-code CODE\n";
        return false;
    }
    if (*context.accessCode != kServiceModeAccessCode) {
        context.err << "rpanelctl: wrong access code\n";
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::pair<std::string_view, std::string_view>> SplitAssignment(
    std::string_view argument) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return std::nullopt;
    }
    return std::pair{argument.substr(0, equals), argument.substr(equals + 1)};
}

int RunUserServiceCommand(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    if (args.size() == 1 && args[0] == "download") {
        return DownloadUserServiceCommand(context);
    }
    if (!args.empty() && args[0] == "upload") {
        return UploadUserServiceCommand(context, std::span(args).subspan(1));
    }
    if (args.size() == 2 && args[0] == "test-pattern" && (args[1] == "1" || args[1] == "2")) {
        PrintTestPattern(context.messages, args[1] == "1" ? TestPattern::One : TestPattern::Two);
        return kExitOk;
    }
    if (args.size() == 1 && args[0] == "image-refresh") {
        RunImageRefresh(context.messages);
        return kExitOk;
    }
    return kExitUsage;
}

int RunServiceModeCommand(CliContext& context) {
    if (!HasServiceModeAccess(context)) {
        return kExitUsage;
    }
    const std::vector<std::string>& args = context.args;
    if (args.size() == 1 && args[0] == "download") {
        return DownloadServiceModeCommand(context);
    }
    if (!args.empty() && args[0] == "upload") {
        return UploadServiceModeCommand(context, std::span(args).subspan(1));
    }
    if (args.size() == 2 && args[0] == "replace" && (args[1] == "fuser" || args[1] == "roller")) {
        ReportReplacedPart(context.messages, args[1] == "fuser" ? ReplacedPart::FuserUnit
                                                                : ReplacedPart::TransferRoller);
        return kExitOk;
    }
    return kExitUsage;
}

}  // namespace rpanel

#include "cli/service_commands.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/json_document.h"
#include "core/access_code.h"
#include "core/printable_text.h"
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
};

std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// The changes NAME=VALUE arguments ask for. On the first one that is not acceptable says why
// and answers nothing; nothing has been sent then.
std::optional<std::vector<SettingChange>> ParseAssignments(CliContext& context,
                                                           std::span<const std::string> arguments,
                                                           std::span<const NamedSetting> settings) {
    std::vector<SettingChange> changes;
    for (const std::string& argument : arguments) {
        const auto assignment = SplitAssignment(argument);
        if (!assignment) {
            context.Complain("\"" + EchoedInput(argument) + "\" is not NAME=VALUE");
            return std::nullopt;
        }
        const auto [name, text] = *assignment;
        const auto setting = std::ranges::find(settings, name, &NamedSetting::name);
        if (setting == settings.end()) {
            std::string known;
            for (const NamedSetting& each : settings) {
                known.append(" ").append(each.name);
            }
            context.Complain("unknown setting \"" + EchoedInput(name) + "\"; the settings are" +
                             known);
            return std::nullopt;
        }
        const std::optional<std::int32_t> value = ParseNumber(text);
        if (!value) {
            context.Complain(std::string(name) + ": \"" + EchoedInput(text) + "\" is not a number");
            return std::nullopt;
        }
        if (!setting->range.Contains(*value)) {
            context.Complain(std::string(name) + " must be " + std::to_string(setting->range.min) +
                             " to " + std::to_string(setting->range.max) + ", not " +
                             std::to_string(*value));
            return std::nullopt;
        }
        changes.push_back({setting->name, *value});
    }
    return changes;
}

std::vector<NamedSetting> UserServiceNames() {
    std::vector<NamedSetting> names;
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        names.push_back({setting.name, setting.range});
    }
    return names;
}

std::vector<NamedSetting> ServiceModeSettingNames() {
    std::vector<NamedSetting> names;
    for (const ServiceModeValue& value : ServiceModeValues()) {
        if (value.write) {
            names.push_back({value.name, value.range});
        }
    }
    return names;
}

bool Contains(std::span<const std::string_view> names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

// The values as NAME=VALUE lines ("NAME=unknown" for one not read), or with --json under the
// document's key (null for one not read). Answers the exit status: 1 when one was not read.
struct PrintedValue {
    std::string_view name;
    std::int32_t value;
    bool counter;
};

int PrintValues(CliContext& context, std::span<const PrintedValue> values,
                std::span<const std::string_view> unread) {
    if (context.json) {
        Json document = JsonDocument();
        Json settings = Json::object();
        Json counters = Json::object();
        for (const PrintedValue& value : values) {
            (value.counter ? counters : settings)[std::string(value.name)] =
                Contains(unread, value.name) ? Json(nullptr) : Json(value.value);
        }
        document[json_key::kSettings] = settings;
        if (!counters.empty()) {
            document[json_key::kCounters] = counters;
        }
        WriteJson(context.out, document);
    } else {
        for (const PrintedValue& value : values) {
            context.out << value.name << '=';
            if (Contains(unread, value.name)) {
                context.out << "unknown";
            } else {
                context.out << value.value;
            }
            context.out << '\n';
        }
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

int DownloadUserServiceCommand(CliContext& context) {
    SetUserServiceDefaults(context.state);
    std::vector<std::string_view> unread;
    if (!DownloadUserService(context.messages, context.state, &unread)) {
        return kExitFailed;
    }
    std::vector<PrintedValue> values;
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        values.push_back({setting.name, SettingField(context.state, setting), false});
    }
    return PrintValues(context, values, unread);
}

// Ends a change: the settings not read, or the upload's outcome.
int FinishChange(CliContext& context, const ChangeOutcome& outcome) {
    if (!outcome.opened) {
        return FinishActing(context, false);
    }
    if (!outcome.unread.empty()) {
        ReportUnread(context, outcome.unread);
    }
    return FinishActing(context, outcome.acknowledged, outcome.unread);
}

int UploadUserServiceCommand(CliContext& context, std::span<const std::string> arguments) {
    if (arguments.empty()) {
        context.Complain("user-service upload needs NAME=VALUE for each setting to change");
        return kExitUsage;
    }
    const std::vector<NamedSetting> names = UserServiceNames();
    const auto changes = ParseAssignments(context, arguments, names);
    if (!changes) {
        return kExitUsage;
    }
    ReadMessages readMessages(context.err);
    bool keptOn = false;
    const ChangeOutcome outcome =
        ChangeUserService(context.messages, readMessages, context.state, *changes, &keptOn);
    if (keptOn) {
        context.err << "rpanelctl: this printer has no energy-save switch; it stays on\n";
    }
    return FinishChange(context, outcome);
}

int DownloadServiceModeCommand(CliContext& context) {
    SetServiceModeDefaults(context.state);
    std::vector<std::string_view> unread;
    if (!DownloadServiceMode(context.messages, context.state, &unread)) {
        return kExitFailed;
    }
    std::vector<PrintedValue> values;
    for (const ServiceModeValue& value : ServiceModeValues()) {
        values.push_back(
            {value.name, ValueField(context.state, value), value.kind == ServiceModeKind::Counter});
    }
    return PrintValues(context, values, unread);
}

int UploadServiceModeCommand(CliContext& context, std::span<const std::string> arguments) {
    if (arguments.empty()) {
        context.Complain("service-mode upload needs NAME=VALUE for each setting to change");
        return kExitUsage;
    }
    const std::vector<NamedSetting> names = ServiceModeSettingNames();
    const auto changes = ParseAssignments(context, arguments, names);
    if (!changes) {
        return kExitUsage;
    }
    ReadMessages readMessages(context.err);
    return FinishChange(context,
                        ChangeServiceMode(context.messages, readMessages, context.state, *changes));
}

bool HasServiceModeAccess(CliContext& context) {
    if (!context.accessCode) {
        context.Complain("service-mode needs the access code: --access-code CODE");
        return false;
    }
    if (*context.accessCode != kServiceModeAccessCode) {
        context.Complain("wrong access code");
        return false;
    }
    return true;
}

// What each setting is, for COMMAND --help (the man page says the same).
// clang-format off
constexpr std::pair<std::string_view, std::string_view> kMeanings[] = {
    {"gdiTimeout",          "GDI timeout: 0..6 for 5, 10, 20, 30, 40, 50, 60 seconds"},
    {"energySaveOn",        "energy save: 1 on, 0 off (always on without the switch)"},
    {"flicker",             "flicker control level"},
    {"imageAdjust",         "image adjustment parameter"},
    {"topAdjustPlain",      "top margin, plain paper (steps)"},
    {"topAdjustThick",      "top margin, thick paper"},
    {"topAdjustEnvelope",   "top margin, envelopes"},
    {"leftAdjustFront",     "left margin, front side"},
    {"transferPlainFront",  "transfer power, plain paper front side"},
    {"transferThick1",      "transfer power, thick paper 1"},
    {"transferThick2",      "transfer power, thick paper 2"},
    {"transferPostcard",    "transfer power, postcards"},
    {"transferEnvelope",    "transfer power, envelopes"},
    {"transferLabel",       "transfer power, labels"},
    {"tonerLowWarning",     "toner-low warning: 1 on, 0 off"},
    {"puLowWarning",        "print-unit-low warning: 1 on, 0 off"},
    {"plainTemperature",    "fuser temperature, plain paper: 0, 1, 2 for 0, -5, -10"},
    {"thickTemperature",    "fuser temperature, thick paper: 0, 1, 2 for 0, -5, -10"},
    {"envelopeTemperature", "fuser temperature, envelopes: 0, 1, 2 for 0, -5, -10"},
};
// clang-format on

std::string_view Meaning(std::string_view name) {
    const auto found =
        std::ranges::find(kMeanings, name, &std::pair<std::string_view, std::string_view>::first);
    return found != std::end(kMeanings) ? found->second : std::string_view();
}

void PrintSettingRows(std::ostream& out, std::string_view name, SettingRange range) {
    const std::string_view meaning = Meaning(name);
    std::string head(name);
    head.resize(std::max<std::size_t>(head.size() + 2, 22), ' ');
    out << "  " << head << range.min << ".." << range.max << "  " << meaning << '\n';
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
        const bool printed = PrintTestPattern(context.messages,
                                              args[1] == "1" ? TestPattern::One : TestPattern::Two);
        return FinishActing(context, printed);
    }
    if (args.size() == 1 && args[0] == "image-refresh") {
        RunImageRefresh(context.messages);
        return FinishActing(context, true);
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
        const bool reported =
            ReportReplacedPart(context.messages, args[1] == "fuser" ? ReplacedPart::FuserUnit
                                                                    : ReplacedPart::TransferRoller);
        return FinishActing(context, reported);
    }
    return kExitUsage;
}

void PrintUserServiceSettings(std::ostream& out) {
    out << "settings (NAME, the values upload takes, what it is):\n";
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        PrintSettingRows(out, setting.name, setting.range);
    }
}

void PrintServiceModeSettings(std::ostream& out) {
    out << "settings (NAME, the values upload takes, what it is):\n";
    for (const ServiceModeValue& value : ServiceModeValues()) {
        if (value.write) {
            PrintSettingRows(out, value.name, value.range);
        }
    }
    out << "download also reads the counters:";
    for (const ServiceModeValue& value : ServiceModeValues()) {
        if (!value.write) {
            out << ' ' << value.name;
        }
    }
    out << '\n';
}

}  // namespace rpanel

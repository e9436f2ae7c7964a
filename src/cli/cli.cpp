#include "cli/cli.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "core/printable_text.h"
#include "core/shared_options.h"
#include "core/string_table.h"
#include "link/device_session.h"
#include "link/selected/selected_platform.h"

namespace rpanel {
namespace {

struct CliOptions : SharedOptions {
    bool trace = false;
    bool json = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> accessCode;
    std::optional<std::string> command;
    std::vector<std::string> args;
};

// A global option: before or after the command, "--name VALUE" or "--name=VALUE".
struct GlobalOption {
    std::string_view name;
    std::string_view operand;  // empty for a switch
    std::string_view help;
    // Takes the operand (empty for a switch); answers a complaint when it is not acceptable.
    std::optional<std::string> (*take)(CliOptions& options, const std::string& operand);
};

std::optional<std::string> TakeShared(CliOptions& options, std::string_view name,
                                      const std::string& operand) {
    std::vector<std::string> args{std::string(name)};
    if (name != "--demo") {
        args.push_back(operand);
    }
    std::size_t index = 0;
    bool taken = false;
    return TakeSharedOption(args, &index, &options, &taken);
}

// clang-format off
constexpr std::array kGlobalOptions = {
    GlobalOption{"--demo", "", "use the built-in simulated printer",
        [](CliOptions& o, const std::string&) { return TakeShared(o, "--demo", {}); }},
    GlobalOption{"--simulate", "FILE", "use a simulated printer scripted by a scenario file (JSON)",
        [](CliOptions& o, const std::string& v) { return TakeShared(o, "--simulate", v); }},
    GlobalOption{"--trace", "", "write every vendor request to standard error",
        [](CliOptions& o, const std::string&) { o.trace = true; return std::optional<std::string>(); }},
    GlobalOption{"--lang", "LANG", "language of the messages: a locale name (de-DE, pt) or a\n"
                                   "Windows language id (0x0407)",
        [](CliOptions& o, const std::string& v) { return TakeShared(o, "--lang", v); }},
    GlobalOption{"--access-code", "CODE", "the field engineer's code, which service-mode needs",
        [](CliOptions& o, const std::string& v) { o.accessCode = v; return std::optional<std::string>(); }},
    GlobalOption{"--json", "", "write the result as one JSON document for scripts",
        [](CliOptions& o, const std::string&) { o.json = true; return std::optional<std::string>(); }},
    GlobalOption{"--help", "", "show this help, or a command's with COMMAND --help",
        [](CliOptions& o, const std::string&) { o.help = true; return std::optional<std::string>(); }},
    GlobalOption{"--version", "", "show the program's version",
        [](CliOptions& o, const std::string&) { o.version = true; return std::optional<std::string>(); }},
};
// clang-format on

constexpr std::size_t kSummaryColumn = 19;

// "  head   summary", the summary under the others when the head is long, each of its lines
// in that column.
void PrintRow(std::ostream& out, const std::string& head, std::string_view summary) {
    out << "  " << head;
    if (head.size() + 1 < kSummaryColumn) {
        out << std::string(kSummaryColumn - head.size(), ' ');
    } else {
        out << '\n' << std::string(kSummaryColumn + 2, ' ');
    }
    for (const char c : summary) {
        out << c;
        if (c == '\n') {
            out << std::string(kSummaryColumn + 2, ' ');
        }
    }
    out << '\n';
}

void PrintUsage(std::ostream& out) {
    out << "usage: rpanelctl [OPTION...] COMMAND [ARGUMENT...]\n\noptions:\n";
    for (const GlobalOption& option : kGlobalOptions) {
        std::string head(option.name);
        if (!option.operand.empty()) {
            head.append(" ").append(option.operand);
        }
        PrintRow(out, head, option.help);
    }
    out << "\ncommands:\n";
    for (const CliCommand& command : CliCommands()) {
        std::string head(command.name);
        if (!command.arguments.empty()) {
            head.append(" ").append(command.arguments);
        }
        PrintRow(out, head, command.summary);
    }
    out << "\nexit status: 0 done, 1 the printer could not be opened or a request or read failed,\n"
           "2 wrong usage\n";
}

void PrintCommandUsage(std::ostream& out, const CliCommand& command) {
    out << "usage: rpanelctl [OPTION...] " << command.name;
    if (!command.arguments.empty()) {
        out << ' ' << command.arguments;
    }
    out << "\n\n" << command.summary << '\n';
    if (command.details != nullptr) {
        out << '\n';
        command.details(out);
    }
}

const GlobalOption* FindOption(std::string_view name) {
    const auto found = std::ranges::find(kGlobalOptions, name, &GlobalOption::name);
    return found != kGlobalOptions.end() ? &*found : nullptr;
}

const CliCommand* FindCommand(std::string_view name) {
    const auto commands = CliCommands();
    const auto found = std::ranges::find(commands, name, &CliCommand::name);
    return found != commands.end() ? &*found : nullptr;
}

// Takes the global options wherever they stand; the first other word is the command, the rest
// its arguments. After "--" everything is an argument.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, CliOptions* options) {
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
            continue;
        }
        if (!optionsEnd && (arg == "-h" || arg.rfind("--", 0) == 0)) {
            const std::size_t equals = arg.find('=');
            const std::string name = arg == "-h" ? "--help" : arg.substr(0, equals);
            const GlobalOption* option = FindOption(name);
            if (option == nullptr && options->command) {
                options->args.push_back(arg);  // the command's own option
                continue;
            }
            if (option == nullptr) {
                return "unknown option " + EchoedInput(name);
            }
            std::string operand;
            if (equals != std::string::npos) {
                if (option->operand.empty()) {
                    return std::string(option->name) + " takes no value";
                }
                operand = arg.substr(equals + 1);
            } else if (!option->operand.empty()) {
                if (i + 1 >= args.size()) {
                    return name == "--simulate"
                               ? "--simulate needs a scenario file"
                               : name + " needs a" + (name == "--lang" ? " language" : " code");
                }
                operand = args[++i];
            }
            if (auto complaint = option->take(*options, operand)) {
                return complaint;
            }
            continue;
        }
        if (!options->command) {
            options->command = arg;
        } else {
            options->args.push_back(arg);
        }
    }
    return CheckSharedOptions(*options);
}

// Every request on the trace: REQ <code> 0x<value> <index> <length> -> <bytes delivered>
RequestObserver TraceTo(std::ostream& err) {
    return [&err](const SentRequest& sent) {
        char line[64];
        std::snprintf(line, sizeof line, "REQ %u 0x%04X %u %u -> %u\n", unsigned{sent.request},
                      unsigned{sent.value}, unsigned{sent.index}, unsigned{sent.length},
                      static_cast<unsigned>(sent.delivered));
        err << line;
    };
}

int UsageError(std::ostream& err, const std::string& complaint, std::string_view command = {}) {
    err << "rpanelctl: " << complaint << "\nTry 'rpanelctl " << command
        << (command.empty() ? "" : " ") << "--help' for more information.\n";
    return kExitUsage;
}

// A script must learn that its output was lost (a full disk, a closed pipe).
int CheckOutput(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    if (out) {
        return status;
    }
    const int error = errno;
    err << "rpanelctl: could not write the output"
        << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return status == kExitUsage ? status : kExitFailed;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const CliHooks& hooks) {
    CliOptions options;
    if (auto complaint = ParseOptions(args, &options)) {
        return UsageError(err, *complaint);
    }
    const CliCommand* command = options.command ? FindCommand(*options.command) : nullptr;
    if (options.help) {
        if (command != nullptr) {
            PrintCommandUsage(out, *command);
        } else {
            PrintUsage(out);
        }
        return kExitOk;
    }
    if (options.version) {
        out << VersionLine("rpanelctl") << '\n';
        return kExitOk;
    }
    if (!options.command) {
        return UsageError(err, "no command given");
    }
    if (command == nullptr) {
        return UsageError(err, "unknown command \"" + EchoedInput(*options.command) + "\"");
    }
    SelectLanguage(options.language.value_or(LanguageFromEnvironment()));

    std::string error;
    auto platform = SelectedPlatform::Select(options.demo, options.scenario, &error);
    if (!platform) {
        return UsageError(err, error);
    }

    int status = kExitOk;
    {
        // The session, and with it the trace, ends with the run: the command's link is closed
        // before the simulated machine is looked at.
        const DeviceSession session(platform->Platform(),
                                    options.trace ? TraceTo(err) : RequestObserver{});
        TerminalMessages messages(out, err, options.json);
        AppState state;
        CliContext context{out,         err, messages, state, options.args, options.accessCode,
                           options.json};
        status = command->run(context);
        if (status == kExitUsage) {
            if (!context.complained) {
                err << "rpanelctl: wrong arguments for " << command->name << "; usage: rpanelctl "
                    << command->name << ' ' << command->arguments << '\n';
            }
            err << "Try 'rpanelctl " << command->name << " --help' for more information.\n";
        } else if (status == kExitOk && messages.FailureShown()) {
            status = kExitFailed;
        }
    }
    if (platform->Simulated() != nullptr && hooks.afterSimulatedCommand) {
        hooks.afterSimulatedCommand(*platform->Simulated());
    }
    return status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliHooks& hooks) {
    errno = 0;
    return CheckOutput(out, err, Run(args, out, err, hooks));
}

}  // namespace rpanel

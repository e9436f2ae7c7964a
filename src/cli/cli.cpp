#include "cli/cli.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "core/shared_options.h"
#include "core/string_table.h"
#include "link/device_session.h"
#include "link/selected/selected_platform.h"

namespace rpanel {
namespace {

struct CliOptions : SharedOptions {
    bool trace = false;
    std::optional<std::string> accessCode;
    std::string command;
    std::vector<std::string> args;
};

void PrintUsage(std::ostream& out) {
    out << "usage: rpanelctl [--demo | --simulate FILE] [--trace] [--lang LANG] [--timeout MS]\n"
           "                 COMMAND\n"
           "\n"
           "  --demo           use the built-in simulated printer\n"
           "  --simulate FILE  use a simulated printer scripted by a scenario file (JSON)\n"
           "  --trace          write every vendor request to standard error\n"
           "  --lang LANG      language of the messages: a locale name (de-DE, pt) or a\n"
           "                   Windows language id (0x0407)\n"
           "  --timeout MS     how long one request may wait for the printer (default 5000)\n"
           "  --access-code CODE\n"
           "                   the field engineer's code, which service-mode needs\n"
           "\ncommands:\n";
    for (const CliCommand& command : CliCommands()) {
        std::string head(command.name);
        if (!command.arguments.empty()) {
            head.append(" ").append(command.arguments);
        }
        // A long synopsis gets its summary on the next line, under the others.
        constexpr std::size_t kSummaryColumn = 17;
        out << "  " << head;
        if (head.size() < kSummaryColumn) {
            out << std::string(kSummaryColumn - head.size(), ' ');
        } else {
            out << '\n' << std::string(kSummaryColumn + 2, ' ');
        }
        out << command.summary << '\n';
    }
}

// Parses the global options and the command; answers a complaint for a usage error.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, CliOptions* options) {
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& option = args[i];
        auto operand = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        bool shared = false;
        if (auto complaint = TakeSharedOption(args, &i, options, &shared)) {
            return complaint;
        }
        if (shared) {
            continue;
        }
        if (option == "--trace") {
            options->trace = true;
        } else if (option == "--access-code") {
            options->accessCode = operand();
            if (!options->accessCode) {
                return "--access-code needs a code";
            }
        } else {
            return "unknown option " + option;
        }
    }
    if (auto complaint = CheckSharedOptions(*options)) {
        return complaint;
    }
    if (i == args.size()) {
        return "no command given";
    }
    options->command = args[i];
    options->args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    return std::nullopt;
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

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliHooks& hooks) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        PrintUsage(out);
        return kExitOk;
    }
    CliOptions options;
    if (auto complaint = ParseOptions(args, &options)) {
        err << "rpanelctl: " << *complaint << "\n\n";
        PrintUsage(err);
        return kExitUsage;
    }
    const auto commands = CliCommands();
    const auto command = std::find_if(commands.begin(), commands.end(), [&](const CliCommand& c) {
        return c.name == options.command;
    });
    if (command == commands.end()) {
        err << "rpanelctl: unknown command \"" << options.command << "\"\n\n";
        PrintUsage(err);
        return kExitUsage;
    }
    SelectLanguage(options.language.value_or(LanguageFromEnvironment()));

    std::string error;
    auto platform = SelectedPlatform::Select(options.demo, options.scenario, &error);
    if (!platform) {
        err << "rpanelctl: " << error << '\n';
        return kExitUsage;
    }
    platform->Platform().SetTransferTimeout(std::chrono::milliseconds(options.timeoutMs));

    int status = kExitOk;
    {
        // The session, and with it the trace, ends with the run: the command's link is closed
        // before the simulated machine is looked at.
        const DeviceSession session(platform->Platform(),
                                    options.trace ? TraceTo(err) : RequestObserver{});
        TerminalMessages messages(out, err);
        AppState state;
        CliContext context{out, err, messages, state, options.args, options.accessCode};
        status = command->run(context);
        if (status == kExitUsage) {
            err << "rpanelctl: wrong arguments for " << command->name << "\n\n";
            PrintUsage(err);
        } else if (status == kExitOk && messages.FailureShown()) {
            status = kExitFailed;
        }
    }
    if (platform->Simulated() != nullptr && hooks.afterSimulatedCommand) {
        hooks.afterSimulatedCommand(*platform->Simulated());
    }
    return status;
}

}  // namespace rpanel

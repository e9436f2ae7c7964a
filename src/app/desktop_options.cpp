#include "app/desktop_options.h"

#include <charconv>

#include "core/printable_text.h"

namespace rpanel {

std::optional<std::string> ParseDesktopOptions(const std::vector<std::string>& given,
                                               DesktopOptions* options) {
    const std::vector<std::string> args = SplitOptionValues(given);
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool shared = false;
        if (auto complaint = TakeSharedOption(args, &i, options, &shared)) {
            return complaint;
        }
        if (shared) {
            continue;
        }
        if (args[i] == "--help" || args[i] == "-h") {
            options->help = true;
        } else if (args[i] == "--version") {
            options->version = true;
        } else if (args[i] == "--quit-after-start") {
            options->quitAfterStart = true;
        } else if (args[i] == "--watch-interval") {
            if (i + 1 >= args.size()) {
                return "--watch-interval needs seconds";
            }
            const std::string& text = args[++i];
            int seconds = 0;
            const auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), seconds);
            // Ten seconds at least: every round is two requests the printer must answer.
            if (error != std::errc() || end != text.data() + text.size() || seconds < 10 ||
                seconds > 86400) {
                return "--watch-interval needs seconds from 10 to 86400, not \"" +
                       EchoedInput(text) + "\"";
            }
            options->watchInterval = seconds;
        } else {
            return "unknown option " + EchoedInput(args[i]);
        }
    }
    if (auto complaint = CheckSharedOptions(*options)) {
        return complaint;
    }
    return std::nullopt;
}

void PrintDesktopUsage(std::ostream& out) {
    out << "usage: rpanel [--demo | --simulate FILE] [--lang LANG] [--timeout MS]\n"
           "              [--watch-interval SECONDS]\n"
           "\n"
           "  --demo           use the built-in simulated printer\n"
           "  --simulate FILE  use a simulated printer scripted by a scenario file (JSON)\n"
           "  --lang LANG      language of the program: a locale name (de-DE, pt) or a\n"
           "                   Windows language id (0x0407); the desktop's by default\n"
           "  --timeout MS     how long one request may wait for the printer (default 5000)\n"
           "  --watch-interval SECONDS\n"
           "                   how often the tray reads the printer while it watches, for\n"
           "                   this run (at least 10)\n"
           "  --help           show this help and end\n"
           "  --version        show the program's version and end\n";
}

}  // namespace rpanel

#include "app/desktop_options.h"

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
    out << "usage: rpanel [--demo | --simulate FILE] [--lang LANG]\n"
           "\n"
           "  --demo           use the built-in simulated printer\n"
           "  --simulate FILE  use a simulated printer scripted by a scenario file (JSON)\n"
           "  --lang LANG      language of the program: a locale name (de-DE, pt) or a\n"
           "                   Windows language id (0x0407); the desktop's by default\n"
           "  --help           show this help and end\n"
           "  --version        show the program's version and end\n";
}

}  // namespace rpanel

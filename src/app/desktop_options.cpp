#include "app/desktop_options.h"

#include "app/string_table.h"

namespace rpanel {

std::optional<std::string> ParseDesktopOptions(const std::vector<std::string>& args,
                                               DesktopOptions* options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto operand = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        if (option == "--help" || option == "-h") {
            options->help = true;
        } else if (option == "--demo") {
            options->demo = true;
        } else if (option == "--quit-after-start") {
            options->quitAfterStart = true;
        } else if (option == "--simulate") {
            options->scenario = operand();
            if (!options->scenario) {
                return "--simulate needs a scenario file";
            }
        } else if (option == "--lang") {
            const auto name = operand();
            if (!name) {
                return "--lang needs a language";
            }
            options->language = ParseLanguage(*name);
            if (!options->language) {
                return "unknown language \"" + *name + "\"";
            }
        } else {
            return "unknown option " + option;
        }
    }
    if (options->demo && options->scenario) {
        return "--demo and --simulate exclude each other";
    }
    return std::nullopt;
}

void PrintDesktopUsage(std::ostream& out) {
    out << "usage: rpanel [--demo | --simulate FILE] [--lang LANG]\n"
           "\n"
           "  --demo           use the built-in simulated printer\n"
           "  --simulate FILE  use a simulated printer scripted by a scenario file (JSON)\n"
           "  --lang LANG      language of the program: a locale name (de-DE, pt) or a\n"
           "                   Windows language id (0x0407); the desktop's by default\n";
}

}  // namespace rpanel

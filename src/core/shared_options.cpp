#include "core/shared_options.h"

#include "core/printable_text.h"
#include "core/string_table.h"

namespace rpanel {

std::optional<std::string> TakeSharedOption(const std::vector<std::string>& args,
                                            std::size_t* index, SharedOptions* options,
                                            bool* taken) {
    const std::string& option = args[*index];
    *taken = option == "--demo" || option == "--simulate" || option == "--lang";
    if (option == "--demo") {
        options->demo = true;
        return std::nullopt;
    }
    if (!*taken) {
        return std::nullopt;
    }
    if (*index + 1 >= args.size()) {
        return option == "--simulate" ? "--simulate needs a scenario file"
                                      : "--lang needs a language";
    }
    const std::string& operand = args[++*index];
    if (option == "--simulate") {
        options->scenario = operand;
        return std::nullopt;
    }
    options->language = ParseLanguage(operand);
    if (!options->language) {
        return "unknown language \"" + EchoedInput(operand) + "\"";
    }
    return std::nullopt;
}

std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    for (const std::string& arg : args) {
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (equals != std::string::npos && (name == "--simulate" || name == "--lang")) {
            split.push_back(name);
            split.push_back(arg.substr(equals + 1));
        } else {
            split.push_back(arg);
        }
    }
    return split;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + RPANEL_VERSION;
}

std::optional<std::string> CheckSharedOptions(const SharedOptions& options) {
    if (options.demo && options.scenario) {
        return "--demo and --simulate exclude each other";
    }
    return std::nullopt;
}

}  // namespace rpanel

#include "core/shared_options.h"

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
        return "unknown language \"" + operand + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> CheckSharedOptions(const SharedOptions& options) {
    if (options.demo && options.scenario) {
        return "--demo and --simulate exclude each other";
    }
    return std::nullopt;
}

}  // namespace rpanel

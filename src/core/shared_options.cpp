#include "core/shared_options.h"

#include <charconv>

#include "core/printable_text.h"
#include "core/string_table.h"

namespace rpanel {

std::optional<std::string> TakeSharedOption(const std::vector<std::string>& args,
                                            std::size_t* index, SharedOptions* options,
                                            bool* taken) {
    const std::string& option = args[*index];
    *taken =
        option == "--demo" || option == "--simulate" || option == "--lang" || option == "--timeout";
    if (option == "--demo") {
        options->demo = true;
        return std::nullopt;
    }
    if (!*taken) {
        return std::nullopt;
    }
    if (*index + 1 >= args.size()) {
        return option == "--simulate" ? "--simulate needs a scenario file"
               : option == "--lang"   ? "--lang needs a language"
                                      : "--timeout needs milliseconds";
    }
    const std::string& operand = args[++*index];
    if (option == "--timeout") {
        // Ten minutes at most: more would look like a hang to anyone.
        constexpr int kMostMs = 600000;
        int ms = 0;
        const auto [end, error] =
            std::from_chars(operand.data(), operand.data() + operand.size(), ms);
        if (error != std::errc() || end != operand.data() + operand.size() || ms < 1 ||
            ms > kMostMs) {
            return "--timeout needs milliseconds from 1 to 600000, not \"" + EchoedInput(operand) +
                   "\"";
        }
        options->timeoutMs = ms;
        return std::nullopt;
    }
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
        if (equals != std::string::npos &&
            (name == "--simulate" || name == "--lang" || name == "--timeout")) {
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

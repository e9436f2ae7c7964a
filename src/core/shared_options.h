// The options rpanel and rpanelctl share: which printer to talk to and in which language.
//   --demo | --simulate FILE   the built-in simulated printer, or one scripted by a scenario
//   --lang LANG                a locale name (de-DE, pt) or a Windows language id (0x0407)
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rpanel {

struct SharedOptions {
    bool demo = false;
    std::optional<std::string> scenario;
    std::optional<std::uint16_t> language;
};

// Looks at args[*index]: when it is a shared option, takes it (and its operand, moving *index
// on to it) and sets *taken. Answers a complaint when the option is malformed.
std::optional<std::string> TakeSharedOption(const std::vector<std::string>& args,
                                            std::size_t* index, SharedOptions* options,
                                            bool* taken);

// "--opt=value" of an option that takes an operand as the two arguments "--opt" "value";
// every other argument as it is.
std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args);

// The line --version prints: the program's name and the project's version.
std::string VersionLine(std::string_view program);

// What is wrong with the shared options taken together, if anything.
std::optional<std::string> CheckSharedOptions(const SharedOptions& options);

}  // namespace rpanel

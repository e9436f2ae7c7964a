// Every text the user sees comes from the string table by number, in the language of the
// desktop (or the one asked for with --lang); a number the chosen language lacks falls back
// to English (United States).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rpanel {

inline constexpr std::uint16_t kEnglishUnitedStates = 0x0409;

// One language's texts, keyed by string number.
class StringTable {
public:
    // Reads the resource format: "# comment" and blank lines, otherwise
    //   <number><TAB>"<text with \" \\ \t \r \n escapes>"
    // On a malformed line it answers nothing and says where in *error.
    static std::optional<StringTable> Parse(std::string_view source, std::string* error);

    const std::string* Find(int id) const;
    std::vector<int> Ids() const;

private:
    std::map<int, std::string> texts_;
};

// The languages compiled into the program, by Windows language id.
std::vector<std::uint16_t> AvailableLanguages();
const StringTable* TableForLanguage(std::uint16_t language);

// Chooses the language for LoadText: the exact language, else the first available one with the
// same primary language, else English (United States). Answers the language chosen.
std::uint16_t SelectLanguage(std::uint16_t requested);
std::uint16_t SelectedLanguage();

// The text of a string number in the selected language; empty when no table has it.
std::string LoadText(int id);

// A locale name ("de-DE", "de_CH.UTF-8", "pt") or a Windows language id ("0x0407") as a
// language id; a name whose region we do not know answers its primary language alone
// (e.g. 0x0007 for "de-LI"), which SelectLanguage resolves. Nothing for what it cannot read.
std::optional<std::uint16_t> ParseLanguage(std::string_view name);

// The desktop's language from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, in that order.
std::uint16_t LanguageFromEnvironment();

}  // namespace rpanel

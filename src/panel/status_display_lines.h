// The text lines of the panel display for a status code, as the page draws them and
// rpanelctl prints them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "panel/status_display_table.h"

namespace rpanel {

// Where the texts come from: a string number's text in the selected language.
using TextLoader = std::function<std::string(int id)>;

// The first limit characters of a UTF-8 text; a character is never split. (A byte that
// continues no character counts with the one before it.)
std::string CutToCharacters(std::string text, std::size_t limit);

// The line as drawn: its text cut to its limit, and for a composed line the space if any and
// the second text cut to kLongTextLimit, appended whole.
std::string BuildDisplayLine(const DisplayLine& line, const TextLoader& load);

// The one or two lines shown for a code; none for a code the table does not know.
std::vector<std::string> StatusDisplayLines(const StatusCode& code, const TextLoader& load);
std::vector<std::string> StatusDisplayLines(const StatusCode& code);

}  // namespace rpanel

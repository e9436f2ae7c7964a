#include "panel/status_display_lines.h"

#include "core/string_table.h"

namespace rpanel {
namespace {

bool ContinuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string CutToCharacters(std::string text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!ContinuesCharacter(text[i]) && characters++ == limit) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::string BuildDisplayLine(const DisplayLine& line, const TextLoader& load) {
    std::string built = CutToCharacters(load(line.text), line.limit);
    if (line.join == Join::Space) {
        built += ' ';
    }
    if (line.join != Join::None) {
        built += CutToCharacters(load(line.joined), kLongTextLimit);
    }
    return built;
}

std::vector<std::string> StatusDisplayLines(const StatusCode& code, const TextLoader& load) {
    std::vector<std::string> lines;
    if (const StatusDisplayEntry* entry = FindStatusDisplay(code)) {
        for (const DisplayLine* line : {&entry->line1, &entry->line2}) {
            if (line->Present()) {
                lines.push_back(BuildDisplayLine(*line, load));
            }
        }
    }
    return lines;
}

std::vector<std::string> StatusDisplayLines(const StatusCode& code) {
    return StatusDisplayLines(code, LoadText);
}

}  // namespace rpanel

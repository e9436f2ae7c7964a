#include "core/string_table.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>

#include "core/embedded_string_tables.h"

namespace rpanel {
namespace {

// The languages the program's resources exist in, with the locale names that select them.
struct LanguageName {
    std::uint16_t language;
    std::string_view tag;
};
constexpr LanguageName kLanguageNames[] = {
    {0x0404, "zh-TW"},        {0x0405, "cs-CZ"}, {0x0407, "de-DE"}, {0x0409, "en-US"},
    {0x040A, "es-ES_tradnl"}, {0x040C, "fr-FR"}, {0x040E, "hu-HU"}, {0x0410, "it-IT"},
    {0x0411, "ja-JP"},        {0x0412, "ko-KR"}, {0x0415, "pl-PL"}, {0x0416, "pt-BR"},
    {0x0419, "ru-RU"},        {0x041B, "sk-SK"}, {0x041F, "tr-TR"}, {0x0422, "uk-UA"},
    {0x0804, "zh-CN"},        {0x0807, "de-CH"}, {0x080A, "es-MX"}, {0x080C, "fr-BE"},
    {0x0810, "it-CH"},        {0x0816, "pt-PT"}, {0x0C07, "de-AT"}, {0x0C0A, "es-ES"},
    {0x100C, "fr-CH"},
};

constexpr std::uint16_t PrimaryLanguage(std::uint16_t language) {
    return language & 0x03FF;
}

// Locale names compare without regard to case, and "_" stands for "-".
bool SameLocaleName(std::string_view a, std::string_view b) {
    auto fold = [](char c) {
        return c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return fold(x) == fold(y); });
}

std::optional<std::string> Unescape(std::string_view quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::nullopt;
    }
    quoted = quoted.substr(1, quoted.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '"') {
            return std::nullopt;  // an unescaped quote inside the text
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == quoted.size()) {
            return std::nullopt;
        }
        switch (quoted[i]) {
            case '"':
                text += '"';
                break;
            case '\\':
                text += '\\';
                break;
            case 't':
                text += '\t';
                break;
            case 'r':
                text += '\r';
                break;
            case 'n':
                text += '\n';
                break;
            default:
                return std::nullopt;
        }
    }
    return text;
}

const EmbeddedStringTable* FindEmbeddedTable(std::uint16_t language) {
    for (std::size_t i = 0; i < kEmbeddedStringTableCount; ++i) {
        if (kEmbeddedStringTables[i].language == language) {
            return &kEmbeddedStringTables[i];
        }
    }
    return nullptr;
}

// Each table is parsed the first time it is asked for, so that the program reads only its own
// language's (and English, should that lack a number). A table that does not parse is a build
// fault that the tests catch; the program then carries on without it.
struct ParsedTables {
    std::mutex mutex;
    std::map<std::uint16_t, std::optional<StringTable>> byLanguage;
};

std::uint16_t g_selected = kEnglishUnitedStates;

}  // namespace

std::optional<StringTable> StringTable::Parse(std::string_view source, std::string* error) {
    StringTable table;
    int lineNumber = 0;
    while (!source.empty()) {
        std::size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        auto fail = [&](const char* why) {
            *error = "line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        };
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab > 9) {
            return fail("expected a number, a tab and a quoted text");
        }
        int id = 0;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9') {
                return fail("the string number is not a decimal number");
            }
            id = id * 10 + (c - '0');
        }
        auto text = Unescape(line.substr(tab + 1));
        if (!text) {
            return fail("the text is not one quoted string");
        }
        if (!table.texts_.emplace(id, std::move(*text)).second) {
            return fail("the string number stands twice");
        }
    }
    return table;
}

const std::string* StringTable::Find(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? nullptr : &it->second;
}

std::vector<int> StringTable::Ids() const {
    std::vector<int> ids;
    for (const auto& [id, text] : texts_) {
        ids.push_back(id);
    }
    return ids;
}

std::vector<std::uint16_t> AvailableLanguages() {
    std::vector<std::uint16_t> languages;
    for (std::size_t i = 0; i < kEmbeddedStringTableCount; ++i) {
        languages.push_back(kEmbeddedStringTables[i].language);
    }
    std::sort(languages.begin(), languages.end());
    return languages;
}

const StringTable* TableForLanguage(std::uint16_t language) {
    static ParsedTables parsed;
    const std::lock_guard lock(parsed.mutex);
    auto [entry, added] = parsed.byLanguage.try_emplace(language);
    if (added) {
        if (const EmbeddedStringTable* embedded = FindEmbeddedTable(language)) {
            std::string_view source(reinterpret_cast<const char*>(embedded->text), embedded->size);
            std::string error;
            entry->second = StringTable::Parse(source, &error);
        }
    }
    return entry->second ? &*entry->second : nullptr;
}

std::uint16_t SelectLanguage(std::uint16_t requested) {
    const std::vector<std::uint16_t> languages = AvailableLanguages();
    if (std::find(languages.begin(), languages.end(), requested) != languages.end()) {
        g_selected = requested;
    } else {
        auto same = std::find_if(languages.begin(), languages.end(), [&](std::uint16_t language) {
            return PrimaryLanguage(language) == PrimaryLanguage(requested);
        });
        g_selected = same != languages.end() ? *same : kEnglishUnitedStates;
    }
    return g_selected;
}

std::uint16_t SelectedLanguage() {
    return g_selected;
}

std::string LoadText(int id) {
    for (std::uint16_t language : {g_selected, kEnglishUnitedStates}) {
        if (const StringTable* table = TableForLanguage(language)) {
            if (const std::string* text = table->Find(id)) {
                return *text;
            }
        }
    }
    return {};
}

std::optional<std::uint16_t> ParseLanguage(std::string_view name) {
    if (name.size() > 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
        std::string digits(name.substr(2));
        char* end = nullptr;
        unsigned long id = std::strtoul(digits.c_str(), &end, 16);
        if (digits.empty() || *end != '\0' || id == 0 || id > 0xFFFF) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(id);
    }
    // "de_CH.UTF-8@euro" -> "de-CH"
    name = name.substr(0, name.find_first_of(".@"));
    std::string tag(name);
    std::replace(tag.begin(), tag.end(), '_', '-');
    if (tag == "C" || tag == "POSIX") {
        return kEnglishUnitedStates;
    }
    std::string_view primary = std::string_view(tag).substr(0, tag.find('-'));
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    if (primary.size() < 2 || primary.size() > 3 ||
        !std::all_of(primary.begin(), primary.end(), isLetter)) {
        return std::nullopt;
    }
    for (const LanguageName& known : kLanguageNames) {
        if (SameLocaleName(known.tag, tag)) {
            return known.language;
        }
    }
    for (const LanguageName& known : kLanguageNames) {
        if (SameLocaleName(known.tag.substr(0, known.tag.find('-')), primary)) {
            return PrimaryLanguage(known.language);
        }
    }
    return kEnglishUnitedStates;  // a language we have no resources in
}

std::uint16_t LanguageFromEnvironment() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        // LANGUAGE is a list of preferences separated by colons.
        std::string_view list(value);
        while (!list.empty()) {
            std::string_view name = list.substr(0, list.find(':'));
            list.remove_prefix(std::min(list.size(), name.size() + 1));
            if (auto language = ParseLanguage(name)) {
                return *language;
            }
        }
    }
    return kEnglishUnitedStates;
}

}  // namespace rpanel

#include "core/string_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "core/message_sink.h"
#include "core/string_ids.h"

namespace rpanel {
namespace {

TEST(StringTable, EnglishHoldsTheMessagesExactly) {
    SelectLanguage(kEnglishUnitedStates);
    EXPECT_EQ(LoadText(msg::kSendFailed), "Send command to F/W is failed");
    EXPECT_EQ(LoadText(msg::kOpenFailed), "Open USB is failed");
    EXPECT_EQ(LoadText(msg::kTestPattern2Printed), "Print Test Pattern 2 OK             ");
    EXPECT_EQ(LoadText(msg::kCalibrationSent), "Send Calibration command to machine successfully");
    EXPECT_EQ(LoadText(99999), "");
}

TEST(StringTable, EveryCompiledTableParses) {
    EXPECT_FALSE(AvailableLanguages().empty());
    for (std::uint16_t language : AvailableLanguages()) {
        ASSERT_NE(TableForLanguage(language), nullptr);
        EXPECT_FALSE(TableForLanguage(language)->Ids().empty());
    }
}

TEST(StringTable, ParsesEscapesAndRejectsMalformedLines) {
    std::string error;
    auto table = StringTable::Parse("# c\n\n7\t\"a \\\"b\\\" \\\\ \\t \"\r\n8\t\"\"\n", &error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(*table->Find(7), "a \"b\" \\ \t ");
    EXPECT_EQ(*table->Find(8), "");
    for (const char* bad :
         {"7 \"a\"", "x\t\"a\"", "7\t\"a", "7\t\"a\\q\"", "7\t\"a\"b\"", "7\t\"a\"\n7\t\"b\""}) {
        EXPECT_FALSE(StringTable::Parse(bad, &error)) << bad;
        EXPECT_NE(error.find("line"), std::string::npos);
    }
}

// The languages the program ships, with a locale name that selects each.
constexpr std::pair<std::uint16_t, const char*> kShippedLanguages[] = {
    {0x0404, "zh_TW"},        {0x0405, "cs_CZ"}, {0x0407, "de_DE"}, {0x0409, "en_US"},
    {0x040A, "es-ES_tradnl"}, {0x040C, "fr_FR"}, {0x040E, "hu_HU"}, {0x0410, "it_IT"},
    {0x0411, "ja_JP"},        {0x0412, "ko_KR"}, {0x0415, "pl_PL"}, {0x0416, "pt_BR"},
    {0x0419, "ru_RU"},        {0x041B, "sk_SK"}, {0x041F, "tr_TR"}, {0x0422, "uk_UA"},
    {0x0804, "zh_CN"},        {0x0807, "de_CH"}, {0x080A, "es_MX"}, {0x080C, "fr_BE"},
    {0x0810, "it_CH"},        {0x0816, "pt_PT"}, {0x0C07, "de_AT"}, {0x0C0A, "es_ES"},
    {0x100C, "fr_CH"},
};

bool EndsWithBlank(const std::string& text) {
    return !text.empty() && text.back() == ' ';
}

TEST(StringTable, EveryLanguageHasEveryEnglishNumberWithAText) {
    const StringTable* english = TableForLanguage(kEnglishUnitedStates);
    ASSERT_NE(english, nullptr);
    std::vector<std::uint16_t> shipped;
    for (const auto& [language, locale] : kShippedLanguages) {
        shipped.push_back(language);
    }
    EXPECT_EQ(AvailableLanguages(), shipped);
    for (int id : kNamedStringIds) {
        EXPECT_NE(english->Find(id), nullptr) << "the code names string " << id;
    }
    for (std::uint16_t language : AvailableLanguages()) {
        const StringTable* table = TableForLanguage(language);
        SCOPED_TRACE(::testing::Message() << "language 0x" << std::hex << language);
        EXPECT_EQ(table->Ids(), english->Ids());
        for (int id : table->Ids()) {
            const std::string& text = *table->Find(id);
            EXPECT_FALSE(text.empty()) << id;
            // Trailing blanks are layout: a translation keeps them where English has them and
            // adds none of its own.
            EXPECT_EQ(EndsWithBlank(text), EndsWithBlank(*english->Find(id))) << id;
        }
    }
}

TEST(Languages, EachShippedLanguageIsPickedFromItsLocale) {
    for (const auto& [language, locale] : kShippedLanguages) {
        EXPECT_EQ(SelectLanguage(*ParseLanguage(locale)), language) << locale;
    }
    EXPECT_EQ(SelectLanguage(*ParseLanguage("de-LI")), 0x0407);
    EXPECT_EQ(SelectLanguage(*ParseLanguage("pt")), 0x0416);
    EXPECT_EQ(SelectLanguage(*ParseLanguage("fr_CA.UTF-8")), 0x040C);
    EXPECT_EQ(SelectLanguage(*ParseLanguage("xx")), kEnglishUnitedStates);
    SelectLanguage(kEnglishUnitedStates);
}

TEST(Languages, ReadsLocaleNamesAndLanguageIds) {
    EXPECT_EQ(ParseLanguage("de-DE"), 0x0407);
    EXPECT_EQ(ParseLanguage("de_CH"), 0x0807);
    EXPECT_EQ(ParseLanguage("de_AT.UTF-8"), 0x0C07);
    EXPECT_EQ(ParseLanguage("fr_CH.utf8@euro"), 0x100C);
    EXPECT_EQ(ParseLanguage("0x0411"), 0x0411);
    EXPECT_EQ(ParseLanguage("de-LI"), 0x0007);  // resolved by its primary language
    EXPECT_EQ(ParseLanguage("pt"), 0x0016);
    EXPECT_EQ(ParseLanguage("C"), kEnglishUnitedStates);
    EXPECT_EQ(ParseLanguage("xx"), kEnglishUnitedStates);
    EXPECT_EQ(ParseLanguage(""), std::nullopt);
    EXPECT_EQ(ParseLanguage("0x"), std::nullopt);
    EXPECT_EQ(ParseLanguage("0x10000"), std::nullopt);
    EXPECT_EQ(ParseLanguage("1"), std::nullopt);
}

TEST(Languages, FallsBackToThePrimaryLanguageThenEnglish) {
    EXPECT_EQ(SelectLanguage(0x0409), 0x0409);
    EXPECT_EQ(SelectLanguage(0x0809), 0x0409);  // English (United Kingdom)
    EXPECT_EQ(SelectLanguage(0x0009), 0x0409);
    EXPECT_EQ(SelectLanguage(0x0436), 0x0409);  // a language we have no table for
    SelectLanguage(kEnglishUnitedStates);
}

TEST(Languages, TakesTheFirstSetVariableOfTheEnvironment) {
    ::setenv("LANGUAGE", "", 1);
    ::setenv("LC_ALL", "", 1);
    ::setenv("LC_MESSAGES", "de_AT.UTF-8", 1);
    ::setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(LanguageFromEnvironment(), 0x0C07);
    ::setenv("LANGUAGE", "1:ja_JP", 1);
    EXPECT_EQ(LanguageFromEnvironment(), 0x0411);
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        ::unsetenv(variable);
    }
    EXPECT_EQ(LanguageFromEnvironment(), kEnglishUnitedStates);
}

}  // namespace
}  // namespace rpanel

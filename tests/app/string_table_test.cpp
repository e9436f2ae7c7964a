#include "app/string_table.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/message_sink.h"

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
    for (const char* bad : {"7 \"a\"", "x\t\"a\"", "7\t\"a", "7\t\"a\\q\"", "7\t\"a\"b\"",
                            "7\t\"a\"\n7\t\"b\""}) {
        EXPECT_FALSE(StringTable::Parse(bad, &error)) << bad;
        EXPECT_NE(error.find("line"), std::string::npos);
    }
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

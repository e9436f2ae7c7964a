#include "panel/status_display_lines.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "panel/status_code.h"
#include "panel/status_display_table.h"

namespace rpanel {
namespace {

using Lines = std::vector<std::string>;
using Expected = std::map<std::string, Lines>;

// The English display of every code, group by group, as the printer's manual lists it.
Expected SingleCodes() {
    return {{"000000", {"READY"}},
            {"000001", {"Receiving"}},
            {"000002", {"Printing"}},
            {"000003", {"Warming Up"}},
            {"000004", {"Image Refresh"}},
            {"001000", {"Energy Save"}},
            {"002000", {"Change Toner"}},
            {"002001", {"P/H Clean Up"}},
            {"002002", {"Eject All Toner"}},
            {"200100", {"TRANSFER JAM", "OPEN TOP COVER"}},
            {"200200", {"FUSER JAM", "OPEN TOP COVER"}},
            {"200300", {"OUTPUT JAM", "OPEN TOP COVER"}},
            {"201000", {"TOP COVER OPEN ", "CLOSE TOP COVER"}},
            {"203001", {"P/U LIFE END", "REPLACE P/U"}},
            {"205000", {"PROCESS ERROR-BELT", "CLEAR BY COVER"}},
            {"205001", {"PROCESS ERROR-IDC", "CLEAR BY COVER"}},
            {"207000", {"OUTPUT TRAY FULL", "REMOVE PAPER"}},
            {"209000", {"MEMORY FULL"}},
            {"301000", {"P/U LOW"}},
            {"303000", {"T/C MEMORY ERROR"}},
            {"304000", {"VIDEO I/F ERROR"}},
            {"305000", {"PROCESS CAUTION-IDC"}},
            {"307000", {"P/U END"}}};
}

std::string TwoDigits(int n) {
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

// Codes 100000 to 100023 without 100005.
Expected ServiceCalls() {
    const char* calls[] = {"0001", "001B", "004C", "004E", "0092", "0094", "0300", "0310",
                           "0500", "0502", "0503", "0510", "0520", "0F51", "13C0", "13DD",
                           "13F0", "3C00", "3C10", "13E2", "1038", "3FFF", "3C40"};
    Expected expected;
    int number = 0;
    for (const char* call : calls) {
        number += number == 5;
        expected["1000" + TwoDigits(number++)] = {"MACHINE TROUBLE",
                                                  std::string("SERVICE CALL(") + call + ")"};
    }
    return expected;
}

Expected PaperSizes() {
    const char* sizes[] = {"(LETTER)",       "(A4)",
                           "(16K)",          "(A5)",
                           "(B5(ISO))",      "(STATEMENT)",
                           "(UK QUARTO)",    "(B5)",
                           "(KAI 16)",       "(G LETTER)",
                           "(EXECUTIVE)",    "(DL)",
                           "(C6)",           "(POSTCARD)",
                           "(KAI 32)",       "(LEGAL)",
                           "(LETTER PLUS)",  "(FOLIO)",
                           "(FOOLSCAP)",     "(G LEGAL)",
                           "(OFICIO)",       "(CUSTOM(Plain))",
                           "(CUSTOM(Thick))"};
    Expected expected;
    for (int nn = 0; nn < 23; ++nn) {
        expected["2000" + TwoDigits(nn)] = {"CHECK TRAY PAPER",
                                            std::string("LOAD PAPER") + sizes[nn]};
        expected["2060" + TwoDigits(nn)] = {"PAPER SIZE ERROR",
                                            std::string("RESET PAPER") + sizes[nn]};
    }
    return expected;
}

// The colour sets named from their bits, so that the letters are checked and not copied.
Expected TonerColourSets() {
    Expected expected;
    for (int h = 1; h <= 15; ++h) {
        std::string set;
        for (const auto& [bit, letter] : {std::pair{1, 'Y'}, {2, 'M'}, {4, 'C'}, {8, 'K'}}) {
            if (h & bit) {
                set += letter;
            }
        }
        const std::string check = "CHECK " + set + " TONER";
        const std::string change = "CHANGE " + set + " TONER" + (set.size() == 1 ? " " : "");
        const std::string nonGenuine = "NON GENUINE TONER " + set;
        const std::string digits{'0', "0123456789ABCDEF"[h]};
        expected["2020" + digits] = {"NOT INSTALLED TONER", check};
        expected["2040" + digits] = {"TONER OUT", change};
        expected["2100" + digits] = {"TONER LIFE END", change};
        expected["2110" + digits] = {"WRONG TONER", check};
        expected["3000" + digits] = {"TONER OUT " + set};
        expected["3020" + digits] = {"TONER LOW " + set};
        expected["3030" + digits] = {"WRONG TONER " + set};
        expected["3080" + digits] = {nonGenuine, "PRESS CLEAR KEY TO CONTINUE"};
        expected["3090" + digits] = {nonGenuine};
    }
    return expected;
}

TEST(StatusDisplayLines, ShowEveryCodeOfEveryGroupInEnglish) {
    SelectLanguage(kEnglishUnitedStates);
    const std::pair<Expected, std::size_t> groups[] = {
        {SingleCodes(), 23}, {ServiceCalls(), 23}, {PaperSizes(), 46}, {TonerColourSets(), 135}};
    std::set<std::string> codes;
    for (const auto& [expected, size] : groups) {
        EXPECT_EQ(expected.size(), size);
        for (const auto& [code, lines] : expected) {
            EXPECT_EQ(StatusDisplayLines(ToStatusCode(code)), lines) << "code " << code;
            codes.insert(code);
        }
    }
    // And the table holds no other code.
    std::set<std::string> table;
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        table.emplace(entry.code.begin(), entry.code.end());
        EXPECT_EQ(FindStatusDisplay(entry.code), &entry);
    }
    EXPECT_EQ(table.size(), kStatusDisplayEntryCount);
    EXPECT_EQ(table, codes);
}

TEST(StatusDisplayLines, NearMissesShowNothing) {
    const StatusCode nearMisses[] = {
        ToStatusCode("100005"),  // no such service call
        ToStatusCode("200023"),  // past the last paper size
        ToStatusCode("202000"),  // a toner family has no empty colour set
        ToStatusCode("20200f"),  // the colour digit is a capital
        ToStatusCode("3030F0"),
        ToStatusCode(""),       // an empty entry
        ToStatusCode("20400"),  // a short entry, NUL-padded
        StatusCode{'0', '0', '0', '\0', '0', '0'},
        ToStatusCode("\xB0\x30\x30\x30\x30\x30"),  // a byte above 0x7F, then "00000"
    };
    for (const StatusCode& code : nearMisses) {
        EXPECT_EQ(FindStatusDisplay(code), nullptr) << std::string(code.begin(), code.end());
        EXPECT_TRUE(StatusDisplayLines(code).empty());
    }
}

TEST(StatusDisplayLines, CutEachTextTo31Or59CharactersAndKeepComposedLinesWhole) {
    // Every text 70 characters long, so that each cut shows. Line 1 of these is cut to 31
    // characters, every other single text to 59; a composed line is 31 characters, the space
    // if any, and 59 characters.
    const auto seventy = [](int id) { return std::string(70, static_cast<char>('a' + id % 26)); };
    const std::set<std::string> shortLine1 = {"002000", "002001", "002002", "2100", "2110",
                                              "3000",   "3020",   "3080",   "3090"};
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        const std::string code(entry.code.begin(), entry.code.end());
        const std::string family = code.substr(0, 4);
        const Lines lines = StatusDisplayLines(entry.code, seventy);
        ASSERT_FALSE(lines.empty()) << code;
        std::size_t line1 = 59;
        if (shortLine1.count(code) || shortLine1.count(family)) {
            line1 = 31;
        } else if (family == "3030" && code != "303000") {  // 303000 is a single code
            line1 = 31 + 1 + 59;
        }
        EXPECT_EQ(lines[0].size(), line1) << code;
        if (lines.size() == 2) {
            const bool paperSize = family == "2000" || family == "2060";
            EXPECT_EQ(lines[1].size(), paperSize ? 31u + 59u : 59u) << code;
        }
    }
}

TEST(CutToCharacters, CountsCharactersNotBytesAndNeverSplitsOne) {
    const struct {
        std::string text;
        std::size_t limit;
        std::string cut;
    } cases[] = {
        {"abcdef", 3, "abc"},
        {"abc", 3, "abc"},
        {"abc", 0, ""},
        {"\xC3\xA9\xC3\xA9\xC3\xA9", 2, "\xC3\xA9\xC3\xA9"},
        {"\xE3\x83\x88\xE3\x83\x8A\xE3\x83\xBC", 2, "\xE3\x83\x88\xE3\x83\x8A"},
        {"a\xF0\x9F\x96\xA8!", 2, "a\xF0\x9F\x96\xA8"},
        {"ab\x80\x80!", 2, "ab\x80\x80"},  // stray continuation bytes go with "b"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutToCharacters(c.text, c.limit), c.cut) << c.text << " to " << c.limit;
    }
}

}  // namespace
}  // namespace rpanel

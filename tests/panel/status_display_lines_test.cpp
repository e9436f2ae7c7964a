#include "panel/status_display_lines.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/string_table.h"
#include "panel/status_code.h"
#include "panel/status_display_table.h"

namespace rpanel {
namespace {

using Lines = std::vector<std::string>;

std::string TwoDigits(int n) {
    return std::string(n < 10, '0') + std::to_string(n);
}

// The English display of every code, as the printer's manual lists it: the codes with texts of
// their own one by one, each family built from its list of suffixes.
std::map<std::string, Lines> EveryCode() {
    // clang-format off
    std::map<std::string, Lines> expected = {
        {"000000", {"READY"}}, {"000001", {"Receiving"}}, {"000002", {"Printing"}},
        {"000003", {"Warming Up"}}, {"000004", {"Image Refresh"}}, {"001000", {"Energy Save"}},
        {"002000", {"Change Toner"}}, {"002001", {"P/H Clean Up"}}, {"209000", {"MEMORY FULL"}},
        {"002002", {"Eject All Toner"}}, {"301000", {"P/U LOW"}}, {"307000", {"P/U END"}},
        {"303000", {"T/C MEMORY ERROR"}}, {"304000", {"VIDEO I/F ERROR"}},
        {"305000", {"PROCESS CAUTION-IDC"}}, {"201000", {"TOP COVER OPEN ", "CLOSE TOP COVER"}},
        {"200100", {"TRANSFER JAM", "OPEN TOP COVER"}}, {"200200", {"FUSER JAM", "OPEN TOP COVER"}},
        {"200300", {"OUTPUT JAM", "OPEN TOP COVER"}}, {"203001", {"P/U LIFE END", "REPLACE P/U"}},
        {"205000", {"PROCESS ERROR-BELT", "CLEAR BY COVER"}},
        {"205001", {"PROCESS ERROR-IDC", "CLEAR BY COVER"}},
        {"207000", {"OUTPUT TRAY FULL", "REMOVE PAPER"}}};
    // 100000 to 100023 without 100005.
    const char* calls[] = {"0001", "001B", "004C", "004E", "0092", "0094", "0300", "0310",
                           "0500", "0502", "0503", "0510", "0520", "0F51", "13C0", "13DD",
                           "13F0", "3C00", "3C10", "13E2", "1038", "3FFF", "3C40"};
    const char* sizes[] = {"LETTER", "A4", "16K", "A5", "B5(ISO)", "STATEMENT", "UK QUARTO", "B5",
                           "KAI 16", "G LETTER", "EXECUTIVE", "DL", "C6", "POSTCARD", "KAI 32",
                           "LEGAL", "LETTER PLUS", "FOLIO", "FOOLSCAP", "G LEGAL", "OFICIO",
                           "CUSTOM(Plain)", "CUSTOM(Thick)"};
    // clang-format on
    for (int nn = 0, number = 0; nn < 23; ++nn, ++number) {
        number += number == 5;
        expected["1000" + TwoDigits(number)] = {"MACHINE TROUBLE",
                                                "SERVICE CALL(" + std::string(calls[nn]) + ")"};
        const std::string size = "(" + std::string(sizes[nn]) + ")";
        expected["2000" + TwoDigits(nn)] = {"CHECK TRAY PAPER", "LOAD PAPER" + size};
        expected["2060" + TwoDigits(nn)] = {"PAPER SIZE ERROR", "RESET PAPER" + size};
    }
    // The toner families: the colour set is named from the digit's bits, so that the letters
    // are checked and not copied.
    for (int h = 1; h <= 15; ++h) {
        std::string set;
        for (const auto& [bit, letter] : {std::pair{1, 'Y'}, {2, 'M'}, {4, 'C'}, {8, 'K'}}) {
            set += (h & bit) ? std::string(1, letter) : "";
        }
        const std::string check = "CHECK " + set + " TONER";
        const std::string change = "CHANGE " + set + " TONER" + (set.size() == 1 ? " " : "");
        const auto code = [h](std::string family) { return family + "0123456789ABCDEF"[h]; };
        expected[code("20200")] = {"NOT INSTALLED TONER", check};
        expected[code("20400")] = {"TONER OUT", change};
        expected[code("21000")] = {"TONER LIFE END", change};
        expected[code("21100")] = {"WRONG TONER", check};
        expected[code("30000")] = {"TONER OUT " + set};
        expected[code("30200")] = {"TONER LOW " + set};
        expected[code("30300")] = {"WRONG TONER " + set};
        expected[code("30800")] = {"NON GENUINE TONER " + set, "PRESS CLEAR KEY TO CONTINUE"};
        expected[code("30900")] = {"NON GENUINE TONER " + set};
    }
    return expected;
}

TEST(StatusDisplayLines, ShowEveryCodeOfEveryGroupInEnglish) {
    SelectLanguage(kEnglishUnitedStates);
    const auto expected = EveryCode();
    std::set<std::string> codes;
    for (const auto& [code, lines] : expected) {
        EXPECT_EQ(StatusDisplayLines(ToStatusCode(code)), lines) << "code " << code;
        codes.insert(code);
    }
    // And the table holds no other code.
    std::set<std::string> table;
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        table.emplace(entry.code.begin(), entry.code.end());
    }
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
        EXPECT_TRUE(StatusDisplayLines(code).empty()) << std::string(code.begin(), code.end());
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

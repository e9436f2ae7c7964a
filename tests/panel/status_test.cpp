// The status list: decoding the printer's reply, walking the list tick by tick, the lines the
// display shows for each code, and what a watch round makes of the replies. Request 9 itself,
// the timer and the failed read are driven through the page's "Status" button
// (panel_page_test.cpp).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <thread>

#include "core/string_table.h"
#include "link/printer_command.h"
#include "panel/printer_watch.h"
#include "panel/status_code.h"
#include "panel/status_display_lines.h"
#include "panel/status_display_table.h"
#include "panel/status_read.h"
#include "panel/status_rotation.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using namespace std::string_literals;
using Texts = std::vector<std::string>;

// Every reply is decoded over a list of three codes, which it replaces whole.
TEST(ParseStatusReply, DecodesTheEntriesAndReplacesThePreviousList) {
    const std::string letters(1021, 'A');
    const std::pair<std::string, Texts> cases[] = {
        // clang-format off
        {"X=200000,302001\r\n", {"200000", "302001"}},
        {"@PJL INFO STATUS\r\nCODE=000000,204008\r\n", {"000000", "204008"}},  // the real header
        {"X=000000,204008", {"000000"}},                 // an unclosed code is dropped
        {"X=000000,\r\n", {"000000", "\0\0\0\0\0\0"s}},  // a comma before the line end
        {"=000000\r\n", {}},                             // no name before the separator
        {"000000\r\n", {}}, {"", {}},
        {"X=000000,=200000\r\n", {"000000"}},  // text after a second separator
        {"X=000000=200000\r\n", {}},
        {"X===000000\r\n", {"000000"}},                        // a run of separators counts as one
        {"X=" + letters.substr(0, 900) + "\r\n", {"AAAAAA"}},  // a long item keeps six
        {"X=2,20,\r\n", {"2\0\0\0\0\0"s, "20\0\0\0\0"s, "\0\0\0\0\0\0"s}},
        {"X=20200f\r\n", {"20200f"}},  // lower case kept as sent, and bytes above 0x7F
        {"X=\xC3\xA9\xFF\x80\x41\x42\r\n", {"\xC3\xA9\xFF\x80\x41\x42"}},
        {"X=000000,\0,204008,\r\n"s, {"000000"}},  // the text stops at its first NUL
        // CR LF closes the line; a bare LF or CR ends a code too, a blank line is an empty entry.
        {"X=000000\n204008\r204009\r\n\r\n", {"000000", "204008", "204009", "\0\0\0\0\0\0"s}},
        // 1023 characters are read: a comma as the 1023rd closes the item, as the 1024th not.
        {"X=" + letters.substr(0, 1020) + ",", {"AAAAAA"}},
        {"X=" + letters + ",", {}}, {"X=" + letters, {}},
        {"X=" + std::string(400, ','), Texts(170, "\0\0\0\0\0\0"s)},  // the first 170 are kept
        // clang-format on
    };
    for (const auto& [reply, expected] : cases) {
        AppState state;
        ParseStatusReply(state, "X=100000,200000,300000\r\n");
        ParseStatusReply(state, reply);
        Texts entries;
        for (const StatusCode& entry : state.statusCodes.entries) {
            entries.emplace_back(entry.begin(), entry.end());
        }
        Texts padded = expected;  // the entries past the list are cleared
        padded.resize(kMaxStatusCodes, "\0\0\0\0\0\0"s);
        EXPECT_EQ(entries, padded) << reply;
        EXPECT_EQ(state.statusCount, expected.size()) << reply;
        EXPECT_EQ(state.statusCodes.unused, decltype(state.statusCodes.unused){}) << reply;
    }
}

TEST(TakeStatusForTick, WalksTheListAndWrapsAround) {
    // count, index, the entries shown by successive ticks, the index after them
    const std::tuple<std::uint32_t, std::uint32_t, std::vector<std::uint32_t>, std::uint32_t>
        cases[] = {
            // clang-format off
            {3, 0, {0, 1, 2, 0, 1, 2, 0}, 1}, {1, 0, {0, 0, 0}, 1},
            {2, 2, {0}, 1},  // a read left the index past a shorter list
            {2, 7, {0, 1}, 2},
            {0, 0, {0, 0, 0}, 1},  // an empty list: its blank first entry; the index stays 0 or 1
            {170, 169, {169, 0}, 1},
            {1000, 170, {0}, 1},  // a count past the list never reads past it
            // clang-format on
        };
    for (const auto& [count, index, expected, indexAfter] : cases) {
        AppState state;
        for (std::uint32_t i = 0; i < count && i < kMaxStatusCodes; ++i) {
            state.statusCodes.entries[i] = ToStatusCode(std::to_string(i));
        }
        state.statusCount = count;
        state.statusIndex = index;
        std::vector<std::uint32_t> shown;
        for (std::size_t tick = 0; tick < expected.size(); ++tick) {
            const std::string code(CodeText(TakeStatusForTick(state)));
            shown.push_back(code.empty() ? 0 : std::stoul(code));
            EXPECT_LE(state.statusIndex, std::max<std::uint32_t>(count, 1));
        }
        EXPECT_EQ(shown, expected) << "count " << count << ", index " << index;
        EXPECT_EQ(state.statusIndex, indexAfter) << "count " << count;
    }
}

// The English display of every code, as the printer's manual lists it: the codes with texts of
// their own one by one, each family built from its list of suffixes.
std::map<std::string, Texts> EveryCode() {
    // clang-format off
    std::map<std::string, Texts> expected = {
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
    const Texts calls = {"0001", "001B", "004C", "004E", "0092", "0094", "0300", "0310", "0500",
        "0502", "0503", "0510", "0520", "0F51", "13C0", "13DD", "13F0", "3C00", "3C10", "13E2",
        "1038", "3FFF", "3C40"};
    const Texts sizes = {"LETTER", "A4", "16K", "A5", "B5(ISO)", "STATEMENT", "UK QUARTO", "B5",
        "KAI 16", "G LETTER", "EXECUTIVE", "DL", "C6", "POSTCARD", "KAI 32", "LEGAL", "LETTER PLUS",
        "FOLIO", "FOOLSCAP", "G LEGAL", "OFICIO", "CUSTOM(Plain)", "CUSTOM(Thick)"};
    // The toner families, the colour set of each digit 1 to F as its bits 1 2 4 8 name it.
    const Texts sets = {"Y", "M", "YM", "C", "YC", "MC", "YMC", "K", "YK", "MK", "YMK", "CK",
        "YCK", "MCK", "YMCK"};
    // clang-format on
    for (int nn = 0, number = 0; nn < 23; ++nn, ++number) {
        number += number == 5;
        const std::string call = std::to_string(100 + number).substr(1);
        expected["1000" + call] = {"MACHINE TROUBLE", "SERVICE CALL(" + calls[nn] + ")"};
        const std::string suffix = std::to_string(100 + nn).substr(1);
        expected["2000" + suffix] = {"CHECK TRAY PAPER", "LOAD PAPER(" + sizes[nn] + ")"};
        expected["2060" + suffix] = {"PAPER SIZE ERROR", "RESET PAPER(" + sizes[nn] + ")"};
    }
    for (int h = 1; h <= 15; ++h) {
        const std::string& set = sets[h - 1];
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

// Every code of every group in English, nothing for a near miss; and with every text 70
// characters long, each cut: line 1 of the codes below to 31 characters, every other single
// text to 59, a composed line to 31 characters, the space if any, and 59 characters.
TEST(StatusDisplayLines, ShowEveryCodeAndCutEachTextTo31Or59Characters) {
    SelectLanguage(kEnglishUnitedStates);
    std::map<std::string, Texts> every = EveryCode();
    for (const auto& [code, lines] : every) {
        EXPECT_EQ(StatusDisplayLines(ToStatusCode(code)), lines) << "code " << code;
    }
    // No service call 5, past the last paper size, a toner family without colours, a capital
    // colour digit, an empty entry, a short one (NUL-padded), a NUL inside, a byte above 0x7F.
    for (const std::string& miss : {"100005"s, "200023"s, "202000"s, "20200f"s, "3030F0"s, ""s,
                                    "20400"s, "000\00000"s, "\26000000"s}) {
        EXPECT_TRUE(StatusDisplayLines(ToStatusCode(miss)).empty()) << miss;
    }
    const auto seventy = [](int id) { return std::string(70, static_cast<char>('a' + id % 26)); };
    const std::set<std::string> shortLine1 = {"002000", "002001", "002002", "2100", "2110",
                                              "3000",   "3020",   "3080",   "3090"};
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        const std::string code(entry.code.begin(), entry.code.end());
        const std::string family = code.substr(0, 4);
        EXPECT_EQ(every.erase(code), 1u) << code << ": a code the table holds twice or no other";
        const Texts lines = StatusDisplayLines(entry.code, seventy);
        ASSERT_FALSE(lines.empty()) << code;
        const bool composed = family == "3030" && code != "303000";  // 303000 is a single code
        const bool shortOne = shortLine1.count(code) + shortLine1.count(family);
        EXPECT_EQ(lines[0].size(), shortOne ? 31u : composed ? 31u + 1 + 59 : 59u) << code;
        if (lines.size() == 2) {
            const bool paperSize = family == "2000" || family == "2060";
            EXPECT_EQ(lines[1].size(), paperSize ? 31u + 59u : 59u) << code;
        }
    }
    EXPECT_TRUE(every.empty()) << "codes missing from the table";
}

TEST(CutToCharacters, CountsCharactersNotBytesAndNeverSplitsOne) {
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        // clang-format off
        {"abcdef", 3, "abc"}, {"abc", 3, "abc"}, {"abc", 0, ""},
        {"\xC3\xA9\xC3\xA9\xC3\xA9", 2, "\xC3\xA9\xC3\xA9"},
        {"\xE3\x83\x88\xE3\x83\x8A\xE3\x83\xBC", 2, "\xE3\x83\x88\xE3\x83\x8A"},
        {"a\xF0\x9F\x96\xA8!", 2, "a\xF0\x9F\x96\xA8"},
        {"ab\x80\x80!", 2, "ab\x80\x80"},  // stray continuation bytes go with "b"
        // clang-format on
    };
    for (const auto& [text, limit, cut] : cases) {
        EXPECT_EQ(CutToCharacters(text, limit), cut) << text << " to " << limit;
    }
}

using Supplies = std::array<int, kSupplyCount>;
constexpr int kUnknown = kSupplyUnknown;
constexpr Supplies kNoSupplies = {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown};

// The state is that of the most severe code; supplies are taken only as percents from 0 to 100.
TEST(PrinterWatch, ReadsTheStateAndTheSuppliesFromTheReplies) {
    using enum WatchState;
    const std::tuple<std::string, std::string, WatchState, std::string, Supplies> cases[] = {
        // clang-format off
        {"X=000000\r\n", "@PJL INFO CONFIGTONER\r\nCONSUMETCREMAINC=78\r\nCONSUMETCREMAINM=64\r\n"
         "CONSUMETCREMAINY=9\r\nCONSUMETCREMAINK=0\r\nCONSUMEICREMAIN=100\r\n",
         Ready, "000000", {78, 64, 9, 0, 100}},
        {"X=001000,000002\r\n", "CONSUMETCREMAINC=101\r\nCONSUMETCREMAINM=-1\r\n"
         "CONSUMETCREMAINY=7x\r\nCONSUMETCREMAINK=\r\nCONSUMEICREMAIN= 5\r\n",
         Ready, "001000", kNoSupplies},
        // A bare LF ends a line too; a NUL ends the reply; lower case is another key.
        {"X=000000,302008\r\n",
         "CONSUMETCREMAINC=1\nconsumetcremainm=2\nCONSUMETCREMAINK=3\0CONSUMEICREMAIN=4\r\n"s,
         Warning, "302008", {1, kUnknown, kUnknown, 3, kUnknown}},
        {"X=302008,204008,302001\r\n", "", Error, "204008", kNoSupplies},
        {"X=200100,100003\r\n", "", Error, "100003", kNoSupplies},  // a service call outranks
        {"X=999999\r\n", "", Ready, "999999", kNoSupplies},         // unknown: information
        {"X=\r\n", "", Ready, "", kNoSupplies},
        // clang-format on
    };
    for (const auto& [status, supplies, state, mostSevere, percents] : cases) {
        const WatchReading reading = ReadingFromReplies(status, supplies);
        EXPECT_EQ(reading.state, state) << status;
        const auto code = MostSevereCode(reading.codes);
        EXPECT_EQ(code ? std::string(CodeText(*code)) : "", mostSevere) << status;
        EXPECT_EQ(reading.supplies, percents) << supplies;
    }
}

TEST(PrinterWatch, EachNewWarningErrorOrServiceCallIsAnAlertOnce) {
    const WatchReading low = ReadingFromReplies("X=000000,302008\r\n", "");
    const WatchReading out = ReadingFromReplies("X=204008,302008,204008,001000\r\n", "");
    EXPECT_EQ(CompareReadings(std::nullopt, low).newAlerts, std::vector{ToStatusCode("302008")});
    EXPECT_TRUE(CompareReadings(std::nullopt, low).any);
    EXPECT_FALSE(CompareReadings(low, low).any);
    EXPECT_EQ(CompareReadings(low, out).newAlerts, std::vector{ToStatusCode("204008")});
    EXPECT_TRUE(CompareReadings(out, low).newAlerts.empty());
    WatchReading fuller = low;
    fuller.supplies[3] = 40;
    EXPECT_TRUE(CompareReadings(low, fuller).any) << "a supply level is a change";
}

using PrinterWatchOnLink = test::SimTest;

TEST_F(PrinterWatchOnLink, ARoundReadsStatusAndSuppliesOffTheTraceAndNeverInsideACommand) {
    printer.SetStatusCodes({"302008"});
    const auto reading = ReadPrinterWatch(FrameKind::Round);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->state, WatchState::Warning);
    EXPECT_EQ(reading->supplies, (Supplies{78, 64, 9, 0, 83}));
    EXPECT_EQ(printer.RequestsAnswered(), 2);
    EXPECT_TRUE(sent.empty()) << "a round writes nothing to the command trace";

    printer.SetPresent(false);
    EXPECT_EQ(ReadPrinterWatch(FrameKind::Round)->state, WatchState::NotConnected);
    printer.SetPresent(true);
    printer.HangAfter(2);
    EXPECT_EQ(ReadPrinterWatch(FrameKind::Command)->state, WatchState::Unknown);
    EXPECT_EQ(sim.Timeouts(), 1) << "the supplies read was not sent after the status timed out";
    EXPECT_EQ(sent.size(), 1u) << "a command frame is traced";

    // No round while a command holds the link.
    printer.HangAfter(-1);
    std::optional<std::optional<WatchReading>> during;
    RunPrinterCommand(messages, [&] {
        // Nested on the same thread, as the tray menu can be while a message box is up: the
        // command frame owns the link, so a round started now would be from another thread.
        during = ReadPrinterWatch(FrameKind::Command);
    });
    EXPECT_TRUE(during && *during)
        << "a frame nested on the holding thread does not wait for itself";
    std::optional<WatchReading> fromWorker = WatchReading{};
    RunPrinterCommand(messages, [&] {
        std::thread worker([&] { fromWorker = ReadPrinterWatch(FrameKind::Round); });
        worker.join();
    });
    EXPECT_FALSE(fromWorker) << "the round was skipped rather than run inside the command";
}

}  // namespace
}  // namespace rpanel

// Decoding the status reply and walking the status list. Request 9 itself, the timer and the
// failed read are driven through the page's "Status" button (panel_page_test.cpp).
#include "panel/status_read.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/status_code.h"
#include "panel/status_rotation.h"

namespace rpanel {
namespace {

using namespace std::string_literals;
using Entries = std::vector<std::string>;

Entries EntriesOf(const AppState& state) {
    Entries entries;
    for (std::uint32_t i = 0; i < state.statusCount; ++i) {
        entries.emplace_back(state.statusCodes.entries[i].begin(),
                             state.statusCodes.entries[i].end());
    }
    return entries;
}

// An entry as stored: six bytes, NUL-padded.
std::string Stored(const std::string& code) {
    return code + std::string(6 - code.size(), '\0');
}

TEST(ParseStatusReply, DecodesTheEntries) {
    const std::string letters(1021, 'A');
    const struct {
        const char* name;
        std::string reply;
        Entries entries;  // as stored
    } cases[] = {
        {"one code", "X=000000\r\n", {"000000"}},
        {"two codes in order", "X=200000,302001\r\n", {"200000", "302001"}},
        {"the printer's header line as name",
         "@PJL INFO STATUS\r\nCODE=000000,204008\r\n",
         {"000000", "204008"}},
        {"an unclosed code is dropped", "X=000000", {}},
        {"an unclosed last code is dropped", "X=000000,204008", {"000000"}},
        {"a comma before the line end", "X=000000,\r\n", {"000000", Stored("")}},
        {"no name before the separator", "=000000\r\n", {}},
        {"no separator", "000000\r\n", {}},
        {"an empty reply", "", {}},
        {"text after a second separator", "X=000000,=200000\r\n", {"000000"}},
        {"a list cut by a second separator", "X=000000=200000\r\n", {}},
        {"a run of separators counts as one", "X===000000\r\n", {"000000"}},
        {"a long item keeps six characters", "X=2000001\r\n", {"200000"}},
        {"a very long item too", "X=" + letters.substr(0, 900) + "\r\n", {"AAAAAA"}},
        {"short items are padded", "X=2,20,\r\n", {Stored("2"), Stored("20"), Stored("")}},
        {"lower case is kept as sent", "X=20200f\r\n", {"20200f"}},
        {"bytes above 0x7F are kept",
         "X=\xC3\xA9\xFF\x80\x41\x42\r\n",
         {"\xC3\xA9\xFF\x80\x41\x42"}},
        {"the text stops at its first NUL", "X=000000,\0,204008,\r\n"s, {"000000"}},
        // The printer closes its one line with CR LF; a bare LF or CR ends a code too, and a
        // blank line is an empty entry.
        {"other line ends",
         "X=000000\n204008\r204009\r\n\r\n",
         {"000000", "204008", "204009", Stored("")}},
        // 1023 characters are read: a comma as the 1023rd closes the item, as the 1024th not.
        {"a comma as the last character read", "X=" + letters.substr(0, 1020) + ",", {"AAAAAA"}},
        {"a comma past the last character read", "X=" + letters + ",", {}},
        {"no delimiter in 1023 characters", "X=" + letters, {}},
    };
    for (const auto& c : cases) {
        AppState state;
        ParseStatusReply(state, c.reply);
        EXPECT_EQ(EntriesOf(state), c.entries) << c.name;
    }
}

TEST(ParseStatusReply, KeepsTheFirst170ItemsAndNothingPastTheList) {
    std::string reply = "X=";
    for (int i = 0; i < 400; ++i) {
        reply += "1,";
    }
    AppState state;
    ParseStatusReply(state, reply);
    EXPECT_EQ(state.statusCount, kMaxStatusCodes);
    EXPECT_EQ(state.statusCodes.entries.back(), ToStatusCode("1"));
    EXPECT_EQ(state.statusCodes.unused, decltype(state.statusCodes.unused){});
}

// An empty list shows its blank first entry: nothing of the previous list may stay there.
TEST(ParseStatusReply, ReplacesTheWholePreviousList) {
    AppState state;
    ParseStatusReply(state, "X=100000,200000,300000\r\n");
    ParseStatusReply(state, "X=000000\r\n");
    EXPECT_EQ(EntriesOf(state), Entries{"000000"});
    ParseStatusReply(state, "no list");
    EXPECT_EQ(state.statusCount, 0u);
    EXPECT_EQ(state.statusCodes.entries[0], StatusCode{});
}

TEST(TakeStatusForTick, WalksTheListAndWrapsAround) {
    const struct {
        std::uint32_t count;
        std::uint32_t index;
        std::vector<std::uint32_t> shown;  // entries shown by successive ticks
        std::uint32_t indexAfter;
    } cases[] = {
        {3, 0, {0, 1, 2, 0, 1, 2, 0}, 1},
        {1, 0, {0, 0, 0}, 1},
        {2, 2, {0}, 1},  // a read left the index past a shorter list
        {2, 7, {0, 1}, 2},
        {0, 0, {0, 0, 0}, 1},  // an empty list: the blank first entry, the index never passes 1
        {kMaxStatusCodes, kMaxStatusCodes - 1, {kMaxStatusCodes - 1, 0}, 1},
        {1000, kMaxStatusCodes, {0}, 1},  // a count past the list never reads past it
    };
    for (const auto& c : cases) {
        AppState state;
        for (std::uint32_t i = 0; i < kMaxStatusCodes; ++i) {
            state.statusCodes.entries[i] = ToStatusCode(i < c.count ? std::to_string(i) : "");
        }
        state.statusCount = c.count;
        state.statusIndex = c.index;
        std::vector<std::uint32_t> shown;
        for (std::size_t tick = 0; tick < c.shown.size(); ++tick) {
            const std::string code(CodeText(TakeStatusForTick(state)));
            shown.push_back(code.empty() ? 0 : std::stoul(code));
            EXPECT_LE(state.statusIndex, std::max<std::uint32_t>(c.count, 1));
        }
        EXPECT_EQ(shown, c.shown) << "count " << c.count << ", index " << c.index;
        EXPECT_EQ(state.statusIndex, c.indexAfter) << "count " << c.count;
    }
}

}  // namespace
}  // namespace rpanel

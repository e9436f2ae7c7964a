#include "panel/status_read.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "panel/status_code.h"
#include "panel/status_rotation.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::SimTest;
using namespace std::string_literals;

std::vector<std::string> Entries(const AppState& state) {
    std::vector<std::string> entries;
    for (std::uint32_t i = 0; i < state.statusCount; ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        entries.emplace_back(code.begin(), code.end());
    }
    return entries;
}

// An entry as stored: six bytes, NUL-padded.
std::string Stored(const std::string& code) {
    return code + std::string(6 - code.size(), '\0');
}

struct ReplyCase {
    const char* name;
    std::string reply;
    std::vector<std::string> entries;  // as stored
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseStatusReplyCases : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(ParseStatusReplyCases, DecodesTheEntries) {
    AppState state;
    ParseStatusReply(state, GetParam().reply);
    EXPECT_EQ(Entries(state), GetParam().entries);
}

const std::string kLetters1021(1021, 'A');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Replies, ParseStatusReplyCases, ::testing::Values(
    ReplyCase{"OneCode", "X=000000\r\n", {"000000"}},
    ReplyCase{"TwoCodesInOrder", "X=200000,302001\r\n", {"200000", "302001"}},
    ReplyCase{"PrinterHeaderLineAsName", "@PJL INFO STATUS\r\nCODE=000000,204008\r\n",
              {"000000", "204008"}},
    ReplyCase{"UnclosedCodeIsDropped", "X=000000", {}},
    ReplyCase{"UnclosedLastCodeIsDropped", "X=000000,204008", {"000000"}},
    ReplyCase{"CommaBeforeLineEndGivesAnEmptyEntry", "X=000000,\r\n", {"000000", Stored("")}},
    ReplyCase{"NoNameBeforeTheSeparator", "=000000\r\n", {}},
    ReplyCase{"NoSeparator", "000000\r\n", {}},
    ReplyCase{"EmptyReply", "", {}},
    ReplyCase{"TextAfterASecondSeparatorIsIgnored", "X=000000,=200000\r\n", {"000000"}},
    ReplyCase{"ListCutBySecondSeparatorIsUnclosed", "X=000000=200000\r\n", {}},
    ReplyCase{"RunOfSeparatorsCountsAsOne", "X===000000\r\n", {"000000"}},
    ReplyCase{"ManySeparators", "X=1,=2,=3,=4,\r\n", {Stored("1")}},
    ReplyCase{"LongItemKeepsSixCharacters", "X=2000001\r\n", {"200000"}},
    ReplyCase{"VeryLongItemKeepsSixCharacters", "X=" + kLetters1021.substr(0, 900) + "\r\n",
              {"AAAAAA"}},
    ReplyCase{"ShortItemsArePadded", "X=2,20,\r\n", {Stored("2"), Stored("20"), Stored("")}},
    ReplyCase{"LowerCaseIsKeptAsSent", "X=20200f\r\n", {"20200f"}},
    ReplyCase{"BytesAbove7FAreKeptAsSent", "X=\xC3\xA9\xFF\x80\x41\x42\r\n",
              {"\xC3\xA9\xFF\x80\x41\x42"}},
    ReplyCase{"TextStopsAtTheFirstNul", "X=000000,\0,204008,\r\n"s, {"000000"}},
    // The printer closes its one line with CR LF; other line ends are read as line ends.
    ReplyCase{"BareLineFeedEndsACode", "X=000000\n", {"000000"}},
    ReplyCase{"CodesOnSeveralLines", "X=000000\r\n204008\r\n", {"000000", "204008"}},
    ReplyCase{"BareCarriageReturnsEndCodes", "X=000000\r204008\r", {"000000", "204008"}},
    ReplyCase{"BlankLineIsAnEmptyEntry", "X=000000\r\n\r\n", {"000000", Stored("")}},
    // 1023 characters are read: a comma as the 1023rd closes the item, as the 1024th not.
    ReplyCase{"CommaAtTheLastCharacterRead", "X=" + kLetters1021.substr(0, 1020) + ",",
              {"AAAAAA"}},
    ReplyCase{"CommaPastTheLastCharacterRead", "X=" + kLetters1021 + ",", {}},
    ReplyCase{"NoDelimiterIn1023Characters", "X=" + kLetters1021, {}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

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

TEST(ParseStatusReply, ReplacesTheWholePreviousList) {
    AppState state;
    ParseStatusReply(state, "X=100000,200000,300000\r\n");
    state.statusCodes.unused.fill('x');
    ParseStatusReply(state, "X=000000\r\n");
    EXPECT_EQ(Entries(state), std::vector<std::string>{"000000"});
    EXPECT_EQ(state.statusCodes.entries[1], StatusCode{});
    EXPECT_EQ(state.statusCodes.entries[2], StatusCode{});
    EXPECT_EQ(state.statusCodes.unused, decltype(state.statusCodes.unused){});

    ParseStatusReply(state, "no list");
    EXPECT_EQ(state.statusCount, 0u);
    EXPECT_EQ(state.statusCodes.entries[0], StatusCode{});
}

// Counts how often the display timer was restarted.
struct CountingTimer final : DisplayTimer {
    void Restart() override { ++restarts; }
    int restarts = 0;
};

class ReadPanelStatusTest : public SimTest {
protected:
    CountingTimer timer;
};

TEST_F(ReadPanelStatusTest, SendsRequest9AndStartsTheRotationAtTheFirstCode) {
    printer.Script(9, std::nullopt, "@PJL INFO STATUS\r\nCODE=000000,204008\r\n");
    state.statusIndex = 5;
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ReadPanelStatus(messages, state, &timer));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::tuple(sent[0].request, sent[0].value, sent[0].index, sent[0].length),
              std::tuple(9, 0x0000, 1, 1024));
    EXPECT_EQ(Entries(state), (std::vector<std::string>{"000000", "204008"}));
    EXPECT_EQ(state.statusIndex, 0u);
    EXPECT_EQ(timer.restarts, 1);

    // A reply without a closed code empties the list and still restarts the timer.
    printer.Script(9, std::nullopt, "X=000000");
    state.statusIndex = 1;
    EXPECT_TRUE(ReadPanelStatus(messages, state, &timer));
    EXPECT_EQ(state.statusCount, 0u);
    EXPECT_EQ(state.statusIndex, 0u);
    EXPECT_EQ(timer.restarts, 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReadPanelStatusTest, NoReplyShowsMessage25AndChangesNothing) {
    printer.Script(9, std::nullopt, std::nullopt);
    ParseStatusReply(state, "X=100000,200000,300000\r\n");
    state.statusIndex = 2;
    const AppState before = state;
    ASSERT_TRUE(Open());
    EXPECT_FALSE(ReadPanelStatus(messages, state, &timer));
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed});
    EXPECT_EQ(state.statusCount, 3u);
    EXPECT_EQ(state.statusCodes.entries, before.statusCodes.entries);
    EXPECT_EQ(state.statusIndex, 2u);
    EXPECT_EQ(timer.restarts, 0);
}

struct RotationCase {
    std::uint32_t count;
    std::uint32_t index;
    std::vector<std::uint32_t> shown;  // entries shown by successive ticks
    std::uint32_t indexAfter;
};

TEST(TakeStatusForTick, WalksTheListAndWrapsAround) {
    const RotationCase cases[] = {
        {3, 0, {0, 1, 2, 0, 1, 2, 0}, 1},
        {1, 0, {0, 0, 0}, 1},
        {2, 2, {0}, 1},  // a read left the index past a shorter list
        {2, 7, {0, 1}, 2},
        {0, 0, {0, 0, 0}, 1},  // an empty list: the blank first entry, the index never passes 1
        {kMaxStatusCodes, kMaxStatusCodes - 1, {kMaxStatusCodes - 1, 0}, 1},
    };
    for (const RotationCase& c : cases) {
        AppState state;
        for (std::uint32_t i = 0; i < kMaxStatusCodes; ++i) {
            state.statusCodes.entries[i] = ToStatusCode(i < c.count ? std::to_string(i) : "");
        }
        state.statusCount = c.count;
        state.statusIndex = c.index;
        std::vector<std::uint32_t> shown;
        for (std::size_t tick = 0; tick < c.shown.size(); ++tick) {
            const StatusCode code = TakeStatusForTick(state);
            shown.push_back(CodeText(code).empty() ? 0 : std::stoul(std::string(CodeText(code))));
            EXPECT_LE(state.statusIndex, std::max<std::uint32_t>(c.count, 1));
        }
        EXPECT_EQ(shown, c.shown) << "count " << c.count << ", index " << c.index;
        EXPECT_EQ(state.statusIndex, c.indexAfter) << "count " << c.count;
    }
}

TEST(TakeStatusForTick, ACountPastTheListNeverReadsPastIt) {
    AppState state;
    state.statusCount = 1000;
    state.statusIndex = kMaxStatusCodes;
    EXPECT_EQ(TakeStatusForTick(state), StatusCode{});
    EXPECT_EQ(state.statusIndex, 1u);
}

}  // namespace
}  // namespace rpanel

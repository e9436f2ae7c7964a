#include "link/sim/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rpanel {
namespace {

std::string Reply(PrinterModel& printer, std::uint8_t code, std::uint16_t value = 0,
                  std::uint16_t length = 4) {
    std::uint8_t buffer[1024] = {};
    return std::string(reinterpret_cast<const char*>(buffer),
                       printer.Answer(code, value, 1, buffer, length));
}

TEST(Scenario, ScriptsRepliesByCodeAndByCodeAndValueAndSetsValuesPresenceAndFaults) {
    PrinterModel printer;
    std::string error;
    ASSERT_TRUE(ApplyScenario(R"({ "present": true, "values": {"80": 2},
        "replies": { "9": "X=000000,204008\r\n", "13:0x0200": "@PJL INFO CONFIGCOUNT\r\n",
                     "13": "other", "22": 1, "55": {"hex": "ffffffff"}, "40": null },
        "faults": {"unplug_after": 8, "refuse_open": "held elsewhere"} })",
                              printer, &error))
        << error;
    EXPECT_EQ(printer.OpeningRefusal(), "held elsewhere");
    EXPECT_EQ(Reply(printer, 9, 0, 1024), "X=000000,204008\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0200, 1024), "@PJL INFO CONFIGCOUNT\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0100, 1024), "other");
    EXPECT_EQ(Reply(printer, 22), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(Reply(printer, 55), "\xff\xff\xff\xff");
    EXPECT_EQ(Reply(printer, 40), "");
    EXPECT_EQ(Reply(printer, 9), "X=00") << "a reply longer than the buffer is cut to it";
    EXPECT_EQ(Reply(printer, 80), std::string("\x02\0\0\0", 4));
    EXPECT_TRUE(printer.Present());
    EXPECT_EQ(Reply(printer, 80), "") << "unplugged after eight requests";
    EXPECT_FALSE(printer.Present());
}

TEST(Scenario, SaysWhatIsWrongWithABadScenario) {
    const std::pair<const char*, const char*> cases[] = {
        {"[]", "must be a JSON object"},
        {R"({"present": 1})", "\"present\""},
        {R"({"replies": {"x9": "A"}})", "\"x9\" is not a request code"},
        {R"({"replies": {"13:0xZZ": "A"}})", "\"13:0xZZ\""},
        {R"({"replies": {"9": {"hex": "abc"}}})", "the reply to \"9\""},
        {R"({"replies": {"9": 4294967296}})", "the reply to \"9\""},
        {R"({"values": {"20": -1}})", "32-bit number"},
        {R"({"faults": {"melt": 1}})", "unknown fault \"melt\""},
        {R"({"faults": {"refuse_open": 1}})", "refuse_open"},
    };
    for (const auto& [json, complaint] : cases) {
        PrinterModel printer;
        std::string error;
        EXPECT_FALSE(ApplyScenario(json, printer, &error)) << json;
        EXPECT_NE(error.find(complaint), std::string::npos) << json << " -> " << error;
        EXPECT_EQ(printer.OpeningRefusal(), "") << json;
    }
    PrinterModel printer;
    std::string error;
    EXPECT_FALSE(LoadScenarioFile("/nonexistent/scenario.json", printer, &error));
    EXPECT_NE(error.find("/nonexistent/scenario.json"), std::string::npos);
}

TEST(PrinterModel, KeepsWhatTheProgramWritesAndAnswersNothingElse) {
    PrinterModel printer;
    EXPECT_EQ(Reply(printer, 27, 0x1100), std::string("OK\0\0", 4));
    EXPECT_NE(Reply(printer, 13, 0x0400, 1024).find("ADJTOPPLAIN=17\r\n"), std::string::npos);
    Reply(printer, 17);
    EXPECT_EQ(printer.InfoValue(3, "MACHINEAUTOCONTO"), "OFF");
    Reply(printer, 51);
    EXPECT_EQ(printer.ValueOf(84), 0u) << "the fuser counter starts again";
    EXPECT_EQ(Reply(printer, 13, 0x0500, 1024), "");
    EXPECT_EQ(Reply(printer, 31), "");
}

// A fault spoils only the reply at its position; random bytes are high, repeatable, and come
// even from a printer that would not answer.
TEST(PrinterModel, FaultsSpoilOnlyTheReplyAtTheirPosition) {
    const std::string ok("OK\0\0", 4);
    const std::pair<ReplyFault, std::string> cases[] = {
        {ReplyFault::NoReply, ""},
        {ReplyFault::OneByte, "O"},
        {ReplyFault::TwoBytes, "OK"},
        {ReplyFault::ThreeBytes, std::string("OK\0", 3)},
        {ReplyFault::AckWithoutNul, std::string("OK!\0", 4)},
    };
    for (const auto& [fault, expected] : cases) {
        PrinterModel printer;
        printer.InjectFault(1, fault);
        EXPECT_EQ(Reply(printer, 18) + Reply(printer, 18) + Reply(printer, 18), ok + expected + ok)
            << static_cast<int>(fault);
    }
    PrinterModel first, second, silent;
    silent.Script(40, std::nullopt, std::nullopt);
    for (PrinterModel* model : {&first, &second, &silent}) {
        model->InjectFault(0, ReplyFault::RandomBytes);
    }
    const std::string garbage = Reply(first, 9, 0, 1024);
    EXPECT_EQ(garbage, Reply(second, 9, 0, 1024));
    EXPECT_GT(garbage.size(), 4u);
    EXPECT_TRUE(std::ranges::all_of(garbage, [](unsigned char byte) { return byte >= 0x80; }));
    EXPECT_EQ(Reply(silent, 40).size(), 4u);
}

}  // namespace
}  // namespace rpanel

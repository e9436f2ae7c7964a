#include "link/sim/scenario.h"

#include <gtest/gtest.h>

namespace rpanel {
namespace {

std::string Reply(PrinterModel& printer, std::uint8_t code, std::uint16_t value,
                  std::uint16_t length = 1024) {
    std::uint8_t buffer[1024] = {};
    const std::uint32_t count = printer.Answer(code, value, 1, buffer, length);
    return std::string(reinterpret_cast<const char*>(buffer), count);
}

TEST(Scenario, ScriptsRepliesByCodeAndByCodeAndValue) {
    PrinterModel printer;
    std::string error;
    ASSERT_TRUE(ApplyScenario(R"({ "present": true,
        "replies": { "9": "X=000000,204008\r\n",
                     "13:0x0200": "@PJL INFO CONFIGCOUNT\r\n",
                     "13": "other", "22": 1, "55": {"hex": "ffffffff"}, "40": null } })",
                              printer, &error))
        << error;
    EXPECT_EQ(Reply(printer, 9, 0), "X=000000,204008\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0200), "@PJL INFO CONFIGCOUNT\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0100), "other");
    EXPECT_EQ(Reply(printer, 22, 0, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(Reply(printer, 55, 0, 4), "\xff\xff\xff\xff");
    EXPECT_EQ(Reply(printer, 40, 0, 4), "");
    EXPECT_EQ(Reply(printer, 9, 0, 4), "X=00") << "a reply longer than the buffer is cut to it";
}

TEST(Scenario, SetsValuesPresenceAndFaults) {
    PrinterModel printer;
    std::string error;
    ASSERT_TRUE(ApplyScenario(
        R"({"values": {"80": 2}, "faults": {"unplug_after": 1, "refuse_open": "held elsewhere"}})",
        printer, &error))
        << error;
    EXPECT_EQ(printer.OpeningRefusal(), "held elsewhere");
    EXPECT_EQ(Reply(printer, 80, 0, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(Reply(printer, 80, 0, 4), "");
    EXPECT_FALSE(printer.Present());
}

TEST(Scenario, SaysWhatIsWrongWithABadScenarioAndChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"{", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"present": 1})", "\"present\""},
        {R"({"replies": {"x9": "A"}})", "\"x9\" is not a request code"},
        {R"({"replies": {"13:0xZZ": "A"}})", "\"13:0xZZ\""},
        {R"({"replies": {"9": {"hex": "abc"}}})", "the reply to \"9\""},
        {R"({"replies": {"9": 4294967296}})", "the reply to \"9\""},
        {R"({"values": {"20": -1}})", "32-bit number"},
        {R"({"faults": {"melt": 1}})", "unknown fault \"melt\""},
        {R"({"faults": {"refuse_open": 1}})", "refuse_open"},
        {R"({"color": "red"})", "unknown scenario key \"color\""},
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
    EXPECT_EQ(Reply(printer, 27, 0x1100, 4), std::string("OK\0\0", 4));
    EXPECT_NE(Reply(printer, 13, 0x0400).find("ADJTOPPLAIN=17\r\n"), std::string::npos);
    Reply(printer, 17, 0x0000, 4);
    EXPECT_EQ(printer.InfoValue(3, "MACHINEAUTOCONTO"), "OFF");
    Reply(printer, 51, 0, 4);
    EXPECT_EQ(printer.ValueOf(84), 0u) << "the fuser counter starts again";
    EXPECT_EQ(Reply(printer, 13, 0x0500), "");
    EXPECT_EQ(Reply(printer, 31, 0, 4), "");
}

}  // namespace
}  // namespace rpanel

#include "link/sim/scenario.h"

#include <gtest/gtest.h>

#include <cstring>

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
                     "13:0x0200": "@PJL INFO CONFIGCOUNT\r\nCOUNTTOTAL=1234\r\n",
                     "13": "other", "22": 1, "55": {"hex": "ffffffff"},
                     "41": "OK", "40": null } })",
                              printer, &error))
        << error;
    EXPECT_EQ(Reply(printer, 9, 0), "X=000000,204008\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0200), "@PJL INFO CONFIGCOUNT\r\nCOUNTTOTAL=1234\r\n");
    EXPECT_EQ(Reply(printer, 13, 0x0100), "other");
    EXPECT_EQ(Reply(printer, 22, 0, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(Reply(printer, 55, 0, 4), "\xff\xff\xff\xff");
    EXPECT_EQ(Reply(printer, 41, 0x0100, 4), "OK");
    EXPECT_EQ(Reply(printer, 40, 0, 4), "");
    // A reply longer than the buffer is cut to it.
    EXPECT_EQ(Reply(printer, 9, 0, 4), "X=00");
}

TEST(Scenario, SetsValuesPresenceAndFaults) {
    PrinterModel printer;
    std::string error;
    ASSERT_TRUE(
        ApplyScenario(R"({"values": {"80": 2}, "faults": {"unplug_after": 1}})", printer, &error))
        << error;
    EXPECT_EQ(Reply(printer, 80, 0, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(Reply(printer, 80, 0, 4), "");
    EXPECT_FALSE(printer.Present());
    ASSERT_TRUE(ApplyScenario(R"({"present": false})", printer, &error));
    EXPECT_FALSE(printer.Present());
}

TEST(Scenario, SaysWhatIsWrongWithABadScenario) {
    const std::pair<const char*, const char*> cases[] = {
        {"{", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"present": 1})", "\"present\""},
        {R"({"replies": {"x9": "A"}})", "\"x9\" is not a request code"},
        {R"({"replies": {"256": "A"}})", "\"256\""},
        {R"({"replies": {"13:0xZZ": "A"}})", "\"13:0xZZ\""},
        {R"({"replies": {"9": {"hex": "abc"}}})", "the reply to \"9\""},
        {R"({"replies": {"9": 1.5}})", "the reply to \"9\""},
        {R"({"replies": {"9": 4294967296}})", "the reply to \"9\""},
        {R"({"values": {"20": -1}})", "32-bit number"},
        {R"({"faults": {"melt": 1}})", "unknown fault \"melt\""},
        {R"({"color": "red"})", "unknown scenario key \"color\""},
    };
    for (const auto& [json, complaint] : cases) {
        PrinterModel printer;
        std::string error;
        EXPECT_FALSE(ApplyScenario(json, printer, &error)) << json;
        EXPECT_NE(error.find(complaint), std::string::npos) << json << " -> " << error;
    }
    PrinterModel printer;
    std::string error;
    EXPECT_FALSE(LoadScenarioFile("/nonexistent/scenario.json", printer, &error));
    EXPECT_NE(error.find("/nonexistent/scenario.json"), std::string::npos);
}

TEST(PrinterModel, KeepsWhatTheProgramWrites) {
    PrinterModel printer;
    EXPECT_EQ(Reply(printer, 27, 0x1100, 4), std::string("OK\0\0", 4));
    EXPECT_EQ(printer.InfoValue(4, "ADJTOPPLAIN"), "17");
    Reply(printer, 17, 0x0000, 4);
    EXPECT_EQ(printer.InfoValue(3, "MACHINEAUTOCONTO"), "OFF");
    Reply(printer, 51, 0, 4);
    EXPECT_EQ(printer.ValueOf(84), 0u);
    EXPECT_NE(Reply(printer, 13, 0x0400).find("ADJTOPPLAIN=17\r\n"), std::string::npos);
    // Unknown requests and values go unanswered.
    EXPECT_EQ(Reply(printer, 13, 0x0500), "");
    EXPECT_EQ(Reply(printer, 31, 0, 4), "");
}

}  // namespace
}  // namespace rpanel

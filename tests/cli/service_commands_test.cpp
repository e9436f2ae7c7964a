// rpanelctl's service and panel commands, run in-process against the simulated printer. The
// order of each command's requests is asserted with the pages; here: what is sent for the
// named settings, what is printed, and what is refused before anything is sent.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::ScenarioFile;
using Values = std::vector<int>;

constexpr char kAccess[] = "--access-code";
constexpr char kCode[] = "fieldengineer";

CliOutcome RunDemo(std::vector<std::string> args) {
    args.insert(args.begin(), {"--demo", "--trace", "--lang", "en-US"});
    return test::RunRpanelctl(args);
}

// The trace lines of one request code: the values sent, in order.
Values ValuesSent(const CliOutcome& run, int code) {
    Values values;
    std::istringstream lines(run.err);
    std::string line;
    while (std::getline(lines, line)) {
        int sentCode = 0;
        unsigned value = 0;
        if (std::sscanf(line.c_str(), "REQ %d 0x%x", &sentCode, &value) == 2 && sentCode == code) {
            values.push_back(static_cast<int>(value));
        }
    }
    return values;
}

TEST(RpanelctlCommands, SendTheirRequests) {
    const char* sent = "Command is sent successfully\n";
    const struct {
        std::vector<std::string> args;
        const char* out;
        std::map<int, int> values;  // the one value sent, by request code
    } cases[] = {
        {{"user-service", "test-pattern", "2"},
         "Print Test Pattern 2 OK             \n",
         {{39, 0x0100}}},
        {{"user-service", "image-refresh"}, "", {{85, 0}}},
        {{kAccess, kCode, "service-mode", "replace", "roller"},
         "Replace Transfer Roller OK\n",
         {{50, 0}}},
        {{kAccess, kCode, "service-mode", "replace", "fuser"},
         "Replace Fuser Unit OK\n",
         {{51, 0}}},
        {{"toner", "eject"}, sent, {{14, 0x0100}}},
        {{"clean-up"}, sent, {{14, 0x0200}}},
        {{"calibrate"}, "Send Calibration command to machine successfully\n", {{18, 0}}},
    };
    for (const auto& c : cases) {
        const CliOutcome run = RunDemo(c.args);
        const std::string command = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.status, 0) << command << run.err;
        EXPECT_EQ(run.out, c.out) << command;
        for (const auto& [code, value] : c.values) {
            EXPECT_EQ(ValuesSent(run, code), Values{value}) << command << " request " << code;
        }
        EXPECT_EQ(run.leftOpen, 0) << command;
    }
}

TEST(RpanelctlUserService, DownloadPrintsTheFourteenSettingsAsTheyCanBeUploaded) {
    const CliOutcome run = RunDemo({"user-service", "download"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "gdiTimeout=2\nenergySaveOn=1\nflicker=0\nimageAdjust=0\ntopAdjustPlain=0\n"
              "topAdjustThick=2\ntopAdjustEnvelope=-3\nleftAdjustFront=0\n"
              "transferPlainFront=0\ntransferThick1=1\ntransferThick2=2\ntransferPostcard=0\n"
              "transferEnvelope=-2\ntransferLabel=0\n");
}

TEST(RpanelctlUserService, APrinterWithoutTheEnergySaveSwitchKeepsItOnAndSaysSo) {
    ScenarioFile scenario(R"({"values": {"80": 2}})");
    const CliOutcome run = test::RunRpanelctl(
        {"--simulate", scenario.path(), "--trace", "user-service", "upload", "energySaveOn=0"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ValuesSent(run, 23), Values{0x0100});
    EXPECT_NE(run.err.find("no energy-save switch"), std::string::npos) << run.err;
}

TEST(RpanelctlServiceMode, DownloadPrintsTheElevenValuesWithTheCountersSigned) {
    ScenarioFile scenario(R"({"replies": {"53": {"hex": "ffffffff"}}})");
    const CliOutcome run = test::RunRpanelctl(
        {"--simulate", scenario.path(), kAccess, kCode, "service-mode", "download"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "tonerLowWarning=1\npuLowWarning=1\nplainTemperature=1\nthickTemperature=1\n"
              "envelopeTemperature=1\njamCounter=-1\ntroubleCounter=2\n"
              "transferBeltCounter=12874\ndrumUnitCounter=8120\ntransferRollerCounter=12874\n"
              "fuserUnitCounter=12874\n");
}

TEST(RpanelctlCommands, RefuseWrongArgumentsBeforeSendingAnything) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"variant", "extra"}, "wrong arguments for variant"},
        {{"status", "--xml"}, "wrong arguments for status"},
        {{"info", "--ini"}, "wrong arguments for info"},
        {{"info", "--ini", ""}, "wrong arguments for info"},
        {{"info", "--json", "--ini", "x"}, "wrong arguments for info"},
        // The field engineer's code, exactly.
        {{"service-mode", "download"}, "access code"},
        {{kAccess, "FieldEngineer", "service-mode", "download"}, "access code"},
        {{kAccess, "fieldengineer ", "service-mode", "replace", "fuser"}, "access code"},
        {{"user-service", "upload", "topAdjust=1"}, "unknown setting \"topAdjust\""},
        {{"user-service", "upload", "topAdjustPlain=16"}, "topAdjustPlain must be -15 to 15"},
        {{"user-service", "upload", "transferLabel=8"}, "transferLabel must be -8 to 7"},
        {{"user-service", "upload", "gdiTimeout=60"}, "gdiTimeout must be 0 to 6"},
        {{"user-service", "upload", "flicker=1x"}, "\"1x\" is not a number"},
        {{"user-service", "upload", "flicker=99999999999"}, "is not a number"},
        {{"user-service", "upload", "flicker"}, "\"flicker\" is not NAME=VALUE"},
        {{"user-service", "upload", "=1"}, "is not NAME=VALUE"},
        {{"user-service", "test-pattern", "3"}, "wrong arguments for user-service"},
        {{kAccess, kCode, "service-mode", "upload", "plainTemperature=3"}, "must be 0 to 2"},
        {{kAccess, kCode, "service-mode", "upload", "jamCounter=0"}, "unknown setting"},
        {{kAccess, kCode, "service-mode", "replace", "drum"}, "wrong arguments"},
        {{"defaults", "energy-save=10"}, "energy-save must be 5, 15, 30 or 60"},
        {{"defaults", "toner-low=yes"}, "toner-low must be on or off"},
        {{"defaults", "colour=on"}, "unknown setting \"colour\""},
        {{"toner", "rotate"}, "wrong arguments for toner"},
        {{"calibrate", "now"}, "wrong arguments for calibrate"},
    };
    for (const auto& [args, complaint] : cases) {
        const CliOutcome run = RunDemo(args);
        EXPECT_EQ(run.status, 2) << complaint;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("REQ "), std::string::npos) << complaint;
    }
}

}  // namespace
}  // namespace rpanel

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

constexpr char kAccess[] = "--access-code";
constexpr char kCode[] = "fieldengineer";

CliOutcome RunDemo(std::vector<std::string> args) {
    args.insert(args.begin(), {"--demo", "--trace", "--lang", "en-US"});
    return test::RunRpanelctl(args);
}

// The trace lines of one request code: the values sent, in order.
std::vector<int> ValuesSent(const CliOutcome& run, int code) {
    std::vector<int> values;
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

bool AnythingSent(const CliOutcome& run) {
    return run.err.find("REQ ") != std::string::npos;
}

TEST(RpanelctlUserService, DownloadPrintsTheFourteenSettingsAsTheyCanBeUploaded) {
    const CliOutcome run = RunDemo({"user-service", "download"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "gdiTimeout=2\nenergySaveOn=1\nflicker=0\nimageAdjust=0\ntopAdjustPlain=0\n"
              "topAdjustThick=2\ntopAdjustEnvelope=-3\nleftAdjustFront=0\n"
              "transferPlainFront=0\ntransferThick1=1\ntransferThick2=2\ntransferPostcard=0\n"
              "transferEnvelope=-2\ntransferLabel=0\n");
    EXPECT_EQ(run.leftOpen, 0);
}

TEST(RpanelctlUserService, UploadSendsTheNamedSettingsAndThePageDefaultsForTheRest) {
    const CliOutcome run =
        RunDemo({"user-service", "upload", "topAdjustPlain=-3", "gdiTimeout=0", "transferLabel=7"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Send Set Default command to machine successfully\n");
    EXPECT_EQ(ValuesSent(run, 80).size(), 1u) << "the variant is read first";
    EXPECT_EQ(ValuesSent(run, 27), std::vector<int>{0x0C00});
    EXPECT_EQ(ValuesSent(run, 21), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(run, 37), std::vector<int>{0x0F00});
    EXPECT_EQ(ValuesSent(run, 23), std::vector<int>{0x0100});
    EXPECT_EQ(ValuesSent(run, 28), std::vector<int>{0x0F00});
}

TEST(RpanelctlUserService, APrinterWithoutTheEnergySaveSwitchKeepsItOnAndSaysSo) {
    ScenarioFile scenario(R"({"values": {"80": 2}})");
    const CliOutcome run = test::RunRpanelctl(
        {"--simulate", scenario.path(), "--trace", "user-service", "upload", "energySaveOn=0"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ValuesSent(run, 23), std::vector<int>{0x0100});
    EXPECT_NE(run.err.find("no energy-save switch"), std::string::npos) << run.err;
}

TEST(RpanelctlUserService, TestPatternsAndImageRefresh) {
    CliOutcome run = RunDemo({"user-service", "test-pattern", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Print Test Pattern 2 OK             \n");
    EXPECT_EQ(ValuesSent(run, 39), std::vector<int>{0x0100});

    run = RunDemo({"user-service", "image-refresh"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "REQ 85 0x0000 1 4 -> 4\n");
}

TEST(RpanelctlServiceMode, RefusesWithoutTheExactAccessCodeAndSendsNothing) {
    const std::vector<std::vector<std::string>> refused = {
        {"service-mode", "download"},
        {kAccess, "FieldEngineer", "service-mode", "download"},
        {kAccess, "fieldengineer ", "service-mode", "replace", "fuser"},
    };
    for (const auto& args : refused) {
        const CliOutcome run = RunDemo(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_FALSE(AnythingSent(run)) << run.err;
        EXPECT_NE(run.err.find("access code"), std::string::npos) << run.err;
    }
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

TEST(RpanelctlServiceMode, UploadAndReplacedParts) {
    CliOutcome run = RunDemo(
        {kAccess, kCode, "service-mode", "upload", "puLowWarning=0", "envelopeTemperature=2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ValuesSent(run, 41), std::vector<int>{0x0100});
    EXPECT_EQ(ValuesSent(run, 43), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(run, 49), std::vector<int>{0x0200});

    run = RunDemo({kAccess, kCode, "service-mode", "replace", "roller"});
    EXPECT_EQ(run.out, "Replace Transfer Roller OK\n");
    EXPECT_EQ(ValuesSent(run, 50).size(), 1u);
    run = RunDemo({kAccess, kCode, "service-mode", "replace", "fuser"});
    EXPECT_EQ(run.out, "Replace Fuser Unit OK\n");
}

TEST(RpanelctlPanel, TonerCleanUpCalibrationAndDefaults) {
    CliOutcome run = RunDemo({"toner", "eject"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ValuesSent(run, 14), std::vector<int>{0x0100});
    EXPECT_EQ(run.out, "Command is sent successfully\n");
    EXPECT_EQ(ValuesSent(RunDemo({"clean-up"}), 14), std::vector<int>{0x0200});
    EXPECT_EQ(RunDemo({"calibrate"}).out, "Send Calibration command to machine successfully\n");

    run = RunDemo({"defaults"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ValuesSent(run, 19), std::vector<int>{0x0100});
    EXPECT_EQ(ValuesSent(run, 15), std::vector<int>{0x0100});
    EXPECT_EQ(ValuesSent(run, 16), std::vector<int>{0x1E00});
    EXPECT_EQ(ValuesSent(run, 17), std::vector<int>{0x0000});

    run = RunDemo({"defaults", "energy-save=60", "auto-continue=on", "toner-low=off"});
    EXPECT_EQ(ValuesSent(run, 19), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(run, 16), std::vector<int>{0x3C00});
    EXPECT_EQ(ValuesSent(run, 17), std::vector<int>{0x0100});
}

TEST(RpanelctlServiceCommands, RefuseWhatIsNotASettingBeforeSendingAnything) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"user-service", "upload", "topAdjust=1"}, "unknown setting \"topAdjust\""},
        {{"user-service", "upload", "topAdjustPlain=16"}, "topAdjustPlain must be -15 to 15"},
        {{"user-service", "upload", "transferLabel=8"}, "transferLabel must be -8 to 7"},
        {{"user-service", "upload", "gdiTimeout=60"}, "gdiTimeout must be 0 to 6"},
        {{"user-service", "upload", "flicker=one"}, "\"one\" is not a number"},
        {{"user-service", "upload", "flicker=1x"}, "\"1x\" is not a number"},
        {{"user-service", "upload", "flicker=99999999999"}, "is not a number"},
        {{"user-service", "upload", "flicker"}, "\"flicker\" is not NAME=VALUE"},
        {{"user-service", "upload", "=1"}, "is not NAME=VALUE"},
        {{"user-service", "test-pattern", "3"}, "wrong arguments for user-service"},
        {{"user-service"}, "wrong arguments for user-service"},
        {{kAccess, kCode, "service-mode", "upload", "plainTemperature=3"}, "must be 0 to 2"},
        {{kAccess, kCode, "service-mode", "upload", "jamCounter=0"}, "unknown setting"},
        {{kAccess, kCode, "service-mode", "replace", "drum"}, "wrong arguments"},
        {{"defaults", "energy-save=10"}, "energy-save must be 5, 15, 30 or 60"},
        {{"defaults", "toner-low=yes"}, "toner-low must be on or off"},
        {{"defaults", "colour=on"}, "unknown setting \"colour\""},
        {{"toner", "rotate"}, "wrong arguments for toner"},
        {{"calibrate", "now"}, "wrong arguments for calibrate"},
        {{"--access-code"}, "--access-code needs a code"},
    };
    for (const auto& [args, complaint] : cases) {
        const CliOutcome run = RunDemo(args);
        EXPECT_EQ(run.status, 2) << complaint;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
        EXPECT_FALSE(AnythingSent(run)) << complaint;
    }
}

TEST(RpanelctlServiceCommands, AnAbsentPrinterEndsEveryCommandWithStatus1) {
    ScenarioFile absent(R"({"present": false})");
    const std::vector<std::vector<std::string>> commands = {
        {"user-service", "download"},
        {"user-service", "upload"},
        {"user-service", "image-refresh"},
        {kAccess, kCode, "service-mode", "upload"},
        {"defaults"},
        {"toner", "change"},
    };
    for (std::vector<std::string> args : commands) {
        args.insert(args.begin(), {"--simulate", absent.path(), "--lang", "en-US"});
        const CliOutcome run = test::RunRpanelctl(args);
        EXPECT_EQ(run.status, 1) << args[4];
        EXPECT_EQ(run.out, "") << args[4];
        EXPECT_EQ(run.err, "Open USB is failed\n") << args[4];
        EXPECT_EQ(run.leftOpen, 0);
    }
}

}  // namespace
}  // namespace rpanel

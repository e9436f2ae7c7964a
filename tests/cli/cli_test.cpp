// rpanelctl's options, its first commands and its usage errors.
#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::RunRpanelctl;
using test::ScenarioFile;

TEST(Rpanelctl, ReadsTheVariantOfTheDemoPrinterAndTracesTheRequest) {
    CliOutcome run = RunRpanelctl({"--demo", "--trace", "--lang", "en-US", "variant"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\n");
    EXPECT_EQ(run.err, "REQ 80 0x0000 1 4 -> 4\n");
    EXPECT_EQ(run.leftOpen, 0);
}

TEST(Rpanelctl, AFailedReadIsReportedWithMessage25) {
    ScenarioFile scenario(R"({"replies": {"80": null}})");
    CliOutcome run = RunRpanelctl({"--simulate", scenario.path(), "--trace", "variant"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "REQ 80 0x0000 1 4 -> 0\nSend command to F/W is failed\n");
    EXPECT_EQ(run.leftOpen, 0);
}

TEST(Rpanelctl, ListsTheDevicesDiscoveryFinds) {
    CliOutcome run = RunRpanelctl({"--demo", "devices"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("device 0 (would be opened)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("hardware ID: USB\\VID_0000&PID_0012&REV_0100\n"), std::string::npos);
    EXPECT_NE(run.out.find("hardware ID: USB\\VID_0000&PID_0012\n"), std::string::npos);

    ScenarioFile absent(R"({"present": false})");
    run = RunRpanelctl({"--simulate", absent.path(), "devices"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no printer"), std::string::npos);
}

TEST(Rpanelctl, RefusesWrongUsageWithStatus2AndAReason) {
    ScenarioFile broken("{\"replies\": ");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "no command given"},
        {{"--demo"}, "no command given"},
        {{"--frobnicate", "variant"}, "unknown option --frobnicate"},
        {{"--demo", "explode"}, "unknown command \"explode\""},
        {{"--simulate"}, "--simulate needs a scenario file"},
        {{"--demo", "--simulate", broken.path(), "variant"}, "exclude each other"},
        {{"--simulate", broken.path(), "variant"}, "not valid JSON"},
        {{"--simulate", "/nonexistent.json", "variant"}, "cannot read"},
        {{"--lang", "0xZZ", "variant"}, "unknown language"},
        {{"--demo", "--access-code"}, "--access-code needs a code"},
    };
    for (const auto& [args, complaint] : cases) {
        CliOutcome run = RunRpanelctl(args);
        EXPECT_EQ(run.status, 2) << complaint;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace rpanel

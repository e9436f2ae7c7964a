#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "link/sim/sim_platform.h"

namespace rpanel {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    int handlesLeftOpen = -1;
};

Outcome RunCtl(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome run;
    CliHooks hooks;
    hooks.afterSimulatedCommand = [&](const SimPlatform& sim) {
        run.handlesLeftOpen = sim.OpenHandleCount() + sim.OpenDeviceSetCount() +
                              sim.OpenRegistryKeyCount();
    };
    run.status = RunCli(args, out, err, hooks);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class Scenario {
public:
    explicit Scenario(const std::string& json) {
        path_ = ::testing::TempDir() + "scenario-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".json";
        std::ofstream(path_) << json;
    }
    ~Scenario() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

TEST(Rpanelctl, ReadsTheVariantOfTheDemoPrinterAndTracesTheRequest) {
    Outcome run = RunCtl({"--demo", "--trace", "--lang", "en-US", "variant"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "1\n");
    EXPECT_EQ(run.err, "REQ 80 0x0000 1 4 -> 4\n");
    EXPECT_EQ(run.handlesLeftOpen, 0);
}

TEST(Rpanelctl, AnAbsentPrinterIsReportedWithMessage26) {
    Scenario scenario(R"({"present": false})");
    Outcome run = RunCtl({"--simulate", scenario.path(), "--lang", "en-US", "variant"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Open USB is failed\n");
    EXPECT_EQ(run.handlesLeftOpen, 0);
}

TEST(Rpanelctl, AFailedReadIsReportedWithMessage25) {
    Scenario scenario(R"({"replies": {"80": null}})");
    Outcome run = RunCtl({"--simulate", scenario.path(), "--trace", "variant"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "REQ 80 0x0000 1 4 -> 0\nSend command to F/W is failed\n");
    EXPECT_EQ(run.handlesLeftOpen, 0);
}

TEST(Rpanelctl, ListsTheDevicesDiscoveryFinds) {
    Outcome run = RunCtl({"--demo", "devices"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("device 0 (would be opened)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("hardware ID: USB\\VID_0000&PID_0012&REV_0100\n"), std::string::npos);
    EXPECT_NE(run.out.find("hardware ID: USB\\VID_0000&PID_0012\n"), std::string::npos);

    Scenario absent(R"({"present": false})");
    run = RunCtl({"--simulate", absent.path(), "devices"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("no printer"), std::string::npos);
}

TEST(Rpanelctl, RefusesWrongUsageWithStatus2AndAReason) {
    Scenario broken("{\"replies\": ");
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
        {{"--demo", "variant", "extra"}, "wrong arguments for variant"},
    };
    for (const auto& [args, complaint] : cases) {
        Outcome run = RunCtl(args);
        EXPECT_EQ(run.status, 2) << complaint;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
    }
}

TEST(Rpanelctl, PrintsHelp) {
    Outcome run = RunCtl({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: rpanelctl"), std::string::npos);
    EXPECT_NE(run.out.find("variant"), std::string::npos);
}

}  // namespace
}  // namespace rpanel

// A printer that stops answering costs each command at most one transfer timeout, with the
// messages a printer that answers nothing gives; rpanelctl watch prints each change.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/cli_run.h"

namespace rpanel {
namespace {

using namespace std::chrono_literals;
using test::ScenarioFile;

struct TimedRun {
    int status = -1;
    std::string out;
    std::string err;
    int timeouts = -1;
    std::chrono::milliseconds waited{-1};
};

TimedRun RunTimed(std::vector<std::string> args, const std::string& scenario) {
    args.insert(args.begin(), {"--simulate", scenario, "--lang", "en-US", "--timeout", "300"});
    std::ostringstream out;
    std::ostringstream err;
    TimedRun run;
    CliHooks hooks;
    hooks.afterSimulatedCommand = [&run](const SimPlatform& sim) {
        run.timeouts = sim.Timeouts();
        run.waited = sim.WaitedFor();
    };
    run.status = RunCli(args, out, err, hooks);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Every request code left unanswered.
std::string SilentScenario() {
    std::string replies;
    for (int code = 0; code < 256; ++code) {
        replies += (code ? ", \"" : "\"") + std::to_string(code) + "\": null";
    }
    return "{\"replies\": {" + replies + "}}";
}

TEST(RpanelctlTimeout, ASilentPrinterCostsEveryCommandOneTimeoutAtMost) {
    const ScenarioFile silent(SilentScenario(), "silent.json");
    const test::ScratchFile ini("info.INI");
    const std::vector<std::vector<std::string>> commands = {
        {"variant"},
        {"status"},
        {"status", "--json"},
        {"info"},
        {"info", "--json"},
        {"user-service", "download"},
        {"user-service", "upload", "topAdjustPlain=1"},
        {"user-service", "test-pattern", "1"},
        {"user-service", "image-refresh"},
        {"--access-code", "fieldengineer", "service-mode", "download"},
        {"--access-code", "fieldengineer", "service-mode", "upload", "plainTemperature=1"},
        {"--access-code", "fieldengineer", "service-mode", "replace", "fuser"},
        {"defaults"},
        {"toner", "change"},
        {"clean-up"},
        {"calibrate"},
        {"watch", "--interval", "0", "--count", "2"},
    };
    for (const int answered : {0, 1, 3, 20}) {
        const ScenarioFile hanging(
            R"({"faults": {"hang_after": )" + std::to_string(answered) + "}}", "hanging.json");
        for (const auto& args : commands) {
            const std::string command =
                ::testing::PrintToString(args) + " after " + std::to_string(answered) + " answers";
            const TimedRun run = RunTimed(args, hanging.path());
            // watch reads two rounds, each its own frame.
            const int allowed = args[0] == "watch" ? 2 : 1;
            EXPECT_LE(run.timeouts, allowed) << command;
            EXPECT_LE(run.waited, allowed * 300ms) << command;
            if (answered == 0 && args[0] != "watch") {
                // The same messages and outcome as from a printer that answers nothing.
                const TimedRun quiet = RunTimed(args, silent.path());
                EXPECT_EQ(run.timeouts, 1) << command;
                EXPECT_EQ(run.status, quiet.status) << command;
                EXPECT_EQ(run.out, quiet.out) << command;
                EXPECT_EQ(run.err, quiet.err) << command;
            }
        }
    }
}

TEST(RpanelctlTimeout, InfoOnAHungPrinterEndsAfterOneTimeoutWithMessage25) {
    const ScenarioFile hanging(R"({"faults": {"hang_after": 0}})");
    const TimedRun run = RunTimed({"info"}, hanging.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.timeouts, 1);
    EXPECT_EQ(run.waited, 300ms);
    // The four information replies and the energy-save read each report their failure.
    std::string failed;
    for (int i = 0; i < 5; ++i) {
        failed += "Send command to F/W is failed\n";
    }
    EXPECT_EQ(run.err, failed +
                           "rpanelctl: some of the machine information could not be read; it is "
                           "shown as unknown\n");
}

TEST(RpanelctlTimeout, TheOptionTakesMillisecondsFrom1To600000) {
    const ScenarioFile plain("{}");
    for (const char* bad : {"0", "-5", "600001", "5s", ""}) {
        const test::CliOutcome run =
            test::RunRpanelctl({"--simulate", plain.path(), "--timeout", bad, "variant"});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.err.substr(0, 21), "rpanelctl: --timeout ") << bad;
    }
    EXPECT_EQ(
        test::RunRpanelctl({"--simulate", plain.path(), "--timeout", "600000", "variant"}).status,
        0);
}

TEST(RpanelctlWatch, PrintsEachRoundThatChangesWithItsCodesAndSeverities) {
    // Ready, then toner low K, then toner out K; the supplies as the printer reports them.
    const ScenarioFile scenario(R"({"replies": {
        "9": ["X=000000\r\n", "X=000000,302008\r\n", "X=204008,302008\r\n"],
        "13:0x0100": "@PJL INFO CONFIGTONER\r\nCONSUMETCREMAINC=78\r\nCONSUMETCREMAINM=64\r\nCONSUMETCREMAINY=9\r\nCONSUMETCREMAINK=0\r\nCONSUMEICREMAIN=101\r\n"}})");
    const TimedRun run =
        RunTimed({"watch", "--interval", "0", "--count", "3", "--json"}, scenario.path());
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string supplies = R"("supplies":{"C":78,"M":64,"Y":9,"K":0,"PU":null}})";
    EXPECT_EQ(
        run.out,
        R"({"schema":1,"state":"ready","lines":["READY"],"codes":[{"code":"000000","severity":"ready","lines":["READY"]}],)" +
            supplies + "\n" +
            R"({"schema":1,"state":"warning","lines":["TONER LOW K"],"codes":[{"code":"000000","severity":"ready","lines":["READY"]},{"code":"302008","severity":"warning","lines":["TONER LOW K"]}],)" +
            supplies + "\n" +
            R"({"schema":1,"state":"error","lines":["TONER OUT","CHANGE K TONER "],"codes":[{"code":"204008","severity":"error","lines":["TONER OUT","CHANGE K TONER "]},{"code":"302008","severity":"warning","lines":["TONER LOW K"]}],)" +
            supplies + "\n");

    // As text, a round that changes nothing prints nothing; a printer that went away is a
    // change, and not a failure.
    const ScenarioFile going(R"({"replies": {"9": "X=302001\r\n"}, "faults": {"unplug_after": 4}})",
                             "going.json");
    const TimedRun text = RunTimed({"watch", "--interval", "0", "--count", "4"}, going.path());
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out,
              "warning: TONER LOW Y  C 78% M 64% Y 9% K 0% PU 83%\n"
              "not connected\n");
}

TEST(RpanelctlWatch, RefusesMalformedArguments) {
    const ScenarioFile plain("{}");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"watch", "--interval", "-1"},
                                               {"watch", "--count", "0"},
                                               {"watch", "--interval"},
                                               {"watch", "--every", "5"}}) {
        std::vector<std::string> full = {"--simulate", plain.path()};
        full.insert(full.end(), args.begin(), args.end());
        EXPECT_EQ(test::RunRpanelctl(full).status, 2) << ::testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace rpanel

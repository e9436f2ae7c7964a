// Every command of rpanelctl ends with message 26 and status 1 when the printer cannot be
// opened, and tells why when the system gives a reason.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::RunRpanelctl;
using test::ScenarioFile;

constexpr char kReasonLine[] =
    "rpanelctl: the printer at 1-1 is attached but this user may not open it\n";

TEST(RpanelctlOpenFailure, EveryCommandEndsWithMessage26AndTheReasonIfThereIsOne) {
    const ScenarioFile refusing(
        R"({"faults": {"refuse_open": "the printer at 1-1 is attached but this user may not open it"}})");
    // An absent printer has no reason to give, whatever an opening would have said.
    const ScenarioFile absent(R"({"present": false, "faults": {"refuse_open": "not this one"}})",
                              "absent.json");
    const test::ScratchFile ini("info.INI");
    const std::vector<std::vector<std::string>> commands = {
        {"variant"},
        {"status"},
        {"status", "--json"},
        {"info"},
        {"info", "--json"},
        {"info", "--ini", ini.path()},
        {"user-service", "download"},
        {"user-service", "upload", "topAdjustPlain=1"},
        {"user-service", "image-refresh"},
        {"--access-code", "fieldengineer", "service-mode", "upload", "plainTemperature=1"},
        {"defaults", "toner-low=off"},
        {"defaults"},
        {"toner", "change"},
    };
    for (const ScenarioFile* scenario : {&refusing, &absent}) {
        const std::string expected =
            std::string("Open USB is failed\n") + (scenario == &refusing ? kReasonLine : "");
        for (std::vector<std::string> args : commands) {
            const std::string command = ::testing::PrintToString(args);
            args.insert(args.begin(), {"--simulate", scenario->path(), "--lang", "en-US"});
            const CliOutcome run = RunRpanelctl(args);
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_EQ(run.out, "") << command;
            EXPECT_EQ(run.err, expected) << command;
            EXPECT_EQ(run.leftOpen, 0) << command;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(ini.path()));

    // The reason comes in every language, after the translated message.
    const CliOutcome german =
        RunRpanelctl({"--simulate", refusing.path(), "--lang", "de-DE", "variant"});
    EXPECT_EQ(german.status, 1);
    ASSERT_GT(german.err.size(), sizeof kReasonLine);
    EXPECT_EQ(german.err.substr(german.err.size() - (sizeof kReasonLine - 1)), kReasonLine);
    EXPECT_NE(german.err.rfind("Open USB is failed\n", 0), 0u);
}

}  // namespace
}  // namespace rpanel

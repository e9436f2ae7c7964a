// rpanelctl as scripts and terminals expect it: options anywhere, help and version, one line
// per usage error, bad scenarios refused at once, a lost output reported, control bytes
// escaped, and one JSON document per command pinned by a golden file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::RunRpanelctl;
using test::ScenarioFile;

constexpr char kPointer[] = "Try 'rpanelctl --help' for more information.\n";

TEST(RpanelctlConventions, OptionsHelpVersionAndUsageErrors) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* out;  // how the output starts
        const char* err;  // the whole error stream
    } cases[] = {
        {{"--version"}, 0, "rpanelctl 1.0.8\n", ""},
        {{"status", "--help"}, 0, "usage: rpanelctl [OPTION...] status [--json]\n", ""},
        {{"--demo", "user-service", "upload", "-h"},
         0,
         "usage: rpanelctl [OPTION...] user-service download",
         ""},
        {{"--help"}, 0, "usage: rpanelctl [OPTION...] COMMAND", ""},
        // Global options after the command, with "=", and "--" before the arguments.
        {{"variant", "--demo", "--lang=en-US"}, 0, "1\n", ""},
        {{"--demo", "--json", "--", "variant"},
         0,
         "{\n  \"schema\": 1,\n  \"variant\": 1\n}\n",
         ""},
        {{"--demo", "explode"}, 2, "", "rpanelctl: unknown command \"explode\"\n"},
        {{"--frobnicate"}, 2, "", "rpanelctl: unknown option --frobnicate\n"},
        {{"--demo=1", "variant"}, 2, "", "rpanelctl: --demo takes no value\n"},
        {{"--demo", std::string(300, 'x')},
         2,
         "",
         "rpanelctl: unknown command \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\"\n"},
        {{"--demo", "\x1b[2Jcmd"}, 2, "", "rpanelctl: unknown command \"\\x1B[2Jcmd\"\n"},
        {{"--demo", "user-service", "upload"},
         2,
         "",
         "rpanelctl: user-service upload needs NAME=VALUE for each setting to change\n"
         "Try 'rpanelctl user-service --help' for more information.\n"},
        {{"--demo", "variant", "extra"},
         2,
         "",
         "rpanelctl: wrong arguments for variant; usage: rpanelctl variant \n"
         "Try 'rpanelctl variant --help' for more information.\n"},
    };
    for (const auto& c : cases) {
        const CliOutcome run = RunRpanelctl(c.args);
        const std::string command = ::testing::PrintToString(c.args);
        EXPECT_EQ(run.status, c.status) << command;
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << command << '\n' << run.out;
        const bool global = std::string(c.err).find("Try 'rpanelctl ") == std::string::npos;
        EXPECT_EQ(run.err, c.status == 2 && global ? std::string(c.err) + kPointer : c.err)
            << command;
    }
}

TEST(RpanelctlConventions, BadScenariosAreRefusedBeforeReading) {
    const test::ScratchFile fifo("fifo");
    ASSERT_EQ(::mkfifo(fifo.path().c_str(), 0600), 0);
    const test::ScratchFile large("large.json");
    large.Write("{}");
    std::filesystem::resize_file(large.path(), 16 * 1024 * 1024 + 1);
    const ScenarioFile broken("{\n  \"present\": true,\n  \"replies\": [}", "broken.json");
    const ScenarioFile fault(R"({"faults": {"unplug_after": "soon"}})", "fault.json");
    const ScenarioFile refuse(R"({"faults": {"refuse_open": 1}})", "refuse.json");
    const ScenarioFile longKey("{\"" + std::string(100, 'k') + "\": 1}", "long.json");
    const std::pair<std::string, std::string> cases[] = {
        {fifo.path(), " is not a regular file"},
        {"/dev/zero", "the scenario /dev/zero is not a regular file"},
        {::testing::TempDir(), " is not a regular file"},
        {large.path(), " is larger than 16 MiB"},
        {broken.path(), ": the scenario is not valid JSON (line 3, column 15)"},
        {fault.path(), "the fault \"unplug_after\" takes a request count (a whole number from 0)"},
        {refuse.path(), "the fault \"refuse_open\" takes a reason (a non-empty string)"},
        {longKey.path(), "unknown scenario key \"" + std::string(40, 'k') + "...\""},
    };
    for (const auto& [path, complaint] : cases) {
        const CliOutcome run = RunRpanelctl({"--simulate", path, "variant"});
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
    }
}

// A stream that takes nothing, as a full disk or a closed pipe does.
class FailingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(RpanelctlConventions, ALostOutputFailsTheRun) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--demo", "status"},
                                                 {"--demo", "--json", "variant"},
                                                 {"--version"}}) {
        FailingBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, out, err), 1) << args.back();
        EXPECT_EQ(err.str().rfind("rpanelctl: could not write the output", 0), 0u) << err.str();
    }
}

TEST(RpanelctlConventions, TheInfoPagesEscapeThePrintersControlBytes) {
    const ScenarioFile scenario(
        R"({"replies": {"13:0x0300": {"hex": "4d414348494e4553455249414c3d411b5d3007e90d0a"}}})");
    const CliOutcome run = RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", "info"});
    EXPECT_NE(run.out.find("\tA\\x1B]0\\x07\\xE9\n"), std::string::npos) << run.out;
}

// One document per command, pinned whole (tests/cli/data, checked by hand against the demo
// printer's replies).
TEST(RpanelctlConventions, EveryCommandWritesItsJsonDocument) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"devices"}, "devices.json"},
        {{"variant"}, "variant.json"},
        {{"status"}, "status.json"},
        {{"info"}, "info.json"},
        {{"user-service", "download"}, "user-service-download.json"},
        {{"--access-code", "fieldengineer", "service-mode", "download"},
         "service-mode-download.json"},
        {{"defaults"}, "defaults.json"},
        {{"toner", "change"}, "toner-change.json"},
    };
    for (const auto& [command, golden] : cases) {
        std::vector<std::string> args = {"--demo", "--lang", "en-US", "--json"};
        args.insert(args.end(), command.begin(), command.end());
        const CliOutcome run = RunRpanelctl(args);
        EXPECT_EQ(run.status, 0) << golden << run.err;
        EXPECT_EQ(run.out, test::ReadFileBytes(std::filesystem::path(__FILE__).parent_path() /
                                               "data" / golden))
            << golden;
    }
    // A refusal, and the settings not read.
    const ScenarioFile scenario(R"({"replies": {"14:0x0000": null, "24": null}})");
    CliOutcome run = RunRpanelctl(
        {"--simulate", scenario.path(), "--lang", "en-US", "--json", "toner", "change"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), nlohmann::ordered_json::parse(R"(
        {"schema": 1, "ok": false, "message": 25, "text": "Send command to F/W is failed"})"));
    run = RunRpanelctl(
        {"--simulate", scenario.path(), "--json", "user-service", "upload", "flicker=1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), nlohmann::ordered_json::parse(R"(
        {"schema": 1, "ok": false, "message": null, "text": null, "unread": ["flicker"]})"));
}

}  // namespace
}  // namespace rpanel

// rpanelctl as scripts and terminals expect it: options anywhere, help and version, one line
// per usage error before anything is sent, bad scenarios refused at once, a lost output
// reported, and a manual page that describes every command and option.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <set>

#include "cli/commands.h"
#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::Args;
using test::CliOutcome;
using test::RunRpanelctl;

// Each case: the arguments and how the output starts. Each also fails when its output is lost.
TEST(Rpanelctl, TakesOptionsAnywhereAndGivesHelpAndVersion) {
    const std::pair<Args, const char*> cases[] = {
        {"--version", "rpanelctl 1.0.8\n"},
        {"status --help", "usage: rpanelctl [OPTION...] status [--json]\n"},
        {"--demo user-service upload -h", "usage: rpanelctl [OPTION...] user-service download"},
        {"--help", "usage: rpanelctl [OPTION...] COMMAND"},
        {"variant --demo --lang=en-US", "1\n"},
        {"--demo --json -- variant", "{\n  \"schema\": 1,\n  \"variant\": 1\n}\n"},
        {"--demo --timeout 600000 variant", "1\n"},
        {"--demo status", "000000  READY\n"},
    };
    for (const auto& [args, out] : cases) {
        const CliOutcome run = RunRpanelctl(args);
        EXPECT_EQ(std::tie(run.status, run.err), std::tuple(0, "")) << out;
        EXPECT_TRUE(run.out.starts_with(out)) << run.out;
        std::ostream lost(nullptr);  // takes nothing, as a full disk or a closed pipe does
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, lost, err), 1) << out;
        EXPECT_TRUE(err.str().starts_with("rpanelctl: could not write the output")) << err.str();
    }
}

TEST(Rpanelctl, RefusesWrongUsageBeforeSendingAnything) {
    const test::ScratchFile fifo("fifo");
    ASSERT_EQ(::mkfifo(fifo.path().c_str(), 0600), 0);
    const test::ScratchFile large("large.json", "{}");
    std::filesystem::resize_file(large.path(), 16 * 1024 * 1024 + 1);
    const test::ScratchFile broken("broken.json", "{\n  \"present\": true,\n  \"replies\": [}");
    const test::ScratchFile fault("fault.json", R"({"faults": {"unplug_after": "soon"}})");
    const test::ScratchFile refuse("refuse.json", R"({"faults": {"refuse_open": 1}})");
    const test::ScratchFile longKey("long.json", "{\"" + std::string(100, 'k') + "\": 1}");
    const std::string global = "\nTry 'rpanelctl --help' for more information.\n";
    std::vector<std::pair<Args, std::string>> cases = {
        {"", "no command given" + global},
        {"--demo", "no command given"},
        {"--frobnicate variant", "rpanelctl: unknown option --frobnicate" + global},
        {"--demo explode", "rpanelctl: unknown command \"explode\"" + global},
        {"--demo=1 variant", "rpanelctl: --demo takes no value" + global},
        {{"--demo", std::string(300, 'x')},
         "unknown command \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\"\n"},
        {{"--demo", "\x1b[2Jcmd"}, "rpanelctl: unknown command \"\\x1B[2Jcmd\"" + global},
        {"--simulate", "--simulate needs a scenario file"},
        {{"--demo", "--simulate", broken.path(), "variant"}, "exclude each other"},
        {"--simulate /nonexistent.json variant", "cannot read"},
        {"--lang 0xZZ variant", "unknown language"},
        {"--demo --access-code", "--access-code needs a code"},
        {{"--simulate", fifo.path(), "variant"}, " is not a regular file"},
        {"--simulate /dev/zero variant", "the scenario /dev/zero is not a regular file"},
        {{"--simulate", ::testing::TempDir(), "variant"}, " is not a regular file"},
        {{"--simulate", large.path(), "variant"}, " is larger than 16 MiB"},
        {{"--simulate", broken.path(), "variant"},
         ": the scenario is not valid JSON (line 3, column 15)"},
        {{"--simulate", fault.path(), "variant"},
         "the fault \"unplug_after\" takes a request count (a whole number from 0)"},
        {{"--simulate", refuse.path(), "variant"},
         "the fault \"refuse_open\" takes a reason (a non-empty string)"},
        {{"--simulate", longKey.path(), "variant"},
         "unknown scenario key \"" + std::string(40, 'k') + "...\""},
        {"--demo user-service upload",
         "rpanelctl: user-service upload needs NAME=VALUE for each setting to change\n"
         "Try 'rpanelctl user-service --help' for more information.\n"},
        {"--demo variant extra",
         "rpanelctl: wrong arguments for variant; usage: rpanelctl variant \n"
         "Try 'rpanelctl variant --help' for more information.\n"},
        {"--demo status --xml", "wrong arguments for status"},
        {"--demo info --ini", "wrong arguments for info"},
        {{"--demo", "info", "--ini", ""}, "wrong arguments for info"},
        {"--demo info --json --ini x", "wrong arguments for info"},
        // The field engineer's code, exactly.
        {"--demo service-mode download", "access code"},
        {"--demo --access-code FieldEngineer service-mode download", "access code"},
        {{"--demo", "--access-code", "fieldengineer ", "service-mode", "replace", "fuser"},
         "access code"},
        {"--demo user-service upload topAdjust=1", "unknown setting \"topAdjust\""},
        {"--demo user-service upload topAdjustPlain=16", "topAdjustPlain must be -15 to 15"},
        {"--demo user-service upload transferLabel=8", "transferLabel must be -8 to 7"},
        {"--demo user-service upload gdiTimeout=60", "gdiTimeout must be 0 to 6"},
        {"--demo user-service upload flicker=1x", "\"1x\" is not a number"},
        {"--demo user-service upload flicker=99999999999", "is not a number"},
        {"--demo user-service upload flicker", "\"flicker\" is not NAME=VALUE"},
        {"--demo user-service upload =1", "is not NAME=VALUE"},
        {"--demo user-service test-pattern 3", "wrong arguments for user-service"},
        {"--demo --access-code fieldengineer service-mode upload plainTemperature=3",
         "must be 0 to 2"},
        {"--demo --access-code fieldengineer service-mode upload jamCounter=0", "unknown setting"},
        {"--demo --access-code fieldengineer service-mode replace drum", "wrong arguments"},
        {"--demo defaults energy-save=10", "energy-save must be 5, 15, 30 or 60"},
        {"--demo defaults toner-low=yes", "toner-low must be on or off"},
        {"--demo defaults colour=on", "unknown setting \"colour\""},
        {"--demo toner rotate", "wrong arguments for toner"},
        {"--demo calibrate now", "wrong arguments for calibrate"},
    };
    for (const char* timeout : {"0", "-5", "600001", "5s", ""}) {
        cases.push_back({{"--demo", "--timeout", timeout, "variant"}, "rpanelctl: --timeout "});
    }
    for (const char* watch : {"--interval -1", "--count 0", "--interval", "--every 5"}) {
        cases.push_back(
            {("--demo watch " + std::string(watch)).c_str(), "wrong arguments for watch"});
    }
    static const std::regex kShape(
        "rpanelctl: [^\n]*\nTry 'rpanelctl [^\n]*--help' for more information\\.\n");
    // Status 2, one line naming the fault and one pointing to the help, and no request sent.
    for (auto [args, complaint] : cases) {
        args.insert(args.begin(), "--trace");
        const CliOutcome run = RunRpanelctl(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_TRUE(std::regex_match(run.err, kShape)) << run.err;
        EXPECT_NE(run.err.find(complaint), std::string::npos) << run.err;
        EXPECT_LE(run.leftOpen, 0) << run.err;
    }
}

// Every "--option" a text mentions.
std::set<std::string> OptionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z-]*");
    return {std::sregex_token_iterator(text.begin(), text.end(), option),
            std::sregex_token_iterator()};
}

TEST(Rpanelctl, TheManualPageDescribesEveryCommandAndOption) {
    const std::string page = test::ReadFileBytes(RPANEL_SOURCE_DIR "/docs/man/rpanelctl.1.scd");
    for (const CliCommand& command : CliCommands()) {
        // A command is a term of its own under COMMANDS: "*status* [*--json*]".
        const std::size_t at = page.find("\n*" + std::string(command.name) + "*");
        ASSERT_NE(at, std::string::npos) << "document the command " << command.name;
        const std::string line = page.substr(at + 1, page.find('\n', at + 1) - at - 1);
        for (const std::string& option : OptionsIn(std::string(command.arguments))) {
            EXPECT_NE(line.find("*" + option + "*"), std::string::npos)
                << "document " << command.name << " " << option;
        }
    }
    const std::string usage = RunRpanelctl({"--help"}).out;
    const std::set<std::string> options = OptionsIn(usage.substr(0, usage.find("\ncommands:")));
    ASSERT_FALSE(options.empty()) << usage;
    for (const std::string& option : options) {
        EXPECT_NE(page.find("\n*" + option + "*"), std::string::npos)
            << "document the option " << option;
    }
}

}  // namespace
}  // namespace rpanel

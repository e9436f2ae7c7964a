// rpanelctl info, run in-process against the simulated printer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/cli_run.h"

namespace rpanel {
namespace {

namespace fs = std::filesystem;

using test::CliOutcome;
using test::RunRpanelctl;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A scratch INI file name and a scenario file, both removed afterwards.
class Scratch {
public:
    explicit Scratch(const std::string& scenario = "{}") : scenario_(scenario) {}
    std::string ini() const { return ini_.path(); }
    std::string scenario() const { return scenario_.path(); }

private:
    test::ScratchFile ini_{"info.INI"};
    test::ScenarioFile scenario_;
};

const fs::path kExpectedExport =
    fs::path(__FILE__).parent_path().parent_path() / "info/data/demo-printer-en-US.ini";

TEST(RpanelctlInfo, PrintsEachPageCaptionThenItsLabelsWithTheirValues) {
    const CliOutcome run = RunRpanelctl({"--demo", "--lang", "en-US", "info"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.leftOpen, 0);
    EXPECT_EQ(run.out.rfind("Supplies Status\n  - Supplies Status -\n  Status\n", 0), 0u);
    for (const char* line : {
             "\n  Toner Cartridge Magenta             \tReady\t64%\tStandard\n",
             "\n  Photoconductor Unit\tReady\t83%\n",
             "\nCounter\n  - Counter -\n  Total Faces Counter:                \t12874\n",
             "\n  \t117/217/317/417/517/617/717/817/917/1017/1117/1217/1317/1417\n",
             "\n  Toner Out Stop\tOff\n",
             "\nAdjustment\n  - Adjustment -\n",
             "\n  Envelope\t-2\n  Labels\t0\n",
         }) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
}

TEST(RpanelctlInfo, JsonHasTheSevenPagesWithEveryControlById) {
    const CliOutcome run = RunRpanelctl({"--demo", "--lang", "en-US", "info", "--json"});
    ASSERT_EQ(run.status, 0);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    const auto& pages = document.at("pages");
    ASSERT_EQ(pages.size(), 7u);
    const char* captions[] = {"Supplies Status", "Coverage Information", "Counter",   "Paper",
                              "Machine Setting", "Firmware Version",     "Adjustment"};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(pages[i].at("caption"), captions[i]);
    }
    EXPECT_EQ(pages[0].at("controls").size(), 9u + 14u);
    EXPECT_EQ(pages[0].at("controls").at("1099"), "Ready");
    EXPECT_EQ(pages[0].at("controls").at("1112"), "Starter");
    EXPECT_EQ(pages[4].at("controls").at("1145"), "15");
    EXPECT_EQ(pages[6].at("controls").at("1169"), "-3");
    EXPECT_EQ(RunRpanelctl({"--demo", "--lang", "en-US", "info", "--json"}).out, run.out)
        << "stable";
}

TEST(RpanelctlInfo, IniIsWhatTheViewersSaveWrites) {
    Scratch scratch;
    const CliOutcome run =
        RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", scratch.ini()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(scratch.ini()), ReadFile(kExpectedExport));

    const CliOutcome unwritable = RunRpanelctl(
        {"--demo", "--lang", "en-US", "info", "--ini", scratch.ini() + ".d/missing.INI"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "The INI file could not be written\n");
}

TEST(RpanelctlInfo, EveryFormFailsWhenThePrinterCannotBeOpened) {
    Scratch scratch(R"({"present": false})");
    for (std::vector<std::string> form :
         {std::vector<std::string>{}, {"--json"}, {"--ini", scratch.ini()}}) {
        std::vector<std::string> args = {"--simulate", scratch.scenario(), "--lang", "en-US",
                                         "info"};
        args.insert(args.end(), form.begin(), form.end());
        const CliOutcome run = RunRpanelctl(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "Open USB is failed\n");
        EXPECT_EQ(run.leftOpen, 0);
    }
    EXPECT_FALSE(fs::exists(scratch.ini()));
}

// A failed read fails the run, a reply of another kind is only reported, and the pages are
// still a valid JSON document on the output, even with 8-bit text that is not UTF-8.
TEST(RpanelctlInfo, MessagesGoToTheErrorStreamAndTheJsonStaysValid) {
    Scratch scratch(R"({"replies": {"13:0x0100": null, "13:0x0200": "@PJL INFO CONFIGTONER\r\n",
        "13:0x0300": {"hex": "4d414348494e4553455249414c3d41e90d0a"}}})");
    const CliOutcome run =
        RunRpanelctl({"--simulate", scratch.scenario(), "--lang", "en-US", "info", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Send command to F/W is failed\nNot compatible commands\n");
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["pages"][0]["controls"]["1104"], "%");
    EXPECT_EQ(document["pages"][4]["controls"]["1144"], "A\xEF\xBF\xBD");
}

TEST(RpanelctlInfo, OtherArgumentsAreAUsageError) {
    for (std::vector<std::string> form :
         {std::vector<std::string>{"--xml"}, {"--ini"}, {"--ini", ""}, {"--json", "--ini", "x"}}) {
        std::vector<std::string> args = {"--demo", "info"};
        args.insert(args.end(), form.begin(), form.end());
        EXPECT_EQ(RunRpanelctl(args).status, 2);
    }
}

}  // namespace
}  // namespace rpanel

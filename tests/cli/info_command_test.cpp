// rpanelctl info, run in-process against the simulated printer.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::RunRpanelctl;

TEST(RpanelctlInfo, PrintsEachPageCaptionThenItsLabelsWithTheirValues) {
    const CliOutcome run = RunRpanelctl({"--demo", "--lang", "en-US", "info"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.leftOpen, 0);
    EXPECT_EQ(run.out.rfind("Supplies Status\n  - Supplies Status -\n  Status\n", 0), 0u);
    for (const char* line : {
             "\n  Toner Cartridge Magenta             \tReady\t64%\tStandard\n",
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
    const auto pages = nlohmann::json::parse(run.out).at("pages");
    ASSERT_EQ(pages.size(), 7u);
    EXPECT_EQ(pages[0].at("caption"), "Supplies Status");
    EXPECT_EQ(pages[6].at("caption"), "Adjustment");
    EXPECT_EQ(pages[0].at("controls").size(), 9u + 14u);
    EXPECT_EQ(pages[0].at("controls").at("1112"), "Starter");
    EXPECT_EQ(pages[4].at("controls").at("1145"), "15");
    EXPECT_EQ(pages[6].at("controls").at("1169"), "-3");
}

constexpr char kDemoIni[] = RPANEL_SOURCE_DIR "/tests/info/data/demo-printer-en-US.ini";

TEST(RpanelctlInfo, IniIsWhatTheViewersSaveWritesToAFileOrTheOutput) {
    const test::ScratchFile ini("info.INI");
    const CliOutcome run = RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", ini.path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFileBytes(ini.path()), test::ReadFileBytes(kDemoIni));

    const CliOutcome out = RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", "-"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.err, "");
    EXPECT_EQ(out.out, test::ReadFileBytes(kDemoIni));

    const std::string missing = ini.path() + ".d/missing.INI";
    const CliOutcome unwritable =
        RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", missing});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "The INI file could not be written\nrpanelctl: " + missing +
                                  ": No such file or directory\n");
}

// Any read of the sequence that fails leaves the file as it was: blanks and zeros saved in its
// place would look like what the printer reported.
TEST(RpanelctlInfo, IniIsNotWrittenAfterAFailedRead) {
    const struct {
        const char* replies;
        const char* messages;  // before the complaint about the INI file
    } kFailedReads[] = {
        {R"("13:0x0200": null)", "Send command to F/W is failed\n"},
        {R"("13:0x0300": "@PJL INFO CONFIGTONER\r\n")", "Not compatible commands\n"},
        {R"("61": null)", ""},  // a value of the replacement line, read without a message
        {R"("22": null)", "Send command to F/W is failed\n"},
    };
    const test::ScratchFile ini("kept.INI");
    for (const auto& read : kFailedReads) {
        ini.Write("[Previous]\r\nKeep=me\r\n");
        const test::ScenarioFile scenario(std::string(R"({"replies": {)") + read.replies + "}}");
        for (const std::string& path : {ini.path(), std::string("-")}) {
            const CliOutcome run = RunRpanelctl(
                {"--simulate", scenario.path(), "--lang", "en-US", "info", "--ini", path});
            EXPECT_EQ(run.status, 1) << read.replies;
            EXPECT_EQ(run.out, "") << read.replies;
            EXPECT_EQ(run.err, std::string(read.messages) +
                                   "The INI file could not be written\nrpanelctl: " +
                                   (path == "-" ? "" : path + ": ") +
                                   "Not all of the machine information could be read\n")
                << read.replies;
            EXPECT_EQ(test::ReadFileBytes(ini.path()), "[Previous]\r\nKeep=me\r\n") << read.replies;
        }
    }
}

// A failed read fails the run, a reply of another kind is only reported, and the pages are
// still a valid JSON document on the output, even with 8-bit text that is not UTF-8.
TEST(RpanelctlInfo, MessagesGoToTheErrorStreamAndTheJsonStaysValid) {
    const test::ScenarioFile scenario(
        R"({"replies": {"13:0x0100": null, "13:0x0200": "@PJL INFO CONFIGTONER\r\n",
        "13:0x0300": {"hex": "4d414348494e4553455249414c3d41e90d0a"}}})");
    const CliOutcome run =
        RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", "info", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "Send command to F/W is failed\nNot compatible commands\nrpanelctl: some of the "
              "machine information could not be read; it is shown as unknown\n");
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["pages"][0]["controls"]["1104"], nullptr);
    EXPECT_EQ(document["replies"]["machine"]["MACHINESERIAL"], "A\u00e9");
    EXPECT_EQ(document["replies"]["machine"]["MACHINEENERGYSAVE"], nullptr);
    EXPECT_EQ(document["pages"][4]["controls"]["1144"], "A\xEF\xBF\xBD");
}

// A value read that brings nothing (request 60, the sixth of the first block) is not shown as
// a zero: its value line is unknown and its JSON entry null.
TEST(RpanelctlInfo, AValueBlockWithAnEntryMissingIsUnknown) {
    const test::ScenarioFile scenario(R"({"replies": {"60": null}})");
    const CliOutcome json =
        RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", "info", "--json"});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["values1"][4], 517);
    EXPECT_EQ(document["values1"][5], nullptr);
    EXPECT_EQ(document["values2"][0], 1517);
    const CliOutcome text =
        RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", "info"});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find("  \tunknown\n  \t1517/1617/"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace rpanel

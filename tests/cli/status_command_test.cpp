// rpanelctl status, run in-process against scripted printers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;

// Runs rpanelctl status with the printer answering as the scenario's replies say (nothing
// scripted: the demo printer's status).
CliOutcome RunStatus(const std::string& replies, std::vector<std::string> commandArgs = {}) {
    const test::ScenarioFile scenario(R"({"replies": {)" + replies + "}}");
    std::vector<std::string> args = {"--simulate", scenario.path(), "--lang", "en-US", "status"};
    args.insert(args.end(), commandArgs.begin(), commandArgs.end());
    return test::RunRpanelctl(args);
}

TEST(RpanelctlStatus, PrintsEachCodeWithItsDisplayLines) {
    const CliOutcome run = RunStatus(R"("9": "X=000000,204008,,100005\r\n")");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "000000  READY\n"
              "204008  TONER OUT\n"
              "        CHANGE K TONER \n"
              "(empty)  (not in the display table)\n"
              "100005  (not in the display table)\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.leftOpen, 0);
}

TEST(RpanelctlStatus, SaysSoWhenThePrinterReportsNoCode) {
    EXPECT_EQ(RunStatus(R"("9": "X=000000")").out, "no status codes\n");
    EXPECT_EQ(RunStatus(R"("9": "X=000000")", {"--json"}).out, "{\n  \"entries\": []\n}\n");
}

TEST(RpanelctlStatus, ShowsBytesATerminalWouldActOnAsEscapes) {
    const CliOutcome run = RunStatus(R"("9": {"hex": "583D1B5B324AE90D0A"})");  // X=ESC[2J é CR LF
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\\x1B[2J\\xE9  (not in the display table)\n");
}

TEST(RpanelctlStatus, JsonGivesCodesAndLinesExactlyAsDrawn) {
    // X=204008,303009,,20 é CR LF
    const CliOutcome run =
        RunStatus(R"("9": {"hex": "583D3230343030382C3330333030392C2C3230E90D0A"})", {"--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    // Key order included: the document reads back as this one.
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out), nlohmann::ordered_json::parse(R"({"entries": [
        {"code": "204008", "lines": ["TONER OUT", "CHANGE K TONER "]},
        {"code": "303009", "lines": ["WRONG TONER YK"]},
        {"code": "", "lines": []},
        {"code": "20\u00e9", "lines": []}]})"));
}

TEST(RpanelctlStatus, AFailedReadShowsMessage25AndPrintsNothingElse) {
    for (const char* format : {"", "--json"}) {
        const CliOutcome run = RunStatus(R"("9": null)", *format ? std::vector<std::string>{format}
                                                                 : std::vector<std::string>{});
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_EQ(run.out, "") << format;
        EXPECT_EQ(run.err, "Send command to F/W is failed\n") << format;
        EXPECT_EQ(run.leftOpen, 0);
    }
}

TEST(RpanelctlStatus, SendsRequest9AndRefusesUnknownArguments) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli({"--demo", "--trace", "status"}, out, err), 0);
    EXPECT_EQ(err.str(), "REQ 9 0x0000 1 1024 -> 38\n");

    const CliOutcome run = RunStatus("", {"--xml"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace rpanel

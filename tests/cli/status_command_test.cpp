// rpanelctl status, run in-process against scripted printers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;

// Runs rpanelctl status with the printer answering request 9 with the scenario's reply.
CliOutcome RunStatus(const std::string& reply, bool json = false) {
    const test::ScenarioFile scenario(R"({"replies": {"9": )" + reply + "}}");
    std::vector<std::string> args = {"--simulate", scenario.path(), "--lang", "en-US", "status"};
    if (json) {
        args.push_back("--json");
    }
    return test::RunRpanelctl(args);
}

TEST(RpanelctlStatus, PrintsEachCodeWithItsDisplayLines) {
    const CliOutcome run = RunStatus(R"("X=000000,204008,,100005\r\n")");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "000000  READY\n"
              "204008  TONER OUT\n"
              "        CHANGE K TONER \n"
              "(empty)  (not in the display table)\n"
              "100005  (not in the display table)\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.leftOpen, 0);
    EXPECT_EQ(RunStatus(R"("X=000000")").out, "no status codes\n");
    EXPECT_EQ(RunStatus(R"("X=000000")", true).out, "{\n  \"schema\": 1,\n  \"entries\": []\n}\n");
}

TEST(RpanelctlStatus, ShowsBytesATerminalWouldActOnAsEscapes) {
    const CliOutcome run = RunStatus(R"({"hex": "583D1B5B324AE90D0A"})");  // X=ESC[2J é CR LF
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\\x1B[2J\\xE9  (not in the display table)\n");
}

TEST(RpanelctlStatus, JsonGivesCodesAndLinesExactlyAsDrawn) {
    // X=204008,303009,,20 é CR LF
    const CliOutcome run =
        RunStatus(R"({"hex": "583D3230343030382C3330333030392C2C3230E90D0A"})", true);
    EXPECT_EQ(run.status, 0) << run.err;
    // Key order included: the document reads back as this one.
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out),
              nlohmann::ordered_json::parse(R"({"schema": 1, "entries": [
        {"code": "204008", "lines": ["TONER OUT", "CHANGE K TONER "]},
        {"code": "303009", "lines": ["WRONG TONER YK"]},
        {"code": "", "lines": []},
        {"code": "20\u00e9", "lines": []}]})"));
}

TEST(RpanelctlStatus, AFailedReadShowsMessage25AndPrintsNothingElse) {
    for (bool json : {false, true}) {
        const CliOutcome run = RunStatus("null", json);
        EXPECT_EQ(run.status, 1) << json;
        EXPECT_EQ(run.out, "") << json;
        EXPECT_EQ(run.err, "Send command to F/W is failed\n") << json;
        EXPECT_EQ(run.leftOpen, 0);
    }
}

}  // namespace
}  // namespace rpanel

// rpanelctl tells why the printer could not be opened when the system gives a reason.
#include <gtest/gtest.h>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::RunRpanelctl;
using test::ScenarioFile;

constexpr char kRefusingPrinter[] =
    R"({"faults": {"refuse_open": "the printer at 1-1 is attached but this user may not open it"}})";

TEST(RpanelctlOpenFailure, TheReasonFollowsMessage26OnTheErrorStream) {
    ScenarioFile scenario(kRefusingPrinter);
    for (const char* command : {"variant", "status", "info"}) {
        CliOutcome run = RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", command});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(run.err,
                  "Open USB is failed\n"
                  "rpanelctl: the printer at 1-1 is attached but this user may not open it\n")
            << command;
        EXPECT_EQ(run.leftOpen, 0) << command;
    }
}

TEST(RpanelctlOpenFailure, TheReasonComesInEveryLanguageAfterTheTranslatedMessage) {
    ScenarioFile scenario(kRefusingPrinter);
    CliOutcome german = RunRpanelctl({"--simulate", scenario.path(), "--lang", "de-DE", "variant"});
    const std::string reasonLine =
        "rpanelctl: the printer at 1-1 is attached but this user may not open it\n";
    ASSERT_GE(german.err.size(), reasonLine.size());
    EXPECT_EQ(german.err.substr(german.err.size() - reasonLine.size()), reasonLine);
    EXPECT_EQ(german.status, 1);
}

TEST(RpanelctlOpenFailure, AnAbsentPrinterGetsNoReasonLine) {
    ScenarioFile scenario(R"({"present": false, "faults": {"refuse_open": "not this one"}})");
    CliOutcome run = RunRpanelctl({"--simulate", scenario.path(), "--lang", "en-US", "variant"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Open USB is failed\n");
}

}  // namespace
}  // namespace rpanel

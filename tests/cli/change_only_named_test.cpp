// rpanelctl's uploads and defaults change only what they are given: the current values are read
// first and sent back for the settings not named; when one of them could not be read nothing
// is sent. Each case: the command, the simulated printer, every write sent (code -> value, in
// the trace's literal form), the exit status and what the error stream must name.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using test::CliOutcome;
using test::ScenarioFile;
using Writes = std::map<int, unsigned>;

// The request codes that write a setting: the User Service page's, the Service Mode page's
// and the panel's defaults.
bool IsWrite(int code) {
    return (code >= 15 && code <= 17) || code == 19 || code == 21 || code == 23 ||
           (code >= 25 && code <= 37) || (code >= 41 && code <= 49 && code % 2 == 1);
}

Writes WritesSent(const std::string& trace) {
    Writes writes;
    std::istringstream lines(trace);
    std::string line;
    while (std::getline(lines, line)) {
        int code = 0;
        unsigned value = 0;
        if (std::sscanf(line.c_str(), "REQ %d 0x%x", &code, &value) == 2 && IsWrite(code)) {
            EXPECT_FALSE(writes.contains(code)) << "sent twice: " << line;
            writes[code] = value;
        }
    }
    return writes;
}

constexpr char kAccess[] = "--access-code=fieldengineer";

// The demo printer: GDI timeout 2, energy save on, flicker 0; adjustments top plain 0, thick
// 2, envelope -3, left 0, transfer 0, 1, 2, 0, -2, 0 (sent as setting + 15 or + 8, high byte);
// warnings on, every temperature 1; TONERLOWMSG 1, MACHINETONEREMPTY OFF, energy save 15
// minutes, MACHINEAUTOCONTO ON.
const Writes kDemoUserService = {{21, 0x0200}, {23, 0x0100}, {25, 0x0000}, {26, 0x0000},
                                 {27, 0x0F00}, {28, 0x1100}, {29, 0x0C00}, {30, 0x0F00},
                                 {32, 0x0800}, {33, 0x0900}, {34, 0x0A00}, {35, 0x0800},
                                 {36, 0x0600}, {37, 0x0800}};

Writes With(Writes writes, const Writes& changed) {
    for (const auto& [code, value] : changed) {
        writes[code] = value;
    }
    return writes;
}

TEST(RpanelctlChanges, SendBackWhatWasReadAndOnlyTheNamedValuesChanged) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* scenario;  // null: the demo printer
        Writes writes;
        int status;
        const char* named;  // in the error stream
    } cases[] = {
        {"thick top adjustment 2 stays 2",
         {"user-service", "upload", "topAdjustPlain=3"},
         nullptr,
         With(kDemoUserService, {{27, 0x1200}}),
         0,
         ""},
        {"several named",
         {"user-service", "upload", "gdiTimeout=0", "transferLabel=-8"},
         nullptr,
         With(kDemoUserService, {{21, 0x0000}, {37, 0x0000}}),
         0,
         ""},
        {"a supplies reply that fails does not hold the adjustments up",
         {"user-service", "upload", "flicker=2"},
         R"({"replies": {"13:0x0100": null}})",
         With(kDemoUserService, {{25, 0x0200}}),
         0,
         "Send command to F/W is failed"},
        {"the other temperatures stay",
         {kAccess, "service-mode", "upload", "plainTemperature=2"},
         nullptr,
         {{41, 0x0100}, {43, 0x0100}, {45, 0x0200}, {47, 0x0100}, {49, 0x0100}},
         0,
         ""},
        {"a counter not read does not hold the settings up",
         {kAccess, "service-mode", "upload", "puLowWarning=0"},
         R"({"replies": {"53": null}})",
         {{41, 0x0100}, {43, 0x0000}, {45, 0x0100}, {47, 0x0100}, {49, 0x0100}},
         0,
         ""},
        {"the other three defaults stay",
         {"defaults", "toner-low=off"},
         nullptr,
         {{19, 0x0000}, {15, 0x0000}, {16, 0x0F00}, {17, 0x0100}},
         0,
         ""},
        {"a time the page does not offer goes back as reported",
         {"defaults", "auto-continue=off"},
         R"({"replies": {"13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINEENERGYSAVE=45\r\nMACHINEAUTOCONTO=ON\r\nMACHINETONEREMPTY=ON\r\n"}})",
         {{19, 0x0100}, {15, 0x0100}, {16, 0x2D00}, {17, 0x0000}},
         0,
         ""},
        // Not read: nothing at all is sent, and the message names what was not read.
        {"a value read with no reply",
         {"user-service", "upload", "topAdjustPlain=1"},
         R"({"replies": {"24": null}})",
         {},
         1,
         "could not read the current value of flicker; nothing was sent"},
        {"an adjustment that is not a number, one missing",
         {"user-service", "upload", "flicker=1"},
         R"({"replies": {"13:0x0400": "@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=15\r\nADJTOPTHICK=x7\r\nADJTOPENVELOPE=12\r\nADJLEFTFRONT=15\r\nADJIMAGE=0\r\nADJTRANSPLAINFRONT=8\r\nADJTRANSTHICK1=9\r\nADJTRANSTHICK2=10\r\nADJTRANSPOSTCARD=8\r\nADJTRANSENVELOPE=6\r\n"}})",
         {},
         1,
         "of topAdjustThick, transferLabel; nothing"},
        {"the adjustment reply fails",
         {"user-service", "upload", "flicker=1"},
         R"({"replies": {"13:0x0400": null}})",
         {},
         1,
         "of imageAdjust, topAdjustPlain, topAdjustThick, topAdjustEnvelope,"},
        {"a temperature read with no reply",
         {kAccess, "service-mode", "upload", "plainTemperature=0"},
         R"({"replies": {"46": null}})",
         {},
         1,
         "current value of thickTemperature; nothing"},
        {"machine settings cut short by message 29 before two keys",
         {"defaults", "energy-save=5"},
         R"({"replies": {"13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINEENERGYSAVE=15\r\nJUNK\r\nMACHINEAUTOCONTO=ON\r\n"}})",
         {},
         1,
         "Not compatible commands\nrpanelctl: could not read the current value of "
         "toner-out-stop, auto-continue; nothing was sent\n"},
        {"toner-low message not a number",
         {"defaults", "energy-save=5"},
         R"({"replies": {"13:0x0100": "@PJL INFO CONFIGTONER\r\nTONERLOWMSG=ON\r\n"}})",
         {},
         1,
         "current value of toner-low; nothing"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--trace", "--lang", "en-US"};
        std::optional<ScenarioFile> scenario;
        if (c.scenario != nullptr) {
            scenario.emplace(c.scenario);
            args.insert(args.end(), {"--simulate", scenario->path()});
        } else {
            args.push_back("--demo");
        }
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliOutcome run = test::RunRpanelctl(args);
        EXPECT_EQ(run.status, c.status) << c.name << '\n' << run.err;
        EXPECT_EQ(WritesSent(run.err), c.writes) << c.name;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << c.name << '\n' << run.err;
        EXPECT_EQ(run.leftOpen, 0) << c.name;
    }
}

// A value not read is never printed as if it had been.
TEST(RpanelctlChanges, ReadsShowWhatWasNotReadAsUnknownOrNull) {
    const ScenarioFile scenario(
        R"({"replies": {"22": null, "53": null, "13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINESERIAL=S1\r\n"}})");
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"user-service", "download"}, "\nenergySaveOn=unknown\nflicker=0\n"},
        {{"user-service", "download", "--json"}, "\"energySaveOn\": null,"},
        {{kAccess, "service-mode", "download"}, "\njamCounter=unknown\n"},
        {{kAccess, "service-mode", "download", "--json"}, "\"jamCounter\": null,"},
        {{"defaults"}, "toner-low=on\ntoner-out-stop=unknown\nenergy-save=unknown\n"},
        {{"defaults", "--json"}, "\"toner-out-stop\": null,"},
        {{"info"}, "  Serial Number\tS1\n  Energy Save Mode (min)\tunknown\n"},
        {{"info", "--json"}, "\"MACHINEENERGYSAVE\": null,"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--simulate", scenario.path(), "--lang", "en-US"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliOutcome run = test::RunRpanelctl(args);
        EXPECT_EQ(run.status, 1) << c.out;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.out << "\n" << run.out;
    }
}

}  // namespace
}  // namespace rpanel

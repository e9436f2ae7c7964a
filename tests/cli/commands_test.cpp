// rpanelctl's commands, run in-process against the demo printer or a scripted one: what each
// prints, what it writes to the printer, and what it does when a read fails, when the printer
// cannot be opened or when it stops answering.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "support/cli_run.h"

namespace rpanel {
namespace {

using namespace std::chrono_literals;
using test::Args;
using test::CliOutcome;
using test::RunRpanelctl;
using test::ScratchFile;

// What a stream must hold: the text itself, or that of a file of tests/cli/data after '@', with
// "..." standing for anything.
bool Matches(const std::string& text, const std::string& expected) {
    if (expected.starts_with('@')) {
        return Matches(text, test::ReadFileBytes(std::filesystem::path(RPANEL_SOURCE_DIR) /
                                                 "tests/cli/data" / expected.substr(1)));
    }
    std::size_t at = 0, from = 0;
    for (std::size_t dots; (dots = expected.find("...", from)) != std::string::npos;
         from = dots + 3) {
        const std::size_t found = text.find(expected.substr(from, dots - from), at);
        if (found == std::string::npos || (from == 0 && found != 0)) {
            return false;
        }
        at = found + dots - from;
    }
    const std::string last = expected.substr(from);
    return from == 0 ? text == expected : text.size() >= at + last.size() && text.ends_with(last);
}

// The settings written and the commands sent, from the trace: "code:value" in the order sent.
// The codes that change something: 14 to 19, 21, 23, 25 to 37, 39, 41 to 49 odd, 50, 51, 85.
std::string ChangesSent(const std::string& trace) {
    static const std::regex kChange("REQ (1[4-9]|2[135-9]|3[0-79]|4[13579]|5[01]|85) 0x(\\w+) ");
    std::string sent;
    for (std::sregex_iterator it(trace.begin(), trace.end(), kChange), end; it != end; ++it) {
        sent += (sent.empty() ? "" : " ") + (*it)[1].str() + ":" + (*it)[2].str();
    }
    return sent;
}

// One run in English against the demo printer, or the scenario when there is one. With `sent`,
// the run is traced and the changes it sent are compared.
struct Probe {
    const char* scenario;
    test::Args args;
    int status;
    std::string out;
    std::string err;
    const char* sent = nullptr;
};

void Check(const std::vector<Probe>& probes) {
    for (const Probe& probe : probes) {
        const ScratchFile scenario("scenario.json", probe.scenario ? probe.scenario : "{}");
        Args args = {"--lang", "en-US",
                     probe.scenario != nullptr ? "--simulate=" + scenario.path() : "--demo"};
        if (probe.sent != nullptr) {
            args.push_back("--trace");
        }
        args.insert(args.end(), probe.args.begin(), probe.args.end());
        const CliOutcome run = RunRpanelctl(args);
        const std::string command = ::testing::PrintToString(probe.args);
        EXPECT_EQ(run.status, probe.status) << command << '\n' << run.err;
        EXPECT_PRED2(Matches, run.out, probe.out) << command;
        EXPECT_PRED2(Matches, run.err, probe.err) << command;
        if (probe.sent != nullptr) {
            EXPECT_EQ(ChangesSent(run.err), probe.sent) << command;
        }
        EXPECT_LE(run.leftOpen, 0) << command;
    }
}

TEST(Rpanelctl, CommandsPrintWhatThePrinterReports) {
    const char* unread =
        R"({"replies": {"22": null, "53": null, "13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINESERIAL=S1\r\n"}})";
    Check({
        {nullptr, "--trace variant", 0, "1\n", "REQ 80 0x0000 1 4 -> 4\n"},
        {R"({"replies": {"80": null}})", "--trace variant", 1, "",
         "REQ 80 0x0000 1 4 -> 0\nSend command to F/W is failed\n"},
        {nullptr, "devices", 0,
         "...device 0 (would be opened)...hardware ID: USB\\VID_0000&PID_0012&REV_0100\n"
         "...hardware ID: USB\\VID_0000&PID_0012\n...",
         "..."},
        {R"({"present": false})", "devices", 1, "...no printer...", "..."},
        // Every code with its display lines; bytes a terminal would act on as escapes.
        {R"({"replies": {"9": "X=000000,204008,,100005\r\n"}})", "status", 0, "@status.txt", ""},
        {R"({"replies": {"9": "X=000000"}})", "status", 0, "no status codes\n", ""},
        {R"({"replies": {"9": "X=000000"}})", "status --json", 0,
         "{\n  \"schema\": 1,\n  \"entries\": []\n}\n", ""},
        // X=ESC[2J é CR LF, and X=204008,303009,,20 é CR LF.
        {R"({"replies": {"9": {"hex": "583D1B5B324AE90D0A"}}})", "status", 0,
         "\\x1B[2J\\xE9  (not in the display table)\n", ""},
        {R"({"replies": {"9": {"hex": "583D3230343030382C3330333030392C2C3230E90D0A"}}})",
         "status --json", 0, "@status-codes.json", ""},
        {R"({"replies": {"9": null}})", "status", 1, "", "Send command to F/W is failed\n"},
        {R"({"replies": {"9": null}})", "status --json", 1, "", "Send command to F/W is failed\n"},
        {nullptr, "info", 0, "@info-parts.txt", ""},
        {nullptr, "info --ini -", 0, "@../../info/data/demo-printer-en-US.ini", ""},
        {R"({"replies": {"13:0x0300": {"hex": "4d414348494e4553455249414c3d411b5d3007e90d0a"}}})",
         "info", 1, "...\tA\\x1B]0\\x07\\xE9\n...", "..."},
        // A failed read fails the run, a reply of another kind is only reported, and the JSON
        // stays valid, even with 8-bit text that is not UTF-8.
        {R"({"replies": {"13:0x0100": null, "13:0x0200": "@PJL INFO CONFIGTONER\r\n",
            "13:0x0300": {"hex": "4d414348494e4553455249414c3d41e90d0a"}}})",
         "info --json", 1,
         "...\"1104\": null...\"caption\": \"Machine Setting\"...\"1144\": \"A\xEF\xBF\xBD\""
         "...\"MACHINESERIAL\": \"A\xC3\xA9\",\n      \"MACHINEENERGYSAVE\": null,...",
         "Send command to F/W is failed\nNot compatible commands\nrpanelctl: some of the machine "
         "information could not be read; it is shown as unknown\n"},
        // Request 60, the sixth value of the first block, brings nothing: unknown, not zero.
        {R"({"replies": {"60": null}})", "info --json", 1,
         "...\"values1\": [...\n    517,\n    null,\n...\"values2\": [\n    1517,...", "..."},
        {R"({"replies": {"60": null}})", "info", 1, "...  \tunknown\n  \t1517/1617/...", "..."},
        // One JSON document per command (checked by hand against the demo printer's replies).
        {nullptr, "--json devices", 0, "@devices.json", ""},
        {nullptr, "--json variant", 0, "@variant.json", ""},
        {nullptr, "--json status", 0, "@status.json", ""},
        {nullptr, "--json info", 0, "@info.json", ""},
        {nullptr, "--json user-service download", 0, "@user-service-download.json", ""},
        {nullptr, "--json --access-code fieldengineer service-mode download", 0,
         "@service-mode-download.json", ""},
        {nullptr, "--json defaults", 0, "@defaults.json", ""},
        {nullptr, "--json toner change", 0, "@toner-change.json", ""},
        {R"({"replies": {"14:0x0000": null}})", "--json toner change", 1,
         "@toner-change-refused.json", "..."},
        {R"({"replies": {"24": null}})", "--json user-service upload flicker=1", 1,
         "@user-service-unread.json", "..."},
        // Downloads print what upload takes back; the service counters are signed.
        {nullptr, "user-service download", 0, "@user-service-download.txt", ""},
        {R"({"replies": {"53": {"hex": "ffffffff"}}})",
         "--access-code fieldengineer service-mode download", 0, "@service-mode-download.txt", ""},
        // Ready, then toner low K, then toner out K; then a printer that goes away.
        {R"({"replies": {"9": ["X=000000\r\n", "X=000000,302008\r\n", "X=204008,302008\r\n"],
            "13:0x0100": "@PJL INFO CONFIGTONER\r\nCONSUMETCREMAINC=78\r\nCONSUMETCREMAINM=64\r\nCONSUMETCREMAINY=9\r\nCONSUMETCREMAINK=0\r\nCONSUMEICREMAIN=101\r\n"}})",
         "watch --interval 0 --count 3 --json", 0, "@watch.jsonl", ""},
        {R"({"replies": {"9": "X=302001\r\n"}, "faults": {"unplug_after": 4}})",
         "watch --interval 0 --count 4", 0,
         "warning: TONER LOW Y  C 78% M 64% Y 9% K 0% PU 83%\nnot connected\n", "..."},
        // A value not read is never printed as if it had been.
        {unread, "user-service download", 1, "...\nenergySaveOn=unknown\nflicker=0\n...", "..."},
        {unread, "user-service download --json", 1, "...\"energySaveOn\": null,...", "..."},
        {unread, "--access-code fieldengineer service-mode download", 1,
         "...\njamCounter=unknown\n...", "..."},
        {unread, "--access-code fieldengineer service-mode download --json", 1,
         "...\"jamCounter\": null,...", "..."},
        {unread, "defaults", 1, "...toner-low=on\ntoner-out-stop=unknown\nenergy-save=unknown\n...",
         "..."},
        {unread, "defaults --json", 1, "...\"toner-out-stop\": null,...", "..."},
        {unread, "info", 1, "...  Serial Number\tS1\n  Energy Save Mode (min)\tunknown\n...",
         "..."},
        {unread, "info --json", 1, "...\"MACHINEENERGYSAVE\": null,...", "..."},
    });
}

// Commands send what they are given; uploads and defaults send back the current values of the
// settings not named, and nothing at all when one of them could not be read.
TEST(Rpanelctl, CommandsChangeOnlyWhatTheyAreGiven) {
    Check({
        {nullptr, "user-service test-pattern 2", 0, "Print Test Pattern 2 OK             \n", "...",
         "39:0100"},
        {nullptr, "user-service image-refresh", 0, "", "...", "85:0000"},
        {nullptr, "--access-code fieldengineer service-mode replace roller", 0,
         "Replace Transfer Roller OK\n", "...", "50:0000"},
        {nullptr, "--access-code fieldengineer service-mode replace fuser", 0,
         "Replace Fuser Unit OK\n", "...", "51:0000"},
        {nullptr, "toner eject", 0, "Command is sent successfully\n", "...", "14:0100"},
        {nullptr, "clean-up", 0, "Command is sent successfully\n", "...", "14:0200"},
        {nullptr, "calibrate", 0, "Send Calibration command to machine successfully\n", "...",
         "18:0000"},
        // The demo printer: adjustments sent as setting + 15 or + 8 in the high byte.
        {nullptr, "user-service upload topAdjustPlain=3", 0, "...", "...",
         "21:0200 23:0100 25:0000 26:0000 27:1200 28:1100 29:0C00 30:0F00 32:0800 33:0900 "
         "34:0A00 35:0800 36:0600 37:0800"},
        {nullptr, "user-service upload gdiTimeout=0 transferLabel=-8", 0, "...", "...",
         "21:0000 23:0100 25:0000 26:0000 27:0F00 28:1100 29:0C00 30:0F00 32:0800 33:0900 "
         "34:0A00 35:0800 36:0600 37:0000"},
        {R"({"replies": {"13:0x0100": null}})", "user-service upload flicker=2", 0, "...",
         "...Send command to F/W is failed...",
         "21:0200 23:0100 25:0200 26:0000 27:0F00 28:1100 29:0C00 30:0F00 32:0800 33:0900 "
         "34:0A00 35:0800 36:0600 37:0800"},
        // Without the energy-save switch the printer keeps it on.
        {R"({"values": {"80": 2}})", "user-service upload energySaveOn=0", 0, "...",
         "...no energy-save switch...",
         "21:0200 23:0100 25:0000 26:0000 27:0F00 28:1100 29:0C00 30:0F00 32:0800 33:0900 "
         "34:0A00 35:0800 36:0600 37:0800"},
        {nullptr, "--access-code=fieldengineer service-mode upload plainTemperature=2", 0, "...",
         "...", "41:0100 43:0100 45:0200 47:0100 49:0100"},
        {R"({"replies": {"53": null}})",
         "--access-code=fieldengineer service-mode upload puLowWarning=0", 0, "...", "...",
         "41:0100 43:0000 45:0100 47:0100 49:0100"},
        {nullptr, "defaults toner-low=off", 0, "...", "...", "19:0000 15:0000 16:0F00 17:0100"},
        // A time the page does not offer goes back as reported.
        {R"({"replies": {"13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINEENERGYSAVE=45\r\nMACHINEAUTOCONTO=ON\r\nMACHINETONEREMPTY=ON\r\n"}})",
         "defaults auto-continue=off", 0, "...", "...", "19:0100 15:0100 16:2D00 17:0000"},
        // Not read: nothing sent, and the message names what was not read.
        {R"({"replies": {"24": null}})", "user-service upload topAdjustPlain=1", 1, "",
         "...could not read the current value of flicker; nothing was sent...", ""},
        {R"({"replies": {"13:0x0400": "@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=15\r\nADJTOPTHICK=x7\r\nADJTOPENVELOPE=12\r\nADJLEFTFRONT=15\r\nADJIMAGE=0\r\nADJTRANSPLAINFRONT=8\r\nADJTRANSTHICK1=9\r\nADJTRANSTHICK2=10\r\nADJTRANSPOSTCARD=8\r\nADJTRANSENVELOPE=6\r\n"}})",
         "user-service upload flicker=1", 1, "", "...of topAdjustThick, transferLabel; nothing...",
         ""},
        {R"({"replies": {"13:0x0400": null}})", "user-service upload flicker=1", 1, "",
         "...of imageAdjust, topAdjustPlain, topAdjustThick, topAdjustEnvelope,...", ""},
        {R"({"replies": {"46": null}})",
         "--access-code=fieldengineer service-mode upload plainTemperature=0", 1, "",
         "...current value of thickTemperature; nothing...", ""},
        {R"({"replies": {"13:0x0300": "@PJL INFO CONFIGMACHINE\r\nMACHINEENERGYSAVE=15\r\nJUNK\r\nMACHINEAUTOCONTO=ON\r\n"}})",
         "defaults energy-save=5", 1, "",
         "...Not compatible commands\nrpanelctl: could not read the current value of "
         "toner-out-stop, auto-continue; nothing was sent\n",
         ""},
        {R"({"replies": {"13:0x0100": "@PJL INFO CONFIGTONER\r\nTONERLOWMSG=ON\r\n"}})",
         "defaults energy-save=5", 1, "", "...current value of toner-low; nothing...", ""},
    });
}

// The INI file is what the viewer's save writes; any read that fails leaves the file as it
// was, since blanks and zeros in its place would look like what the printer reported.
TEST(Rpanelctl, InfoIniIsWrittenOnlyWhenEveryReadSucceeded) {
    const test::ScratchFile ini("info.INI");
    CliOutcome run = RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", ini.path()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_PRED2(Matches, test::ReadFileBytes(ini.path()),
                 "@../../info/data/demo-printer-en-US.ini");
    const std::string missing = ini.path() + ".d/missing.INI";
    run = RunRpanelctl({"--demo", "--lang", "en-US", "info", "--ini", missing});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The INI file could not be written\nrpanelctl: " + missing +
                           ": No such file or directory\n");
    const std::pair<const char*, std::string> failedReads[] = {
        {R"("13:0x0200": null)", "Send command to F/W is failed\n"},
        {R"("13:0x0300": "@PJL INFO CONFIGTONER\r\n")", "Not compatible commands\n"},
        {R"("61": null)", ""},  // a value of the replacement line, read without a message
        {R"("22": null)", "Send command to F/W is failed\n"},
    };
    for (const auto& [replies, messages] : failedReads) {
        SCOPED_TRACE(replies);
        const ScratchFile scenario("scenario.json",
                                   R"({"replies": {)" + std::string(replies) + "}}");
        for (const std::string& path : {ini.path(), std::string("-")}) {
            ini.Write("[Previous]\r\nKeep=me\r\n");
            run = RunRpanelctl(
                {"--simulate", scenario.path(), "--lang", "en-US", "info", "--ini", path});
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, messages + "The INI file could not be written\nrpanelctl: " +
                                   (path == "-" ? "" : path + ": ") +
                                   "Not all of the machine information could be read\n");
            EXPECT_EQ(test::ReadFileBytes(ini.path()), "[Previous]\r\nKeep=me\r\n");
        }
    }
}

CliOutcome RunUnder(const ScratchFile& scenario, Args args) {
    args.insert(args.begin(), {"--simulate", scenario.path(), "--lang", "en-US", "--timeout", "300",
                               "--access-code", "fieldengineer"});
    return test::RunRpanelctl(args);
}

// Every command, and every form that reads something else.
std::vector<Args> Commands(const ScratchFile& ini) {
    std::vector<Args> commands = {{"info", "--ini", ini.path()}};
    std::istringstream list(
        "variant,status,status --json,info,info --json,user-service download,"
        "user-service upload topAdjustPlain=1,user-service test-pattern 1,"
        "user-service image-refresh,service-mode download,service-mode upload plainTemperature=1,"
        "service-mode replace fuser,defaults,defaults toner-low=off,toner change,clean-up,"
        "calibrate,watch --interval 0 --count 2");
    for (std::string command; std::getline(list, command, ',');) {
        commands.emplace_back(command.c_str());
    }
    return commands;
}

TEST(Rpanelctl, APrinterThatCannotBeOpenedEndsEveryCommandWithMessage26) {
    const std::string reason = "the printer at 1-1 is attached but this user may not open it";
    const ScratchFile refusing("refusing.json",
                               R"({"faults": {"refuse_open": ")" + reason + "\"}}");
    // An absent printer has no reason to give, whatever an opening would have said.
    const ScratchFile absent("absent.json",
                             R"({"present": false, "faults": {"refuse_open": "not this one"}})");
    const test::ScratchFile ini("info.INI");
    for (const ScratchFile* scenario : {&refusing, &absent}) {
        for (const Args& args : Commands(ini)) {
            if (args[0] == "watch") {
                continue;  // watch shows the printer as not connected and carries on
            }
            SCOPED_TRACE(::testing::PrintToString(args));
            const CliOutcome run = RunUnder(*scenario, args);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "Open USB is failed\n" +
                                   (scenario == &refusing ? "rpanelctl: " + reason + "\n" : ""));
            EXPECT_EQ(run.leftOpen, 0);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(ini.path()));
    // The reason comes in every language, after the translated message.
    const CliOutcome german =
        test::RunRpanelctl({"--simulate", refusing.path(), "--lang", "de-DE", "variant"});
    EXPECT_EQ(german.status, 1);
    EXPECT_TRUE(german.err.ends_with("\nrpanelctl: " + reason + "\n")) << german.err;
    EXPECT_FALSE(german.err.starts_with("Open USB is failed\n")) << german.err;
}

TEST(Rpanelctl, ASilentPrinterCostsEveryCommandOneTimeoutAtMost) {
    std::string silent = R"({"replies": {"0": null)";
    for (int code = 1; code < 256; ++code) {
        silent += ", \"" + std::to_string(code) + "\": null";
    }
    const ScratchFile quiet("silent.json", silent + "}}");
    const test::ScratchFile ini("info.INI");
    for (const int answered : {0, 1, 3, 20}) {
        const ScratchFile hanging(
            "hanging.json", R"({"faults": {"hang_after": )" + std::to_string(answered) + "}}");
        for (const Args& args : Commands(ini)) {
            SCOPED_TRACE(::testing::PrintToString(args) + " after " + std::to_string(answered));
            const CliOutcome run = RunUnder(hanging, args);
            // watch reads two rounds, each its own frame.
            const int allowed = args[0] == "watch" ? 2 : 1;
            EXPECT_LE(run.timeouts, allowed);
            EXPECT_LE(run.waited, allowed * 300ms);
            if (answered == 0 && allowed == 1) {
                // The same messages and outcome as from a printer that answers nothing.
                const CliOutcome silentRun = RunUnder(quiet, args);
                EXPECT_EQ(run.timeouts, 1);
                EXPECT_EQ(run.waited, 300ms);
                // Only the image refresh goes unexamined.
                EXPECT_EQ(run.status, args.back() == "image-refresh" ? 0 : 1);
                EXPECT_EQ(std::tie(run.status, run.out, run.err),
                          std::tie(silentRun.status, silentRun.out, silentRun.err));
            }
        }
    }
    // The four information replies and the energy-save read each report their failure.
    EXPECT_PRED2(Matches, RunUnder(quiet, "info").err, "@silent-info.txt");
}

}  // namespace
}  // namespace rpanel

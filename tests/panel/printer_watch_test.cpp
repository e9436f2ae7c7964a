// What a watch round makes of the printer's replies, and how it shares the link with commands.
#include "panel/printer_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "link/printer_command.h"
#include "panel/status_code.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using Supplies = std::array<int, kSupplyCount>;
constexpr int kUnknown = kSupplyUnknown;

std::vector<StatusCode> Codes(std::initializer_list<const char*> texts) {
    std::vector<StatusCode> codes;
    for (const char* text : texts) {
        codes.push_back(ToStatusCode(text));
    }
    return codes;
}

TEST(PrinterWatch, SuppliesAreTakenOnlyAsPercentsFrom0To100) {
    using namespace std::string_literals;
    struct Case {
        std::string reply;
        Supplies supplies;
    };
    const Case cases[] = {
        {"@PJL INFO CONFIGTONER\r\nCONSUMETCREMAINC=78\r\nCONSUMETCREMAINM=64\r\n"
         "CONSUMETCREMAINY=9\r\nCONSUMETCREMAINK=0\r\nCONSUMEICREMAIN=100\r\n",
         {78, 64, 9, 0, 100}},
        {"CONSUMETCREMAINC=101\r\nCONSUMETCREMAINM=-1\r\nCONSUMETCREMAINY=7x\r\n"
         "CONSUMETCREMAINK=\r\nCONSUMEICREMAIN= 5\r\n",
         {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown}},
        // A bare LF ends a line too; a NUL ends the reply; lower case is another key.
        {"CONSUMETCREMAINC=1\nconsumetcremainm=2\nCONSUMETCREMAINK=3\0CONSUMEICREMAIN=4\r\n"s,
         {1, kUnknown, kUnknown, 3, kUnknown}},
        {"", {kUnknown, kUnknown, kUnknown, kUnknown, kUnknown}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadingFromReplies("X=000000\r\n", c.reply).supplies, c.supplies) << c.reply;
    }
}

TEST(PrinterWatch, TheMostSevereCodeDecidesTheState) {
    struct Case {
        const char* status;
        WatchState state;
        const char* mostSevere;  // "" for none
    };
    const Case cases[] = {
        {"X=000000\r\n", WatchState::Ready, "000000"},
        {"X=001000,000002\r\n", WatchState::Ready, "001000"},
        {"X=000000,302008\r\n", WatchState::Warning, "302008"},
        {"X=302008,204008,302001\r\n", WatchState::Error, "204008"},
        {"X=200100,100003\r\n", WatchState::Error, "100003"},  // a service call outranks a jam
        {"X=999999\r\n", WatchState::Ready, "999999"},         // unknown: information
        {"X=\r\n", WatchState::Ready, ""},
    };
    for (const Case& c : cases) {
        const WatchReading reading = ReadingFromReplies(c.status, "");
        EXPECT_EQ(reading.state, c.state) << c.status;
        const auto code = MostSevereCode(reading.codes);
        EXPECT_EQ(code ? std::string(CodeText(*code)) : "", c.mostSevere) << c.status;
    }
}

TEST(PrinterWatch, EachNewWarningErrorOrServiceCallIsAnAlertOnce) {
    WatchReading low;
    low.codes = Codes({"000000", "302008"});
    WatchReading out = low;
    out.codes = Codes({"204008", "302008", "204008", "001000"});
    EXPECT_EQ(CompareReadings(std::nullopt, low).newAlerts, Codes({"302008"}));
    EXPECT_TRUE(CompareReadings(std::nullopt, low).any);
    EXPECT_FALSE(CompareReadings(low, low).any);
    EXPECT_EQ(CompareReadings(low, out).newAlerts, Codes({"204008"}));
    EXPECT_TRUE(CompareReadings(out, low).newAlerts.empty());
    WatchReading fuller = low;
    fuller.supplies[3] = 40;
    EXPECT_TRUE(CompareReadings(low, fuller).any) << "a supply level is a change";
}

class PrinterWatchOnLink : public test::SimTest {};

TEST_F(PrinterWatchOnLink, ARoundReadsStatusAndSuppliesAndStaysOffTheTrace) {
    printer.SetStatusCodes({"302008"});
    const auto reading = ReadPrinterWatch(FrameKind::Round);
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->state, WatchState::Warning);
    EXPECT_EQ(reading->supplies, (Supplies{78, 64, 9, 0, 83}));
    EXPECT_EQ(printer.RequestsAnswered(), 2);
    EXPECT_TRUE(sent.empty()) << "a round writes nothing to the command trace";

    printer.SetPresent(false);
    EXPECT_EQ(ReadPrinterWatch(FrameKind::Round)->state, WatchState::NotConnected);
    printer.SetPresent(true);
    printer.HangAfter(2);
    EXPECT_EQ(ReadPrinterWatch(FrameKind::Command)->state, WatchState::Unknown);
    EXPECT_EQ(sim.Timeouts(), 1) << "the supplies read was not sent after the status timed out";
    EXPECT_EQ(sent.size(), 1u) << "a command frame is traced";
}

TEST_F(PrinterWatchOnLink, NoRoundWhileACommandHoldsTheLink) {
    std::optional<std::optional<WatchReading>> during;
    RunPrinterCommand(messages, [&] {
        // Nested on the same thread, as the tray menu can be while a message box is up: the
        // command frame owns the link, so a round started now would be from another thread.
        during = ReadPrinterWatch(FrameKind::Command);
    });
    ASSERT_TRUE(during);
    EXPECT_TRUE(*during) << "a frame nested on the holding thread does not wait for itself";
    std::optional<WatchReading> fromWorker = WatchReading{};
    RunPrinterCommand(messages, [&] {
        std::thread worker([&] { fromWorker = ReadPrinterWatch(FrameKind::Round); });
        worker.join();
    });
    EXPECT_FALSE(fromWorker) << "the round was skipped rather than run inside the command";
}

}  // namespace
}  // namespace rpanel

#include "link/vendor_request.h"

#include <gtest/gtest.h>

#include "link/request_catalogue.h"
#include "link/request_ops.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

// The blocks each driver gets are checked on the wire, with the emulated printer
// (libusb/libusb_platform_test.cpp).
using Channel = test::SimTest;

TEST_F(Channel, NothingLeavesForACodeOutsideTheCatalogueOrOnAClosedLink) {
    std::uint8_t reply[kValueReplySize] = {};
    ASSERT_TRUE(Open());
    for (std::uint8_t code : {0, 8, 10, 31, 38, 52, 79, 86, 255}) {
        EXPECT_EQ(SendVendorRequest(code, 0, 1, kValueReplySize, reply), 0u) << int{code};
    }
    EXPECT_TRUE(sent.empty());
    ClosePrinterLink();
    EXPECT_EQ(SendVendorRequest(80, 0, 1, kValueReplySize, reply), 0u);
    EXPECT_EQ(printer.RequestsAnswered(), 0);
}

TEST(RequestValue, ShiftsSignedAdjustmentsIntoTheHighByte) {
    const RequestRow& top = CatalogueRow(Request::WriteTopAdjustPlain);
    const RequestRow& transfer = CatalogueRow(Request::WriteTransferLabel);
    const RequestRow& plain = CatalogueRow(Request::WriteGdiTimeout);
    EXPECT_EQ(RequestValue(top, -15), 0x0000);
    EXPECT_EQ(RequestValue(top, 15), 0x1E00);
    EXPECT_EQ(RequestValue(transfer, -8), 0x0000);
    EXPECT_EQ(RequestValue(transfer, 8), 0x1000);
    EXPECT_EQ(RequestValue(plain, 60), 0x3C00);
    // Only the low 8 bits of the shifted parameter are sent.
    EXPECT_EQ(RequestValue(plain, 0x1FF), 0xFF00);
    EXPECT_EQ(RequestValue(top, -16), 0xFF00);
    // A command's value is its own, whatever the parameter.
    EXPECT_EQ(RequestValue(CatalogueRow(Request::EjectAllToner), 7), 0x0100);
}

TEST(RequestCatalogue, FindsTheRowOfEveryCodeInAValueBlock) {
    EXPECT_EQ(FindCatalogueRow(55)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(62)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(78)->id, Request::ReadInfoValueBlock2);
}

class Shapes : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ASSERT_TRUE(Open());
    }
};

TEST_F(Shapes, ReadsStoreTheirReplyWithMissingHighBytesAsZero) {
    TextReply text;
    EXPECT_TRUE(ReadText(Request::ReadCountersInfo, messages, &text));
    EXPECT_EQ(text.Text().substr(0, 21), "@PJL INFO CONFIGCOUNT");
    printer.Script(20, std::nullopt, std::string("\x02\x01", 2));
    EXPECT_TRUE(ReadValue(Request::ReadGdiTimeout, messages, state));
    EXPECT_EQ(state.gdiTimeout, 0x0102);
    printer.Script(53, std::nullopt, std::string("\xff\xff\xff\xff", 4));
    EXPECT_TRUE(ReadValue(Request::ReadJamCounter, messages, state));
    EXPECT_EQ(state.jamCounter, -1);
    std::uint32_t slot = 0;
    EXPECT_TRUE(ReadSilentValue(Request::ReadInfoValueBlock1, 60, &slot));
    EXPECT_EQ(slot, printer.ValueOf(60));
    EXPECT_EQ(sent.back().request, 60);
    EXPECT_TRUE(messages.shown.empty());
}

// Each failed read says so, except the silent one, and leaves its target as it was. (The machine
// variant, which becomes 0, is checked with the main window, and the image refresh that shows
// nothing with the User Service commands.)
TEST_F(Shapes, FailedReadsKeepTheirTarget) {
    for (std::uint8_t code : {9, 24, 70}) {
        printer.Script(code, std::nullopt, std::nullopt);
    }
    TextReply text;
    EXPECT_FALSE(ReadText(Request::ReadPanelStatus, messages, &text));
    EXPECT_EQ(text.count, 0u);
    state.flicker = 7;
    EXPECT_FALSE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_EQ(state.flicker, 7);
    std::uint32_t slot = 5;
    EXPECT_FALSE(ReadSilentValue(Request::ReadInfoValueBlock2, 70, &slot));
    EXPECT_EQ(slot, 5u);
    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed));
}

TEST_F(Shapes, WritesAndCommandsCountOnlyTheAcknowledgement) {
    printer.Script(28, std::nullopt, std::string("OK", 2));  // two bytes, no NUL
    EXPECT_TRUE(WriteSetting(Request::WriteTopAdjustThick, state));
    printer.Script(28, std::nullopt, std::string("OK!", 3));
    EXPECT_FALSE(WriteSetting(Request::WriteTopAdjustThick, state));
    printer.Script(16, std::nullopt, std::nullopt);
    EXPECT_FALSE(WriteSetting(Request::SetEnergySaveTime, 30));
    EXPECT_EQ(sent.back().value, 0x1E00);
    EXPECT_TRUE(messages.shown.empty()) << "a write leaves the message to its group";

    EXPECT_TRUE(RunCommand(Request::EjectAllToner, messages));
    EXPECT_TRUE(RunCommand(Request::PrintTestPattern2, messages));
    printer.Script(18, std::nullopt, std::string("NG\0\0", 4));
    EXPECT_FALSE(RunCommand(Request::StartCalibration, messages));
    EXPECT_EQ(messages.shown,
              (std::vector<int>{msg::kEjectSent, msg::kTestPattern2Printed, msg::kSendFailed}));
}

TEST_F(Shapes, AnUnpluggedPrinterAnswersNothingFromThenOn) {
    printer.UnplugAfter(1);
    EXPECT_TRUE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_FALSE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_FALSE(Open());
}

}  // namespace
}  // namespace rpanel

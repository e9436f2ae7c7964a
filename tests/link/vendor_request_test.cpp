#include "link/vendor_request.h"

#include <gtest/gtest.h>

#include <cstring>

#include "link/request_catalogue.h"
#include "link/request_ops.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using test::SimTest;

// Records the driver input blocks as they leave the program.
class BlockRecorder : public SimPlatform {
public:
    std::uint32_t SendPrinterClassRequest(Handle handle, const PrinterClassBlock& block,
                                          std::uint8_t* reply, std::uint16_t length) override {
        printerClass.push_back(block);
        return SimPlatform::SendPrinterClassRequest(handle, block, reply, length);
    }
    std::uint32_t SendStillImageRequest(Handle handle, const StillImageBlock& block,
                                        std::uint8_t* reply, std::uint16_t length) override {
        stillImage.push_back(block);
        return SimPlatform::SendStillImageRequest(handle, block, reply, length);
    }
    std::vector<PrinterClassBlock> printerClass;
    std::vector<StillImageBlock> stillImage;
};

class Channel : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        static_cast<SimPlatform&>(recorder) = SimPlatform::WithPrinter(printer);
        SimStillImageDevice stillImage;
        stillImage.number = 0;
        stillImage.descriptor = {kPrinterVendorId, kPrinterProductId, 0x0100, 0};
        stillImage.printer = &printer;
        recorder.stillImageDevices.push_back(stillImage);
        UsePlatform(&recorder);
    }
    void TearDown() override {
        ClosePrinterLink();
        EXPECT_EQ(recorder.OpenHandleCount(), 0);
        SimTest::TearDown();
    }
    std::uint32_t Send(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint16_t length = kValueReplySize) {
        std::memset(reply, 0, sizeof reply);
        return SendVendorRequest(request, value, index, length, reply);
    }
    BlockRecorder recorder;
    std::uint8_t reply[kTextReplySize];
};

TEST_F(Channel, PrinterClassBlockCarriesCodeAndValueButNeverTheIndex) {
    ASSERT_TRUE(Open());
    Send(13, 0x0200, 0, kTextReplySize);
    Send(21, 0x0300, 1);
    ASSERT_EQ(recorder.printerClass.size(), 2u);
    EXPECT_EQ(recorder.printerClass[0].request, 13);
    EXPECT_EQ(recorder.printerClass[0].valueLow, 0x00);
    EXPECT_EQ(recorder.printerClass[0].valueHigh, 0x02);
    EXPECT_EQ(recorder.printerClass[1].request, 21);
    EXPECT_EQ(recorder.printerClass[1].valueHigh, 0x03);
    // The trace speaks of the request as the program sent it, index included.
    EXPECT_EQ(sent[0].index, 0);
    EXPECT_EQ(sent[1].index, 1);
}

TEST_F(Channel, StillImageBlockCarriesValueIndexLengthAndDirection) {
    PrinterLink configuration;
    configuration.driverKind = 1;
    std::strcpy(configuration.hardwareIds, kPrinterHardwareId);
    configuration.secondPipe = -1;
    GetPrinterLink(&configuration);
    ASSERT_EQ(OpenPrinterLink(), 1);
    EXPECT_EQ(Send(13, 0x0400, 0, kTextReplySize) > 0, true);
    ASSERT_EQ(recorder.stillImage.size(), 1u);
    const StillImageBlock& block = recorder.stillImage[0];
    EXPECT_EQ(block.offset, 0x0400u);
    EXPECT_EQ(block.length, kTextReplySize);
    EXPECT_EQ(block.index, 0u);
    EXPECT_EQ(block.request, 13);
    EXPECT_EQ(block.requestType, 0xC1);
    EXPECT_EQ(block.directionIn, 1);
}

TEST_F(Channel, CodesOutsideTheCatalogueAreNeverSent) {
    ASSERT_TRUE(Open());
    for (std::uint8_t code : {0, 8, 10, 31, 38, 52, 79, 86, 255}) {
        EXPECT_EQ(Send(code, 0, 1), 0u) << int{code};
    }
    EXPECT_TRUE(recorder.printerClass.empty());
    EXPECT_TRUE(sent.empty());
}

TEST_F(Channel, NothingIsSentOnAClosedLink) {
    EXPECT_EQ(Send(80, 0, 1), 0u);
    EXPECT_EQ(printer.RequestsAnswered(), 0);
}

TEST(ReplyIsOk, ComparesExactlyTheFirstThreeBytes) {
    const std::uint8_t twoByteOk[4] = {'O', 'K', 0, 0};  // "OK" without NUL, zero-filled rest
    const std::uint8_t okWithTail[4] = {'O', 'K', 0, 'x'};
    const std::uint8_t noNul[4] = {'O', 'K', '!', 0};
    const std::uint8_t lowerCase[4] = {'o', 'k', 0, 0};
    const std::uint8_t empty[4] = {0, 0, 0, 0};
    EXPECT_TRUE(ReplyIsOk(twoByteOk));
    EXPECT_TRUE(ReplyIsOk(okWithTail));
    EXPECT_FALSE(ReplyIsOk(noNul));
    EXPECT_FALSE(ReplyIsOk(lowerCase));
    EXPECT_FALSE(ReplyIsOk(empty));
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
    EXPECT_EQ(RequestValue(CatalogueRow(Request::EjectAllToner), 7), 0x0100);
}

TEST(RequestCatalogue, IsConsistentWithItsShapes) {
    for (const RequestRow& row : RequestCatalogue()) {
        SCOPED_TRACE(row.operation);
        EXPECT_EQ(row.index, row.code == 13 ? 0 : 1);
        EXPECT_EQ(row.length, row.shape == Shape::Text ? kTextReplySize : kValueReplySize);
        EXPECT_EQ(row.successMessage != 0, row.shape == Shape::Command);
        if (row.shape == Shape::Value && row.id != Request::ReadMachineVariant) {
            EXPECT_NE(row.field, nullptr);
        }
        EXPECT_EQ(FindCatalogueRow(row.code)->code, row.code);
    }
    EXPECT_EQ(FindCatalogueRow(62)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(78)->id, Request::ReadInfoValueBlock2);
}

class Shapes : public SimTest {};

TEST_F(Shapes, TextReadReportsAFailureAndHandsBackNothing) {
    ASSERT_TRUE(Open());
    TextReply reply;
    EXPECT_TRUE(ReadText(Request::ReadCountersInfo, messages, &reply));
    EXPECT_EQ(reply.Text().substr(0, 21), "@PJL INFO CONFIGCOUNT");
    printer.Script(9, std::nullopt, std::nullopt);
    EXPECT_FALSE(ReadText(Request::ReadPanelStatus, messages, &reply));
    EXPECT_EQ(reply.count, 0u);
    EXPECT_EQ(messages.shown, (std::vector<int>{msg::kSendFailed}));
}

TEST_F(Shapes, ValueReadStoresShortRepliesWithZeroHighBytes) {
    ASSERT_TRUE(Open());
    printer.Script(20, std::nullopt, std::string("\x02\x01", 2));
    EXPECT_TRUE(ReadValue(Request::ReadGdiTimeout, messages, state));
    EXPECT_EQ(state.gdiTimeout, 0x0102);
    printer.Script(53, std::nullopt, std::string("\xff\xff\xff\xff", 4));
    EXPECT_TRUE(ReadValue(Request::ReadJamCounter, messages, state));
    EXPECT_EQ(state.jamCounter, -1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Shapes, AFailedValueReadLeavesTheFieldAndSaysSo) {
    ASSERT_TRUE(Open());
    state.flicker = 7;
    printer.Script(24, std::nullopt, std::nullopt);
    EXPECT_FALSE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_EQ(state.flicker, 7);
    EXPECT_EQ(messages.shown, (std::vector<int>{msg::kSendFailed}));
}

TEST_F(Shapes, SilentReadsShowNothingAndKeepTheSlotOnFailure) {
    ASSERT_TRUE(Open());
    std::uint32_t slot = 0;
    EXPECT_TRUE(ReadSilentValue(Request::ReadInfoValueBlock1, 60, &slot));
    EXPECT_EQ(slot, printer.ValueOf(60));
    printer.Script(70, std::nullopt, std::nullopt);
    slot = 5;
    EXPECT_FALSE(ReadSilentValue(Request::ReadInfoValueBlock2, 70, &slot));
    EXPECT_EQ(slot, 5u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(sent.back().request, 70);
}

TEST_F(Shapes, MachineVariantTakesTheFirstByteAndBecomes0OnFailure) {
    ASSERT_TRUE(Open());
    printer.Script(80, std::nullopt, std::string("\x02\x07\x00\x00", 4));
    EXPECT_TRUE(ReadMachineVariant(messages, state));
    EXPECT_EQ(state.machineVariant, 2);
    printer.Script(80, std::nullopt, std::nullopt);
    EXPECT_FALSE(ReadMachineVariant(messages, state));
    EXPECT_EQ(state.machineVariant, 0);
    EXPECT_EQ(messages.shown, (std::vector<int>{msg::kSendFailed}));
}

TEST_F(Shapes, WritesAreConfirmedByTheAcknowledgementOnly) {
    ASSERT_TRUE(Open());
    state.topAdjustThick = -3;
    EXPECT_TRUE(WriteSetting(Request::WriteTopAdjustThick, state));
    EXPECT_EQ(sent.back().value, 0x0C00);
    printer.Script(28, std::nullopt, std::string("OK", 2));  // two bytes, no NUL
    EXPECT_TRUE(WriteSetting(Request::WriteTopAdjustThick, state));
    printer.Script(28, std::nullopt, std::string("OK!", 3));
    EXPECT_FALSE(WriteSetting(Request::WriteTopAdjustThick, state));
    printer.Script(16, std::nullopt, std::nullopt);
    EXPECT_FALSE(WriteSetting(Request::SetEnergySaveTime, 30));
    EXPECT_EQ(sent.back().value, 0x1E00);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Shapes, WhatAWriteStoresTheMatchingReadAnswers) {
    ASSERT_TRUE(Open());
    state.gdiTimeout = 9;
    ASSERT_TRUE(WriteSetting(Request::WriteGdiTimeout, state));
    state.gdiTimeout = 0;
    ASSERT_TRUE(ReadValue(Request::ReadGdiTimeout, messages, state));
    EXPECT_EQ(state.gdiTimeout, 9);
}

TEST_F(Shapes, CommandsShowTheirOwnMessageOrTheFailure) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(RunCommand(Request::EjectAllToner, messages));
    EXPECT_TRUE(RunCommand(Request::PrintTestPattern2, messages));
    printer.Script(18, std::nullopt, std::string("NG\0\0", 4));
    EXPECT_FALSE(RunCommand(Request::StartCalibration, messages));
    EXPECT_EQ(messages.shown,
              (std::vector<int>{msg::kEjectSent, msg::kTestPattern2Printed, msg::kSendFailed}));
    EXPECT_EQ(sent[0].value, 0x0100);
    EXPECT_EQ(sent[1].value, 0x0100);
}

TEST_F(Shapes, ImageRefreshShowsNothingWhetherOrNotThePrinterAnswers) {
    ASSERT_TRUE(Open());
    SendUnexamined(Request::ImageRefresh);
    printer.Script(85, std::nullopt, std::nullopt);
    SendUnexamined(Request::ImageRefresh);
    EXPECT_EQ(sent.size(), 2u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Shapes, AnUnpluggedPrinterAnswersNothingFromThenOn) {
    ASSERT_TRUE(Open());
    printer.UnplugAfter(1);
    EXPECT_TRUE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_FALSE(ReadValue(Request::ReadFlicker, messages, state));
    EXPECT_FALSE(Open());
}

}  // namespace
}  // namespace rpanel

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

TEST_F(Channel, NothingLeavesOutsideTheCatalogueOrOnAClosedLinkAndValuesTakeTheHighByte) {
    std::uint8_t reply[kValueReplySize] = {};
    ASSERT_TRUE(Open());
    for (std::uint8_t code : {0, 8, 10, 31, 38, 52, 79, 86, 255}) {
        EXPECT_EQ(SendVendorRequest(code, 0, 1, kValueReplySize, reply), 0u) << int{code};
    }
    EXPECT_TRUE(sent.empty());
    ClosePrinterLink();
    EXPECT_EQ(SendVendorRequest(80, 0, 1, kValueReplySize, reply), 0u);
    EXPECT_EQ(printer.RequestsAnswered(), 0);

    // Signed adjustments are shifted into the high byte of the value.
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
    // The rows of the value blocks hold every code of their block.
    EXPECT_EQ(FindCatalogueRow(55)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(62)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(78)->id, Request::ReadInfoValueBlock2);
}

}  // namespace
}  // namespace rpanel

#include "link/vendor_request.h"

#include <gtest/gtest.h>

#include <vector>

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

    // Signed adjustments are shifted into the high byte of the value, of which only the low 8
    // bits of the shifted parameter are sent; a command's value is its own, whatever the
    // parameter.
    const RequestRow& top = CatalogueRow(Request::WriteTopAdjustPlain);
    const RequestRow& transfer = CatalogueRow(Request::WriteTransferLabel);
    const RequestRow& plain = CatalogueRow(Request::WriteGdiTimeout);
    EXPECT_EQ((std::vector<int>{
                  RequestValue(top, -15), RequestValue(top, 15), RequestValue(transfer, -8),
                  RequestValue(transfer, 8), RequestValue(plain, 60), RequestValue(plain, 0x1FF),
                  RequestValue(top, -16), RequestValue(CatalogueRow(Request::EjectAllToner), 7)}),
              (std::vector<int>{0x0000, 0x1E00, 0x0000, 0x1000, 0x3C00, 0xFF00, 0xFF00, 0x0100}));
    // The rows of the value blocks hold every code of their block.
    EXPECT_EQ(FindCatalogueRow(55)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(62)->id, Request::ReadInfoValueBlock1);
    EXPECT_EQ(FindCatalogueRow(78)->id, Request::ReadInfoValueBlock2);
}

}  // namespace
}  // namespace rpanel

// The Service Mode commands against the simulated printer. The order of each command's requests
// is asserted once, in service_sequences_test.cpp; these tests check what the commands make of
// the printer's answers and of the values they send.
#include "service/service_mode.h"

#include <gtest/gtest.h>

#include "link/request_ops.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

class ServiceModeTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SetServiceModeDefaults(state);
    }
};

TEST_F(ServiceModeTest, DownloadStoresEachReplyWholeAndGoesOnAfterFailedReads) {
    printer.Script(53, std::nullopt, std::string("\xFF\xFF\xFF\xFF"));
    printer.Script(54, std::nullopt, std::string("\x05", 1));  // short: the rest is 0
    printer.SetValue(40, 2);
    printer.Script(46, std::nullopt, std::nullopt);
    printer.Script(84, std::nullopt, std::nullopt);
    state.thickTemperature = 1;
    state.fuserUnitCounter = 77;

    EXPECT_TRUE(DownloadServiceMode(messages, state));

    EXPECT_EQ(messages.shown, std::vector<int>(2, msg::kSendFailed)) << "one box per failed read";
    EXPECT_EQ(sent.size(), ServiceModeValues().size());
    EXPECT_EQ(state.jamCounter, -1);
    EXPECT_EQ(state.troubleCounter, 5);
    EXPECT_EQ(state.tonerLowWarning, 2);
    EXPECT_EQ(state.thickTemperature, 1) << "kept";
    EXPECT_EQ(state.fuserUnitCounter, 77) << "kept";
    EXPECT_EQ(state.transferBeltCounter, 12874);
}

TEST(TemperatureWrites, OnlyTheChoicesZeroToTwoAreSentAtAll) {
    struct Case {
        std::int32_t choice;
        std::optional<std::uint16_t> value;  // nothing: not sent
    };
    const Case cases[] = {
        {0, 0x0000},       {1, 0x0100},        {2, 0x0200},
        {3, std::nullopt}, {-1, std::nullopt}, {256, std::nullopt},
    };
    const RequestRow& row = CatalogueRow(Request::WriteThickTemperature);
    for (const Case& c : cases) {
        EXPECT_EQ(RequestSendsParameter(row, c.choice), c.value.has_value()) << c.choice;
        if (c.value) {
            EXPECT_EQ(RequestValue(row, c.choice), *c.value) << c.choice;
        }
    }
}

TEST_F(ServiceModeTest, AnUnacknowledgedWriteStillLetsTheOthersGo) {
    printer.Script(41, std::nullopt, std::nullopt);

    EXPECT_FALSE(UploadServiceMode(messages, state));

    EXPECT_EQ(sent.size(), 5u);
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed});
}

TEST_F(ServiceModeTest, AReplacedPartThatIsNotAcknowledgedIsReported) {
    printer.Script(50, std::nullopt, std::string("OK!"));
    EXPECT_FALSE(ReportReplacedPart(messages, ReplacedPart::TransferRoller));
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kSendFailed});
}

}  // namespace
}  // namespace rpanel

// The Service Mode page, driven by control id against the simulated printer.
#include "service/service_mode_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <optional>

#include "page_test.h"
#include "service/service_mode_page_ids.h"

namespace rpanel {
namespace {

using namespace service_mode;

constexpr int kCounterTexts[] = {
    kJamCounterText,      kTroubleCounterText,        kTransferBeltCounterText,
    kDrumUnitCounterText, kTransferRollerCounterText, kFuserUnitCounterText};

class ServiceModePageTest : public test::PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        page.emplace(state, nullptr);
    }
    bool Ticked(int id) const { return Find<QCheckBox>(*page, id).isChecked(); }
    QString Text(int id) const { return Find<QLabel>(*page, id).text(); }
    QComboBox& List(int id) const { return Find<QComboBox>(*page, id); }

    std::optional<ServiceModePage> page;
};

TEST_F(ServiceModePageTest, AFreshPageTicksBothWarningsWithEveryTemperatureAtZeroAndNoCounters) {
    state.plainTemperature = 2;
    state.tonerLowWarning = 0;
    page.emplace(state, nullptr);

    EXPECT_TRUE(Ticked(kTonerLowBox));
    EXPECT_TRUE(Ticked(kPuLowBox));
    EXPECT_EQ(state.tonerLowWarning, 1);
    for (const int list :
         {kPlainTemperatureList, kThickTemperatureList, kEnvelopeTemperatureList}) {
        EXPECT_EQ(List(list).currentText(), "0") << list;
    }
    EXPECT_EQ(state.plainTemperature, 0);
    for (const int counter : kCounterTexts) {
        EXPECT_EQ(Text(counter), "") << counter;
    }

    // A download from an unplugged printer still shows them, as zero.
    printer.SetPresent(false);
    Click(*page, kDownloadButton);
    for (const int counter : kCounterTexts) {
        EXPECT_EQ(Text(counter), "0") << counter;
    }
}

TEST_F(ServiceModePageTest, TheUsersClicksAndAWarningReadAsTwoAreSentAsTheyAre) {
    Find<QCheckBox>(*page, kTonerLowBox).click();
    QTest::keyClick(&List(kEnvelopeTemperatureList), Qt::Key_End);
    EXPECT_EQ(state.tonerLowWarning, 0);
    EXPECT_EQ(state.envelopeTemperature, 2);
    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(49), std::vector<int>{0x0200});

    printer.SetValue(40, 2);
    Click(*page, kDownloadButton);
    EXPECT_FALSE(Ticked(kTonerLowBox));
    EXPECT_EQ(state.tonerLowWarning, 2);
    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(41), (std::vector<int>{0x0000, 0x0200}));
}

TEST_F(ServiceModePageTest, ATemperatureReadOutsideTheChoicesKeepsTheListAndFailsTheUpload) {
    QTest::keyClick(&List(kThickTemperatureList), Qt::Key_Down);
    EXPECT_EQ(state.thickTemperature, 1);
    // 256 must not wrap round to choice 0.
    for (const std::uint32_t reply : {3u, 256u, 0xFFFFFFFFu}) {
        printer.SetValue(46, reply);
        Click(*page, kDownloadButton);
        EXPECT_EQ(List(kThickTemperatureList).currentText(), "-5") << reply;
        EXPECT_EQ(state.thickTemperature, static_cast<std::int32_t>(reply));

        boxes.shown.clear();
        sent.clear();
        Click(*page, kUploadButton);
        EXPECT_TRUE(ValuesSent(47).empty()) << reply;
        EXPECT_EQ(sent.size(), 4u) << "the other writes are sent";
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    }
}

TEST_F(ServiceModePageTest, CountersAreSignedAndAnAcknowledgedFuserUnitChangesNoneOfThem) {
    printer.Script(83, std::nullopt, std::string("\xFF\xFF\xFF\xFF"));
    Click(*page, kDownloadButton);
    EXPECT_EQ(Text(kTransferRollerCounterText), "-1");
    EXPECT_EQ(Text(kJamCounterText), "7");
    boxes.shown.clear();

    Click(*page, kFuserUnitButton);

    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kFuserReplaced});
    EXPECT_EQ(Text(kFuserUnitCounterText), "12874") << "until the next download";
    EXPECT_EQ(state.fuserUnitCounter, 12874);
}

}  // namespace
}  // namespace rpanel

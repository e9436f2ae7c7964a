// The Service Mode page, driven by control id against the simulated printer.
#include "service/service_mode_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <memory>

#include "page_test.h"
#include "service/service_mode_page_ids.h"

namespace rpanel {
namespace {

using namespace service_mode;

constexpr int kCounterTexts[] = {
    kJamCounterText,      kTroubleCounterText,        kTransferBeltCounterText,
    kDrumUnitCounterText, kTransferRollerCounterText, kFuserUnitCounterText};
constexpr int kTemperatureLists[] = {kPlainTemperatureList, kThickTemperatureList,
                                     kEnvelopeTemperatureList};

class ServiceModePageTest : public test::PageTest {
protected:
    ServiceModePage& Create() {
        page = std::make_unique<ServiceModePage>(state, nullptr);
        return *page;
    }
    bool Ticked(int id) const { return Find<QCheckBox>(*page, id).isChecked(); }
    QString Text(int id) const { return Find<QLabel>(*page, id).text(); }
    QComboBox& List(int id) const { return Find<QComboBox>(*page, id); }

    std::unique_ptr<ServiceModePage> page;
};

TEST_F(ServiceModePageTest, AFreshPageTicksBothWarningsWithEveryTemperatureAtZero) {
    state.plainTemperature = 2;
    state.tonerLowWarning = 0;
    Create();

    EXPECT_TRUE(Ticked(kTonerLowBox));
    EXPECT_TRUE(Ticked(kPuLowBox));
    EXPECT_EQ(state.tonerLowWarning, 1);
    for (const int list : kTemperatureLists) {
        EXPECT_EQ(Items(List(list)), QStringList({"0", "-5", "-10"})) << list;
        EXPECT_EQ(List(list).currentIndex(), 0) << list;
    }
    EXPECT_EQ(state.plainTemperature, 0);
    for (const int counter : kCounterTexts) {
        EXPECT_EQ(Text(counter), "") << counter;
    }
    EXPECT_EQ(Find<QGroupBox>(*page, 1070).title(), "Enable Warning");
    EXPECT_EQ(Find<QCheckBox>(*page, kPuLowBox).text(), "P/U Low");
}

TEST_F(ServiceModePageTest, AWarningReadAsTwoLeavesItsBoxClearAndIsSentAsTwo) {
    printer.SetValue(40, 2);
    Create();
    Click(*page, kDownloadButton);
    EXPECT_FALSE(Ticked(kTonerLowBox));
    EXPECT_EQ(state.tonerLowWarning, 2);
    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(41), std::vector<int>{0x0200});
}

TEST_F(ServiceModePageTest, ATemperatureReadAsThreeKeepsTheListAndFailsTheUpload) {
    Create();
    QTest::keyClick(&List(kThickTemperatureList), Qt::Key_Down);
    EXPECT_EQ(state.thickTemperature, 1);
    printer.SetValue(46, 3);

    Click(*page, kDownloadButton);
    EXPECT_EQ(List(kThickTemperatureList).currentText(), "-5");
    EXPECT_EQ(state.thickTemperature, 3);

    boxes.shown.clear();
    sent.clear();
    Click(*page, kUploadButton);
    EXPECT_TRUE(ValuesSent(47).empty());
    EXPECT_EQ(sent.size(), 4u);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
}

TEST_F(ServiceModePageTest, CountersAreShownAsSignedNumbers) {
    printer.Script(83, std::nullopt, std::string("\xFF\xFF\xFF\xFF"));
    Create();
    Click(*page, kDownloadButton);
    EXPECT_EQ(Text(kTransferRollerCounterText), "-1");
    EXPECT_EQ(Text(kJamCounterText), "7");
    EXPECT_EQ(Text(kTransferBeltCounterText), "12874");
}

TEST_F(ServiceModePageTest, AnUnpluggedPrinterGetsMessage26AndTheBlankCountersShowZero) {
    printer.SetPresent(false);
    Create();
    for (const int button :
         {kDownloadButton, kUploadButton, kFuserUnitButton, kTransferRollerButton}) {
        boxes.shown.clear();
        Click(*page, button);
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed}) << button;
    }
    EXPECT_TRUE(sent.empty());
    for (const int counter : kCounterTexts) {
        EXPECT_EQ(Text(counter), "0") << counter;
    }
}

TEST_F(ServiceModePageTest, AnAcknowledgedFuserUnitShowsItsMessageAndChangesNothingOnThePage) {
    Create();
    Click(*page, kDownloadButton);
    boxes.shown.clear();

    Click(*page, kFuserUnitButton);

    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kFuserReplaced});
    EXPECT_EQ(Text(kFuserUnitCounterText), "12874") << "until the next download";
    EXPECT_EQ(state.fuserUnitCounter, 12874);
}

TEST_F(ServiceModePageTest, TheUsersClicksAndChoicesBecomeTheValues) {
    Create();
    Find<QCheckBox>(*page, kTonerLowBox).click();
    QTest::keyClick(&List(kEnvelopeTemperatureList), Qt::Key_End);
    EXPECT_EQ(state.tonerLowWarning, 0);
    EXPECT_EQ(state.envelopeTemperature, 2);

    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(41), std::vector<int>{0x0000});
    EXPECT_EQ(ValuesSent(49), std::vector<int>{0x0200});
}

}  // namespace
}  // namespace rpanel

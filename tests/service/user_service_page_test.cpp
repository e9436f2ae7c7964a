// The User Service page, driven by control id against the simulated printer.
#include "service/user_service_page.h"

#include <QLabel>
#include <QSlider>
#include <QTest>
#include <optional>

#include "page_test.h"
#include "service/user_service.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

using namespace user_service;

class UserServicePageTest : public test::PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        page.emplace(state, nullptr);
    }
    QSlider& Slider(int id) const { return Find<QSlider>(*page, id); }
    QString Label(int id) const { return Find<QLabel>(*page, id).text(); }
    QComboBox& List(int id) const { return Find<QComboBox>(*page, id); }
    // The user drags the thumb: each position is reported while it moves.
    void Drag(int id, std::initializer_list<int> positions) const {
        QSlider& slider = Slider(id);
        slider.setSliderDown(true);
        for (const int position : positions) {
            slider.setSliderPosition(position);
        }
        slider.setSliderDown(false);
    }

    std::optional<UserServicePage> page;
};

TEST_F(UserServicePageTest, AFreshPageShowsZeroOnEveryTrackbarAndEachListAtItsDefault) {
    state.topAdjustThick = 9;
    page.emplace(state, nullptr);

    for (const UserServiceSetting& setting : UserServiceSettings()) {
        if (setting.valueLabel != 0) {
            EXPECT_EQ(Label(setting.valueLabel), "0") << setting.name;
        }
    }
    EXPECT_EQ(state.topAdjustThick, 0);
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "60");
    EXPECT_EQ(List(kEnergySaveList).currentText(), "On");
    EXPECT_FALSE(Find(*page, kEnergySaveLabel).isHidden());
}

TEST_F(UserServicePageTest, ADownloadedSettingOutsideTheRangeIsSentAsItIsUntilTheFirstScroll) {
    printer.Script(13, 0x0400, std::string("ADJTOPPLAIN=40\r\n"));

    Click(*page, kDownloadButton);
    EXPECT_EQ(state.topAdjustPlain, 25);
    EXPECT_EQ(Label(kTopPlainValue), "25");
    EXPECT_EQ(Slider(kTopPlainTrackbar).value(), 15) << "the thumb at the right end";
    EXPECT_EQ(Label(kTransferLabelValue), "-8") << "the reply lacks ADJTRANSLABEL";

    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(27), std::vector<int>{0x2800});

    Slider(kTopPlainTrackbar).triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(state.topAdjustPlain, 15);
    EXPECT_EQ(Label(kTopPlainValue), "15");
}

TEST_F(UserServicePageTest, AListTakesTheUsersChoiceAndKeepsItsSelectionForAnUnknownValue) {
    QTest::keyClick(&List(kGdiTimeoutList), Qt::Key_Up);
    QTest::keyClick(&List(kEnergySaveList), Qt::Key_Down);
    QTest::keyClick(&List(kImageAdjustList), Qt::Key_Down);
    EXPECT_EQ(state.gdiTimeout, 5);
    EXPECT_EQ(state.energySaveOn, 0);
    EXPECT_EQ(state.imageAdjust, 1);

    printer.SetValue(20, 1);
    Click(*page, kDownloadButton);
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "10") << "the download selects its item";
    EXPECT_EQ(List(kEnergySaveList).currentText(), "On");

    printer.SetValue(20, 9);
    printer.SetValue(22, 5);
    Click(*page, kDownloadButton);
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "10");
    EXPECT_EQ(state.gdiTimeout, 9);
    EXPECT_EQ(List(kEnergySaveList).currentText(), "On");
    EXPECT_EQ(state.energySaveOn, 5);

    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(21), std::vector<int>{0x0900}) << "sent as it is";
    EXPECT_EQ(ValuesSent(23), std::vector<int>{0x0100}) << "the selected choice, read anew";
    EXPECT_EQ(state.energySaveOn, 1);
}

TEST_F(UserServicePageTest, ADownloadFromAnUnpluggedPrinterStillRefreshesTheControls) {
    Drag(kTopThickTrackbar, {3});
    state.transferPostcard = -5;  // stored, not yet shown
    printer.SetPresent(false);

    Click(*page, kDownloadButton);

    EXPECT_EQ(state.topAdjustThick, 3);
    EXPECT_EQ(Label(kTransferPostcardValue), "-5");
}

TEST_F(UserServicePageTest, APrinterWithoutTheEnergySaveSwitchGetsNoListAndAlwaysOn) {
    state.machineVariant = 2;
    page.emplace(state, nullptr);

    EXPECT_TRUE(Find(*page, kEnergySaveLabel).isHidden());
    EXPECT_TRUE(List(kEnergySaveList).isHidden());
    EXPECT_EQ(List(kEnergySaveList).count(), 0);
    EXPECT_EQ(state.energySaveOn, 1);
    printer.SetValue(22, 0);  // even when the printer reports the switch off
    Click(*page, kDownloadButton);
    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(23), std::vector<int>{0x0100});

    // The panel opened later on a printer with the switch: the page keeps its layout, and the
    // empty list must not send a made-up choice.
    state.machineVariant = 0;
    sent.clear();
    Click(*page, kUploadButton);
    EXPECT_TRUE(List(kEnergySaveList).isHidden());
    EXPECT_EQ(ValuesSent(23), std::vector<int>{0x0100});
}

TEST_F(UserServicePageTest, PageStepsApplyToTheStoredSettingAndStopAtTheEnds) {
    using A = QAbstractSlider::SliderAction;
    struct Case {
        int trackbar;
        int label;
        int start;
        A step;
        int expected;
    };
    const Case cases[] = {
        {kTopEnvelopeTrackbar, kTopEnvelopeValue, 13, A::SliderPageStepAdd, 15},
        {kTransferThick2Trackbar, kTransferThick2Value, -6, A::SliderPageStepSub, -8},
        {kTransferLabelTrackbar, kTransferLabelValue, 5, A::SliderPageStepAdd, 7},  // sixteen steps
        {kLeftFrontTrackbar, kLeftFrontValue, -13, A::SliderPageStepSub, -15},
    };
    for (const Case& c : cases) {
        Drag(c.trackbar, {c.start});
        Slider(c.trackbar).triggerAction(c.step);
        EXPECT_EQ(Slider(c.trackbar).value(), c.expected) << c.trackbar;
        EXPECT_EQ(Label(c.label), QString::number(c.expected)) << c.trackbar;
    }
}

TEST_F(UserServicePageTest, HomeAndEndLeaveTheSettingAndTheThumbReturnsToIt) {
    Drag(kLeftFrontTrackbar, {4});
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(&Slider(kLeftFrontTrackbar), key);
        EXPECT_EQ(state.leftAdjustFront, 4) << key;
        EXPECT_EQ(Slider(kLeftFrontTrackbar).value(), 4) << key;
        EXPECT_EQ(Label(kLeftFrontValue), "4") << key;
    }
}

TEST_F(UserServicePageTest, DraggingStoresEachPositionAndTheLabelFollows) {
    QSlider& slider = Slider(kTransferPlainTrackbar);
    slider.setSliderDown(true);
    for (const int position : {1, 2, -3}) {
        slider.setSliderPosition(position);
        EXPECT_EQ(state.transferPlainFront, position);
        EXPECT_EQ(Label(kTransferPlainValue), QString::number(position));
    }
    slider.setSliderDown(false);
    EXPECT_EQ(state.transferPlainFront, -3);
}

}  // namespace
}  // namespace rpanel

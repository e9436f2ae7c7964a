// The User Service page, driven by control id against the simulated printer.
#include "service/user_service_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <memory>

#include "page_test.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

using namespace user_service;

struct Trackbar {
    int id;
    int label;
    int min;
    int max;
};
constexpr Trackbar kTrackbars[] = {
    {kTopPlainTrackbar, kTopPlainValue, -15, 15},
    {kTopThickTrackbar, kTopThickValue, -15, 15},
    {kTopEnvelopeTrackbar, kTopEnvelopeValue, -15, 15},
    {kTransferPlainTrackbar, kTransferPlainValue, -8, 7},
    {kTransferThick1Trackbar, kTransferThick1Value, -8, 7},
    {kTransferThick2Trackbar, kTransferThick2Value, -8, 7},
    {kTransferPostcardTrackbar, kTransferPostcardValue, -8, 7},
    {kTransferEnvelopeTrackbar, kTransferEnvelopeValue, -8, 7},
    {kTransferLabelTrackbar, kTransferLabelValue, -8, 7},
    {kLeftFrontTrackbar, kLeftFrontValue, -15, 15},
};

class UserServicePageTest : public test::PageTest {
protected:
    UserServicePage& Create() {
        page = std::make_unique<UserServicePage>(state, nullptr);
        return *page;
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

    std::unique_ptr<UserServicePage> page;
};

TEST_F(UserServicePageTest, AFreshPageShowsZeroOnEveryTrackbarAndEachListAtItsDefault) {
    state.topAdjustThick = 9;
    state.gdiTimeout = 2;
    Create();

    for (const Trackbar& trackbar : kTrackbars) {
        EXPECT_EQ(Slider(trackbar.id).value(), 0) << trackbar.id;
        EXPECT_EQ(Slider(trackbar.id).minimum(), trackbar.min) << trackbar.id;
        EXPECT_EQ(Slider(trackbar.id).maximum(), trackbar.max) << trackbar.id;
        EXPECT_EQ(Label(trackbar.label), "0") << trackbar.label;
    }
    EXPECT_EQ(state.topAdjustThick, 0);
    EXPECT_EQ(Items(List(kGdiTimeoutList)), QStringList({"5", "10", "20", "30", "40", "50", "60"}));
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "60");
    EXPECT_EQ(state.gdiTimeout, 6);
    EXPECT_EQ(Items(List(kEnergySaveList)), QStringList({"On", "Off"}));
    EXPECT_EQ(List(kEnergySaveList).currentText(), "On");
    EXPECT_EQ(state.energySaveOn, 1);
    EXPECT_EQ(Items(List(kFlickerList)), QStringList({"0", "1", "2"}));
    EXPECT_EQ(Items(List(kImageAdjustList)), QStringList({"0", "1", "2", "3"}));
    EXPECT_EQ(List(kImageAdjustList).currentIndex(), 0);
    EXPECT_FALSE(Find(*page, kEnergySaveLabel).isHidden());
    EXPECT_EQ(Find<QLabel>(*page, kEnergySaveLabel).text(), "Energy Save");
    EXPECT_EQ(Find<QGroupBox>(*page, 1046).title(), "Transfer Power");
    EXPECT_EQ(Find<QPushButton>(*page, kImageRefreshButton).text(), "Image Refresh");
}

TEST_F(UserServicePageTest, ADownloadedSettingOutsideTheRangeIsSentAsItIsUntilTheFirstScroll) {
    printer.Script(13, 0x0400, std::string("ADJTOPPLAIN=40\r\n"));
    Create();

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

TEST_F(UserServicePageTest, AChoiceThatMatchesNoItemKeepsTheSelection) {
    printer.SetValue(20, 9);
    printer.SetValue(22, 5);
    Create();

    Click(*page, kDownloadButton);
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "60");
    EXPECT_EQ(state.gdiTimeout, 9);
    EXPECT_EQ(List(kEnergySaveList).currentText(), "On");
    EXPECT_EQ(state.energySaveOn, 5);

    Click(*page, kUploadButton);
    EXPECT_EQ(ValuesSent(21), std::vector<int>{0x0900}) << "sent as it is";
    EXPECT_EQ(ValuesSent(23), std::vector<int>{0x0100}) << "the selected choice, read anew";
    EXPECT_EQ(state.energySaveOn, 1);
}

TEST_F(UserServicePageTest, TheUsersChoiceInAListBecomesItsSetting) {
    Create();
    QTest::keyClick(&List(kGdiTimeoutList), Qt::Key_Up);
    QTest::keyClick(&List(kEnergySaveList), Qt::Key_Down);
    QTest::keyClick(&List(kImageAdjustList), Qt::Key_Down);
    EXPECT_EQ(state.gdiTimeout, 5);
    EXPECT_EQ(state.energySaveOn, 0);
    EXPECT_EQ(state.imageAdjust, 1);

    printer.SetValue(20, 1);
    Click(*page, kDownloadButton);
    EXPECT_EQ(List(kGdiTimeoutList).currentText(), "10") << "the download selects its item";
}

TEST_F(UserServicePageTest, ThirteenOfFourteenAcknowledgedSendsAllAndShowsOneFailure) {
    printer.Script(33, std::nullopt, std::string("NG"));
    Create();
    Click(*page, kUploadButton);
    EXPECT_EQ(sent.size(), 14u);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
}

TEST_F(UserServicePageTest, AnUnpluggedPrinterGetsMessage26FromEveryButtonAndDownloadRefreshes) {
    Create();
    Drag(kTopThickTrackbar, {3});
    state.transferPostcard = -5;  // stored, not yet shown
    printer.SetPresent(false);

    for (const int button :
         {kDownloadButton, kUploadButton, kPattern1Button, kPattern2Button, kImageRefreshButton}) {
        boxes.shown.clear();
        Click(*page, button);
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed}) << button;
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(state.topAdjustThick, 3);
    EXPECT_EQ(Label(kTransferPostcardValue), "-5") << "the download refreshed the controls";
}

TEST_F(UserServicePageTest, APrinterWithoutTheEnergySaveSwitchGetsNoListAndAlwaysOn) {
    state.machineVariant = 2;
    state.energySaveOn = 0;
    Create();

    EXPECT_TRUE(Find(*page, kEnergySaveLabel).isHidden());
    EXPECT_TRUE(List(kEnergySaveList).isHidden());
    EXPECT_EQ(List(kEnergySaveList).count(), 0);
    EXPECT_EQ(state.energySaveOn, 1);
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
    Create();
    Drag(kTopEnvelopeTrackbar, {13});
    Slider(kTopEnvelopeTrackbar).triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(state.topAdjustEnvelope, 15);
    EXPECT_EQ(Label(kTopEnvelopeValue), "15");

    Drag(kTransferThick2Trackbar, {-6});
    Slider(kTransferThick2Trackbar).triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(state.transferThick2, -8);
    EXPECT_EQ(Label(kTransferThick2Value), "-8");
    EXPECT_EQ(Slider(kTransferThick2Trackbar).value(), -8);
}

TEST_F(UserServicePageTest, HomeAndEndLeaveTheSettingAndTheThumbReturnsToIt) {
    Create();
    Drag(kLeftFrontTrackbar, {4});
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(&Slider(kLeftFrontTrackbar), key);
        EXPECT_EQ(state.leftAdjustFront, 4) << key;
        EXPECT_EQ(Slider(kLeftFrontTrackbar).value(), 4) << key;
        EXPECT_EQ(Label(kLeftFrontValue), "4") << key;
    }
}

TEST_F(UserServicePageTest, DraggingStoresEachPositionAndTheLabelFollows) {
    Create();
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

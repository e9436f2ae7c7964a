// The two service pages against the simulated printer, driven by control id as the user drives
// them; message boxes are answered in place of the user and recorded.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cstdint>
#include <optional>
#include <tuple>

#include "core/string_table.h"
#include "gui/window_text.h"
#include "service/debug_trace.h"
#include "service/service_mode_page.h"
#include "service/service_mode_page_ids.h"
#include "service/slider_step.h"
#include "service/user_service.h"
#include "service/user_service_page.h"
#include "service/user_service_page_ids.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using Sent = std::pair<int, int>;  // request code, value
namespace user = user_service;
namespace mode = service_mode;

class ServicePageTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
        userPage.emplace(state, nullptr);
        modePage.emplace(state, nullptr);
    }
    template <typename Control = QWidget>
    static Control& Find(const QWidget& page, int id) {
        return *ControlById<Control>(page, id);
    }
    // Clicks a button, the records of requests and message boxes started afresh.
    void Click(const QWidget& page, int id) {
        sent.clear();
        boxes.shown.clear();
        Find<QPushButton>(page, id).click();
    }
    // The requests sent (with one code, if given), in order.
    std::vector<Sent> Requests(int code = -1) const {
        std::vector<Sent> requests;
        for (const SentRequest& request : sent) {
            if (code < 0 || request.request == code) {
                requests.emplace_back(request.request, request.value);
            }
        }
        return requests;
    }
    QString Text(const QWidget& page, int id) const { return Find<QLabel>(page, id).text(); }
    QComboBox& UserList(int id) const { return Find<QComboBox>(*userPage, id); }
    QComboBox& ModeList(int id) const { return Find<QComboBox>(*modePage, id); }

    test::ScriptedAnswers boxes;
    std::optional<UserServicePage> userPage;
    std::optional<ServiceModePage> modePage;
};

// Fresh pages show their defaults, asking the printer nothing; then every button sends its
// requests in the order the printer gets them, with the message that ends the command. The
// uploads come first, so they send the defaults: the GDI timeout "60", energy save on, every
// adjustment 0 plus its offset (15, 8), both warnings on and every temperature 0. Image Refresh
// writes its debug lines, the second once the link is open, and shows nothing without a reply.
TEST_F(ServicePageTest, FreshPagesShowTheirDefaultsAndEachButtonSendsItsRequestsInOrder) {
    state.topAdjustThick = 9;
    state.plainTemperature = 2;
    state.tonerLowWarning = 0;
    userPage.emplace(state, nullptr);
    modePage.emplace(state, nullptr);
    EXPECT_TRUE(sent.empty());
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        if (setting.valueLabel != 0) {
            EXPECT_EQ(Text(*userPage, setting.valueLabel), "0") << setting.name;
        }
    }
    EXPECT_EQ(UserList(user::kGdiTimeoutList).currentText(), "60");
    EXPECT_EQ(UserList(user::kEnergySaveList).currentText(), "On");
    EXPECT_FALSE(Find(*userPage, user::kEnergySaveLabel).isHidden());
    EXPECT_TRUE(Find<QCheckBox>(*modePage, mode::kTonerLowBox).isChecked());
    EXPECT_TRUE(Find<QCheckBox>(*modePage, mode::kPuLowBox).isChecked());
    for (const int list : {mode::kPlainTemperatureList, mode::kThickTemperatureList,
                           mode::kEnvelopeTemperatureList}) {
        EXPECT_EQ(ModeList(list).currentText(), "0") << list;
    }
    std::vector<std::string> lines;
    SetDebugTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    // No counter is shown until a download, even one from an unplugged printer: then as zero.
    for (const char* shown : {"", "0"}) {
        for (const int counter : {mode::kJamCounterText, mode::kTroubleCounterText,
                                  mode::kTransferBeltCounterText, mode::kDrumUnitCounterText,
                                  mode::kTransferRollerCounterText, mode::kFuserUnitCounterText}) {
            EXPECT_EQ(Text(*modePage, counter), shown) << counter;
        }
        printer.SetPresent(false);
        Click(*modePage, mode::kDownloadButton);
    }
    Click(*userPage, user::kImageRefreshButton);
    EXPECT_EQ(lines, std::vector<std::string>{"BT_IMAGEREFRESH"}) << "the link did not open";
    printer.SetPresent(true);
    printer.Script(85, std::nullopt, std::nullopt);

    const std::tuple<const QWidget&, int, std::vector<Sent>, std::vector<int>> cases[] = {
        // clang-format off
        {*userPage, user::kUploadButton, {{21, 0x0600}, {23, 0x0100}, {25, 0}, {26, 0},
            {27, 0x0F00}, {28, 0x0F00}, {29, 0x0F00}, {30, 0x0F00}, {32, 0x0800}, {33, 0x0800},
            {34, 0x0800}, {35, 0x0800}, {36, 0x0800}, {37, 0x0800}}, {24}},
        {*modePage, mode::kUploadButton, {{41, 0x0100}, {43, 0x0100}, {45, 0}, {47, 0}, {49, 0}},
         {24}},
        {*userPage, user::kPattern1Button, {{39, 0x0000}}, {228}},
        {*userPage, user::kPattern2Button, {{39, 0x0100}}, {229}},
        {*userPage, user::kImageRefreshButton, {{85, 0x0000}}, {}},
        {*modePage, mode::kFuserUnitButton, {{51, 0}}, {231}},
        {*modePage, mode::kTransferRollerButton, {{50, 0}}, {232}},
        // clang-format on
    };
    for (const auto& [page, button, requests, messages] : cases) {
        Click(page, button);
        EXPECT_EQ(Requests(), requests) << button;
        EXPECT_EQ(boxes.shown, messages) << button;
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "the link is closed after button " << button;
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"BT_IMAGEREFRESH", "BT_IMAGEREFRESH", "USBOpen"}));
    SetDebugTraceSink(nullptr);
}

// Each adjustment is decoded with its offset; one outside its trackbar's range is shown and
// sent back as it is, the thumb at the end of the trackbar.
TEST_F(ServicePageTest, DownloadDecodesEachAdjustmentWithItsOffsetAndUploadSendsItAsItIs) {
    // No ADJTRANSLABEL, and ADJTRANSENVELOPE not a number: both decode as 0.
    printer.Script(13, 0x0400,
                   std::string("@PJL INFO CONFIGADJUST\r\nADJTOPPLAIN=40\r\nADJTOPTHICK=0\r\n"
                               "ADJTOPENVELOPE=15\r\nADJLEFTFRONT=30\r\nADJIMAGE=3\r\n"
                               "ADJTRANSPLAINFRONT=15\r\nADJTRANSTHICK1=0\r\nADJTRANSTHICK2=8\r\n"
                               "ADJTRANSPOSTCARD=9\r\nADJTRANSENVELOPE=x\r\n"));
    printer.SetValue(22, 0);
    printer.SetValue(24, 2);
    Click(*userPage, user::kDownloadButton);
    EXPECT_TRUE(boxes.shown.empty());
    const std::vector<std::int32_t> decoded = {
        state.topAdjustPlain,   state.topAdjustThick, state.topAdjustEnvelope,
        state.leftAdjustFront,  state.imageAdjust,    state.transferPlainFront,
        state.transferThick1,   state.transferThick2, state.transferPostcard,
        state.transferEnvelope, state.transferLabel,  state.energySaveOn,
        state.flicker};
    EXPECT_EQ(decoded, (std::vector<std::int32_t>{25, -15, 0, 15, 3, 7, -8, 0, 1, -8, -8, 0, 2}));
    EXPECT_EQ(state.configAdjust, nullptr) << "the blocks are given back";
    EXPECT_EQ(Text(*userPage, user::kTopPlainValue), "25");
    EXPECT_EQ(Find<QSlider>(*userPage, user::kTopPlainTrackbar).value(), 15);
    EXPECT_EQ(Text(*userPage, user::kTransferLabelValue), "-8");
    Click(*userPage, user::kUploadButton);
    EXPECT_EQ(Requests(27), (std::vector<Sent>{{27, 0x2800}}));
    // A download from an unplugged printer still shows the settings as they stand.
    state.transferPostcard = -5;
    printer.SetPresent(false);
    Click(*userPage, user::kDownloadButton);
    EXPECT_EQ(state.topAdjustPlain, 25);
    EXPECT_EQ(Text(*userPage, user::kTransferPostcardValue), "-5");
}

// What each action on a trackbar makes of the stored setting, which the thumb and the value
// label (the next control id) then show: steps of 1 and 5, held in -15..15 and -8..7. Each row
// starts from the setting as stored, the thumb where the row before left it; a drag
// (SliderMove) takes the thumb to the expected value.
TEST_F(ServicePageTest, TrackbarsStepTheStoredSettingAndHoldItInItsRange) {
    using A = QAbstractSlider;
    using S = AppState;
    const std::tuple<int, std::int32_t AppState::*, std::int32_t, int, std::int32_t> cases[] = {
        // clang-format off
        // A downloaded setting outside the range comes back at the first event, whatever it is.
        {user::kTopPlainTrackbar, &S::topAdjustPlain, 25, A::SliderSingleStepSub, 15},
        {user::kTopPlainTrackbar, &S::topAdjustPlain, 0, A::SliderSingleStepSub, -1},  // thumb 15
        {user::kTopThickTrackbar, &S::topAdjustThick, 0, A::SliderSingleStepAdd, 1},
        {user::kTopThickTrackbar, &S::topAdjustThick, INT32_MAX, A::SliderPageStepAdd, 15},
        {user::kTopEnvelopeTrackbar, &S::topAdjustEnvelope, 3, A::SliderPageStepSub, -2},
        {user::kTopEnvelopeTrackbar, &S::topAdjustEnvelope, 13, A::SliderPageStepAdd, 15},
        {user::kLeftFrontTrackbar, &S::leftAdjustFront, 3, A::SliderPageStepAdd, 8},
        {user::kLeftFrontTrackbar, &S::leftAdjustFront, INT32_MIN, A::SliderPageStepSub, -15},
        {user::kLeftFrontTrackbar, &S::leftAdjustFront, 4, A::SliderToMinimum, 4},  // Home and End
        {user::kLeftFrontTrackbar, &S::leftAdjustFront, 4, A::SliderToMaximum, 4},  // leave it
        {user::kTransferPlainTrackbar, &S::transferPlainFront, 7, A::SliderSingleStepAdd, 7},
        {user::kTransferPlainTrackbar, &S::transferPlainFront, 7, A::SliderMove, 2},
        {user::kTransferPlainTrackbar, &S::transferPlainFront, 2, A::SliderMove, -3},
        {user::kTransferThick1Trackbar, &S::transferThick1, -8, A::SliderSingleStepSub, -8},
        {user::kTransferThick2Trackbar, &S::transferThick2, -6, A::SliderPageStepSub, -8},
        {user::kTransferThick2Trackbar, &S::transferThick2, -23, A::SliderSingleStepAdd, -8},
        {user::kTransferPostcardTrackbar, &S::transferPostcard, 2, A::SliderPageStepAdd, 7},
        {user::kTransferEnvelopeTrackbar, &S::transferEnvelope, 9, A::SliderToMaximum, 7},
        {user::kTransferLabelTrackbar, &S::transferLabel, 5, A::SliderPageStepAdd, 7},
        // clang-format on
    };
    for (const auto& [trackbar, field, stored, action, expected] : cases) {
        state.*field = stored;
        QSlider& slider = Find<QSlider>(*userPage, trackbar);
        action == A::SliderMove ? slider.setSliderPosition(expected)
                                : slider.triggerAction(static_cast<A::SliderAction>(action));
        EXPECT_EQ(state.*field, expected) << trackbar << " from " << stored;
        EXPECT_EQ(slider.value(), expected) << trackbar << " from " << stored;
        EXPECT_EQ(Text(*userPage, trackbar + 1), QString::number(expected)) << trackbar;
    }
    // The page never sends these three: a thumb position is a signed 16-bit number.
    EXPECT_EQ(SteppedSetting(0, ScrollCode::ThumbTrack, 0xFFFF, {-15, 15}), -1);
    EXPECT_EQ(SteppedSetting(0, ScrollCode::ThumbPosition, 6, {-8, 7}), 6);
    EXPECT_EQ(SteppedSetting(5, ScrollCode::EndTrack, 0, {-15, 15}), 5);
}

TEST_F(ServicePageTest, AListTakesTheUsersChoiceAndKeepsItsSelectionForAnUnknownValue) {
    QTest::keyClick(&UserList(user::kGdiTimeoutList), Qt::Key_Up);
    QTest::keyClick(&UserList(user::kEnergySaveList), Qt::Key_Down);
    QTest::keyClick(&UserList(user::kImageAdjustList), Qt::Key_Down);
    EXPECT_EQ(std::tuple(state.gdiTimeout, state.energySaveOn, state.imageAdjust),
              std::tuple(5, 0, 1));

    printer.SetValue(20, 1);
    Click(*userPage, user::kDownloadButton);
    EXPECT_EQ(UserList(user::kGdiTimeoutList).currentText(), "10") << "the download selects it";
    EXPECT_EQ(UserList(user::kEnergySaveList).currentText(), "On");

    printer.SetValue(20, 9);
    printer.SetValue(22, 5);
    Click(*userPage, user::kDownloadButton);
    EXPECT_EQ(UserList(user::kGdiTimeoutList).currentText(), "10");
    EXPECT_EQ(UserList(user::kEnergySaveList).currentText(), "On");
    EXPECT_EQ(std::pair(state.gdiTimeout, state.energySaveOn), std::pair(9, 5));

    Click(*userPage, user::kUploadButton);
    EXPECT_EQ(Requests(21), (std::vector<Sent>{{21, 0x0900}})) << "sent as it is";
    EXPECT_EQ(Requests(23), (std::vector<Sent>{{23, 0x0100}})) << "the selected choice, read anew";
    EXPECT_EQ(state.energySaveOn, 1);

    // A printer without the energy-save switch gets no list, and always on.
    state.machineVariant = 2;
    userPage.emplace(state, nullptr);
    EXPECT_TRUE(Find(*userPage, user::kEnergySaveLabel).isHidden());
    EXPECT_TRUE(UserList(user::kEnergySaveList).isHidden() &&
                UserList(user::kEnergySaveList).count() == 0);
    EXPECT_EQ(state.energySaveOn, 1);
    printer.SetValue(22, 0);  // even when the printer reports the switch off
    Click(*userPage, user::kDownloadButton);
    Click(*userPage, user::kUploadButton);
    EXPECT_EQ(Requests(23), (std::vector<Sent>{{23, 0x0100}}));

    // The panel opened later on a printer with the switch: the page keeps its layout, and the
    // empty list must not send a made-up choice.
    state.machineVariant = 0;
    Click(*userPage, user::kUploadButton);
    EXPECT_TRUE(UserList(user::kEnergySaveList).isHidden());
    EXPECT_EQ(Requests(23), (std::vector<Sent>{{23, 0x0100}}));
}

// The user's choices are sent, and so are values read that no control shows (a warning read
// as 2), but a temperature read outside the choices is not sent and fails the upload, the list
// keeping its selection. Counters are signed; replacing a part changes none of them.
TEST_F(ServicePageTest, TheServiceModePageSendsTheUsersChoicesAndTheValuesRead) {
    Find<QCheckBox>(*modePage, mode::kTonerLowBox).click();
    QTest::keyClick(&ModeList(mode::kEnvelopeTemperatureList), Qt::Key_End);
    QTest::keyClick(&ModeList(mode::kThickTemperatureList), Qt::Key_Down);
    EXPECT_EQ(std::tuple(state.tonerLowWarning, state.envelopeTemperature, state.thickTemperature),
              std::tuple(0, 2, 1));
    Click(*modePage, mode::kUploadButton);
    EXPECT_EQ(Requests(),
              (std::vector<Sent>{{41, 0}, {43, 0x0100}, {45, 0}, {47, 0x0100}, {49, 0x0200}}));

    for (const std::uint32_t reply : {3u, 256u, 0xFFFFFFFFu}) {  // 256 must not wrap round to 0
        printer.SetValue(46, reply);
        Click(*modePage, mode::kDownloadButton);
        EXPECT_EQ(ModeList(mode::kThickTemperatureList).currentText(), "-5") << reply;
        EXPECT_EQ(state.thickTemperature, static_cast<std::int32_t>(reply));
        Click(*modePage, mode::kUploadButton);
        EXPECT_EQ(Requests(), (std::vector<Sent>{{41, 0}, {43, 0x0100}, {45, 0}, {49, 0x0200}}))
            << "all but 47 are sent, for " << reply;
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    }

    printer.SetValue(40, 2);
    printer.Script(83, std::nullopt, std::string("\xFF\xFF\xFF\xFF"));
    Click(*modePage, mode::kDownloadButton);
    EXPECT_FALSE(Find<QCheckBox>(*modePage, mode::kTonerLowBox).isChecked());
    EXPECT_EQ(Text(*modePage, mode::kTransferRollerCounterText), "-1");
    EXPECT_EQ(Text(*modePage, mode::kJamCounterText), "7");
    Click(*modePage, mode::kUploadButton);
    EXPECT_EQ(Requests(41), (std::vector<Sent>{{41, 0x0200}}));
    Click(*modePage, mode::kFuserUnitButton);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kFuserReplaced});
    EXPECT_EQ(Text(*modePage, mode::kFuserUnitCounterText), "12874") << "until the next download";
    EXPECT_EQ(state.fuserUnitCounter, 12874);
}

}  // namespace
}  // namespace rpanel

// The Panel page against the simulated printer, driven by control id as the user drives it:
// what each button sends (in the order of the request catalogue) and shows, and that it leaves
// nothing open.
#include "panel/panel_page.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "panel/status_display.h"
#include "panel/status_read.h"
#include "support/modal_watch.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using namespace panel_page;
using Sent = std::pair<int, int>;  // request code, value

// The panel's requests as the printer gets them: code, value (a setting in the high byte).
constexpr Sent kChangeToner{14, 0x0000};
constexpr Sent kEjectAllToner{14, 0x0100};
constexpr Sent kPhCleanUp{14, 0x0200};
constexpr Sent kStartCalibration{18, 0x0000};
constexpr Sent kReadPanelStatus{9, 0x0000};

// How many of the six information blocks are taken.
int BlocksTaken(const AppState& s) {
    return (s.configToner != nullptr) + (s.configCount != nullptr) + (s.configMachine != nullptr) +
           (s.configAdjust != nullptr) + (s.infoValues1 != nullptr) + (s.infoValues2 != nullptr);
}

const std::string kStatusReply = "@PJL INFO STATUS\r\nCODE=000000,204008\r\n";

class PanelPageTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        // A stand-in for the viewer window; the page's own is run in the last test.
        page.SetInfoViewerRunner([this](QWidget*, AppState&) { ++viewerRuns; });
    }

    void Click(int id) {
        ControlById<QPushButton>(page, id)->click();
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "button " << id << " left the link open";
        EXPECT_EQ(sim.OpenDeviceSetCount(), 0) << "button " << id;
    }
    QRadioButton& Radio(int id) { return *ControlById<QRadioButton>(page, id); }
    std::vector<Sent> Requests() const {
        std::vector<Sent> requests;
        for (const SentRequest& request : sent) {
            requests.emplace_back(request.request, request.value);
        }
        return requests;
    }
    void ClearRecords() {
        sent.clear();
        boxes.shown.clear();
    }

    test::ScriptedAnswers boxes;
    PanelPage page{state, nullptr};
    int viewerRuns = 0;
};

TEST_F(PanelPageTest, EachOnOffPairAndTheTonerChoiceExcludeOnlyEachOther) {
    const std::pair<int, int> pairs[] = {{kChangeTonerRadio, kEjectAllTonerRadio},
                                         {kTonerLowMessageOn, kTonerLowMessageOff},
                                         {kTonerOutStopOn, kTonerOutStopOff},
                                         {kAutoContinueOn, kAutoContinueOff}};
    for (const auto& [first, second] : pairs) {
        const bool firstWasChecked = Radio(first).isChecked();
        Radio(firstWasChecked ? second : first).click();
        EXPECT_NE(Radio(first).isChecked(), Radio(second).isChecked()) << first;
        EXPECT_NE(Radio(first).isChecked(), firstWasChecked) << first;
    }
    // Every pair was flipped once: each still holds its own choice.
    for (const int id :
         {kEjectAllTonerRadio, kTonerLowMessageOff, kTonerOutStopOff, kAutoContinueOn}) {
        EXPECT_TRUE(Radio(id).isChecked()) << id;
    }
}

// Every button but "Status": what it sends and the one message it shows. A setting that fails
// does not keep the others from going.
TEST_F(PanelPageTest, EachButtonSendsItsRequestsAndShowsOneMessage) {
    EXPECT_TRUE(sent.empty()) << "the page asks the printer nothing when it is made";
    using enum ReplyFault;
    const int failed = msg::kSendFailed;
    const std::vector<Sent> defaults = {{19, 0x0100}, {15, 0x0100}, {16, 0x1E00}, {17, 0x0000}};
    const auto without = [&](int position) {
        std::vector<Sent> requests = defaults;
        requests.erase(requests.begin() + position);
        return requests;
    };
    const struct {
        int button;
        std::vector<Sent> requests;
        int message;
        int failing = -1;  // the request of the sequence answered with fault
        ReplyFault fault = NoReply;
        int unchecked = 0;                 // a radio button unchecked, leaving its pair empty
        std::vector<int> chosen = {};      // radio buttons clicked first
        const char* energySave = nullptr;  // the energy-save entry chosen first
    } cases[] = {
        // clang-format off
        // The page as it starts: change toner, toner-low message and toner-out stop on, 30
        // minutes, auto continue off.
        {kRotateTonerButton, {kChangeToner}, msg::kCommandSent},
        {kApplyButton, defaults, msg::kDefaultsSent},
        {kRotateTonerButton, {kEjectAllToner}, msg::kEjectSent, -1, {}, 0,
         {kEjectAllTonerRadio}},
        {kRotateTonerButton, {kChangeToner}, msg::kCommandSent, -1, {}, 0,
         {kChangeTonerRadio}},
        {kCleanUpButton, {kPhCleanUp}, msg::kCommandSent},
        {kCalibrationStartButton, {kStartCalibration}, msg::kCalibrationSent},
        // Not acknowledged (every fault at every request: the fault campaign).
        {kApplyButton, defaults, failed, 1},
        // A pair with neither button selected is not sent, and counts as failed.
        {kApplyButton, without(0), failed, -1, {}, kTonerLowMessageOn},
        {kApplyButton, without(1), failed, -1, {}, kTonerOutStopOn},
        {kApplyButton, without(3), failed, -1, {}, kAutoContinueOff},
        // Toner-out stop stays "On": no two pairs show the same choice.
        {kApplyButton, {{19, 0x0000}, {15, 0x0100},
         {16, 0x3C00}, {17, 0x0100}}, msg::kDefaultsSent,
         -1, {}, 0, {kTonerLowMessageOff, kAutoContinueOn}, "60"},
        // clang-format on
    };
    for (const auto& c : cases) {
        ClearRecords();
        for (const int radio : c.chosen) {
            Radio(radio).click();
        }
        if (c.energySave != nullptr) {
            auto* list = ControlById<QComboBox>(page, kEnergySaveList);
            list->setCurrentIndex(list->findText(c.energySave));
        }
        if (c.failing >= 0) {
            printer.InjectFault(printer.RequestsAnswered() + c.failing, c.fault);
        }
        if (c.unchecked != 0) {
            Radio(c.unchecked).group()->setExclusive(false);
            Radio(c.unchecked).setChecked(false);
        }
        Click(c.button);
        EXPECT_EQ(Requests(), c.requests) << c.button << " failing " << c.failing;
        EXPECT_EQ(boxes.shown, std::vector<int>{c.message}) << c.button << " failing " << c.failing;
        if (c.unchecked != 0) {
            Radio(c.unchecked).setChecked(true);
            Radio(c.unchecked).group()->setExclusive(true);
        }
    }
}

TEST_F(PanelPageTest, StatusReadsTheListAndStartsTheDisplay) {
    // A reply without a closed code empties the list, and the display still runs.
    printer.Script(9, std::nullopt, "X=000000");
    state.statusIndex = 7;
    Click(kStatusButton);
    EXPECT_EQ(Requests(), std::vector<Sent>{kReadPanelStatus});
    EXPECT_EQ(state.statusCount, 0u);
    EXPECT_EQ(state.statusIndex, 0u);
    EXPECT_TRUE(page.Display().TimerRunning());

    printer.Script(9, std::nullopt, kStatusReply);
    state.statusIndex = 7;
    Click(kStatusButton);
    EXPECT_EQ(state.statusCount, 2u);
    EXPECT_EQ(state.statusIndex, 0u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PanelPageTest, AFailedStatusReadLeavesTheListTheDisplayAndTheTimerAsTheyWere) {
    ParseStatusReply(state, "X=100000,200000,300000\r\n");
    page.Display().ShowNextStatus();
    const AppState before = state;
    printer.Script(9, std::nullopt, std::nullopt);

    Click(kStatusButton);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    EXPECT_EQ(state.statusCount, before.statusCount);
    EXPECT_EQ(state.statusCodes.entries, before.statusCodes.entries);
    EXPECT_EQ(state.statusIndex, before.statusIndex);
    EXPECT_FALSE(page.Display().TimerRunning()) << "a timer that did not run is not started";

    printer.Script(9, std::nullopt, kStatusReply);
    Click(kStatusButton);
    printer.Script(9, std::nullopt, std::nullopt);
    page.Display().ShowNextStatus();
    Click(kStatusButton);
    EXPECT_EQ(state.statusIndex, 1u);
    EXPECT_TRUE(page.Display().TimerRunning()) << "a running timer goes on";
}

TEST_F(PanelPageTest, WithThePrinterUnpluggedEveryButtonShowsMessage26AndSendsNothing) {
    printer.SetPresent(false);
    ParseStatusReply(state, "X=100000\r\n");
    for (const int button : {kStatusButton, kConfigurationPageButton, kRotateTonerButton,
                             kCleanUpButton, kApplyButton, kCalibrationStartButton}) {
        boxes.shown.clear();
        Click(button);
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed}) << button;
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(viewerRuns, 0);
    EXPECT_EQ(state.statusCount, 1u);
    EXPECT_FALSE(page.Display().TimerRunning());
}

TEST_F(PanelPageTest, TheConfigurationPageRunsTheViewerOverThePageEvenWhenAReadFails) {
    printer.Script(13, 0x0200, std::nullopt);
    PanelPage realViewer(state, nullptr);
    test::ModalWatch closeViewer([&](QWidget& viewer) {
        EXPECT_EQ(viewer.parentWidget(), &realViewer);
        EXPECT_EQ(BlocksTaken(state), 6);
        viewer.close();
    });
    ControlById<QPushButton>(realViewer, kConfigurationPageButton)->click();
    EXPECT_TRUE(closeViewer.Acted());
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    EXPECT_EQ(BlocksTaken(state), 0) << "all six blocks are freed";
    EXPECT_EQ(sim.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace rpanel

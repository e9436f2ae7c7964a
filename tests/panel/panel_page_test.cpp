// The Panel page against the simulated printer, driven by control id as the user drives it:
// what each button sends and shows, and that it leaves nothing open.
#include "panel/panel_page.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "app/window_text.h"
#include "link/request_catalogue.h"
#include "modal_watch.h"
#include "panel/panel_page_ids.h"
#include "panel/status_display.h"
#include "panel/status_read.h"
#include "scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using namespace panel_page;
using Sent = std::pair<int, int>;  // request code, value

Sent Expected(Request id, std::int32_t parameter = 0) {
    const RequestRow& row = CatalogueRow(id);
    return {row.code, RequestValue(row, parameter)};
}

const std::string kStatusReply = "@PJL INFO STATUS\r\nCODE=000000,204008\r\n";

class PanelPageTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        page.SetInfoViewerRunner([this](QWidget* owner, AppState& s) {
            ++viewerRuns;
            viewerOwner = owner;
            blocksWhileShown = s.configToner != nullptr && s.configCount != nullptr &&
                               s.configMachine != nullptr && s.configAdjust != nullptr &&
                               s.infoValues1 != nullptr && s.infoValues2 != nullptr;
            linkOpenWhileShown = sim.OpenHandleCount() > 0;
        });
    }

    void Click(int id) {
        ControlById<QPushButton>(page, id)->click();
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "button " << id << " left the link open";
        EXPECT_EQ(sim.OpenDeviceSetCount(), 0) << "button " << id;
    }
    QRadioButton& Radio(int id) { return *ControlById<QRadioButton>(page, id); }
    QComboBox& EnergySave() { return *ControlById<QComboBox>(page, kEnergySaveList); }
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
    QWidget* viewerOwner = nullptr;
    bool blocksWhileShown = false;
    bool linkOpenWhileShown = false;
};

TEST_F(PanelPageTest, StartsFromTheFixedDefaultsWithoutAskingThePrinter) {
    for (const int id :
         {kChangeTonerRadio, kTonerLowMessageOn, kTonerOutStopOn, kAutoContinueOff}) {
        EXPECT_TRUE(Radio(id).isChecked()) << id;
    }
    for (const int id :
         {kEjectAllTonerRadio, kTonerLowMessageOff, kTonerOutStopOff, kAutoContinueOn}) {
        EXPECT_FALSE(Radio(id).isChecked()) << id;
    }
    ASSERT_EQ(EnergySave().count(), 4);
    for (int i = 0; i < EnergySave().count(); ++i) {
        EXPECT_EQ(EnergySave().itemText(i), QString::number(EnergySave().itemData(i).toInt()));
    }
    EXPECT_EQ(EnergySave().currentText(), "30");
    EXPECT_EQ(EnergySave().currentData().toInt(), 30);
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(page.Display().TimerRunning());
}

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
    EXPECT_TRUE(Radio(kEjectAllTonerRadio).isChecked());
    EXPECT_TRUE(Radio(kTonerLowMessageOff).isChecked());
    EXPECT_TRUE(Radio(kTonerOutStopOff).isChecked());
    EXPECT_TRUE(Radio(kAutoContinueOn).isChecked());
}

TEST_F(PanelPageTest, EachButtonSendsItsRequestsAndShowsItsMessage) {
    const struct {
        int button;
        int chosen;  // a radio button clicked first; 0: none
        std::vector<Sent> requests;
        int message;
    } cases[] = {
        {kRotateTonerButton, 0, {Expected(Request::ChangeToner)}, msg::kCommandSent},
        {kRotateTonerButton,
         kEjectAllTonerRadio,
         {Expected(Request::EjectAllToner)},
         msg::kEjectSent},
        {kRotateTonerButton,
         kChangeTonerRadio,
         {Expected(Request::ChangeToner)},
         msg::kCommandSent},
        {kCleanUpButton, 0, {Expected(Request::PhCleanUp)}, msg::kCommandSent},
        {kCalibrationStartButton, 0, {Expected(Request::StartCalibration)}, msg::kCalibrationSent},
        {kApplyButton,
         0,
         {Expected(Request::SetTonerLowMessage, 1), Expected(Request::SetTonerOutStop, 1),
          Expected(Request::SetEnergySaveTime, 30), Expected(Request::SetAutoContinue, 0)},
         msg::kDefaultsSent},
    };
    for (const auto& c : cases) {
        ClearRecords();
        if (c.chosen != 0) {
            Radio(c.chosen).click();
        }
        Click(c.button);
        EXPECT_EQ(Requests(), c.requests) << c.button;
        EXPECT_EQ(boxes.shown, std::vector<int>{c.message}) << c.button;
    }
}

TEST_F(PanelPageTest, ApplySendsWhatTheControlsShow) {
    // Toner-out stop stays "On": no two pairs show the same choice.
    Radio(kTonerLowMessageOff).click();
    Radio(kAutoContinueOn).click();
    EnergySave().setCurrentIndex(EnergySave().findText("60"));
    Click(kApplyButton);
    EXPECT_EQ(Requests(),
              (std::vector<Sent>{{19, 0x0000}, {15, 0x0100}, {16, 0x3C00}, {17, 0x0100}}));
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kDefaultsSent});
}

TEST_F(PanelPageTest, ApplyWithAPairLeftEmptySendsTheOtherThreeAndShowsOneMessage25) {
    Radio(kTonerOutStopOn).group()->setExclusive(false);
    Radio(kTonerOutStopOn).setChecked(false);
    Click(kApplyButton);
    EXPECT_EQ(Requests(), (std::vector<Sent>{Expected(Request::SetTonerLowMessage, 1),
                                             Expected(Request::SetEnergySaveTime, 30),
                                             Expected(Request::SetAutoContinue, 0)}));
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
}

TEST_F(PanelPageTest, ACommandThePrinterDoesNotAcknowledgeShowsMessage25) {
    printer.Script(16, std::nullopt, std::nullopt);
    printer.Script(18, std::nullopt, std::string("NG\0\0", 4));
    for (const int button : {kApplyButton, kCalibrationStartButton}) {
        ClearRecords();
        Click(button);
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed}) << button;
    }
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(PanelPageTest, StatusReadsTheListAndStartsTheDisplay) {
    printer.Script(9, std::nullopt, kStatusReply);
    state.statusIndex = 7;
    Click(kStatusButton);
    EXPECT_EQ(Requests(), std::vector<Sent>{Expected(Request::ReadPanelStatus)});
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.statusCount, 2u);
    EXPECT_EQ(state.statusIndex, 0u);
    EXPECT_TRUE(page.Display().TimerRunning());
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

TEST_F(PanelPageTest, TheConfigurationPageOpensTheViewerEvenWhenAReadFailsAndFreesTheBlocks) {
    printer.Script(13, 0x0200, std::nullopt);
    Click(kConfigurationPageButton);
    EXPECT_EQ(viewerRuns, 1);
    EXPECT_EQ(viewerOwner, &page);
    EXPECT_TRUE(blocksWhileShown);
    EXPECT_TRUE(linkOpenWhileShown);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    for (const void* block :
         {static_cast<const void*>(state.configToner), static_cast<const void*>(state.configCount),
          static_cast<const void*>(state.configMachine),
          static_cast<const void*>(state.configAdjust), static_cast<const void*>(state.infoValues1),
          static_cast<const void*>(state.infoValues2)}) {
        EXPECT_EQ(block, nullptr);
    }
}

TEST_F(PanelPageTest, WithoutAStandInTheButtonRunsTheViewerWindowModallyOverThePage) {
    PanelPage realViewer(state, nullptr);
    QWidget* viewerParent = nullptr;
    bool blocksWhileUp = false;
    test::ModalWatch closeViewer([&](QWidget& viewer) {
        viewerParent = viewer.parentWidget();
        blocksWhileUp = state.configToner != nullptr && state.infoValues2 != nullptr;
        viewer.close();
    });
    ControlById<QPushButton>(realViewer, kConfigurationPageButton)->click();
    EXPECT_TRUE(closeViewer.Acted());
    EXPECT_EQ(viewerParent, &realViewer);
    EXPECT_TRUE(blocksWhileUp);
    EXPECT_EQ(state.configToner, nullptr);
    EXPECT_EQ(sim.OpenHandleCount(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace rpanel

// The Panel page against the simulated printer, driven by control id as the user drives it:
// what each button sends and shows, and that it leaves nothing open; then its status display
// as drawn.
#include "panel/panel_page.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <tuple>
#include <vector>

#include "core/string_table.h"
#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "panel/status_code.h"
#include "panel/status_display.h"
#include "panel/status_painting.h"
#include "panel/status_read.h"
#include "support/modal_watch.h"
#include "support/scripted_answers.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

using namespace panel_page;
using Sent = std::pair<int, int>;  // request code, value

// How many of the six information blocks are taken.
int BlocksTaken(const AppState& s) {
    return (s.configToner != nullptr) + (s.configCount != nullptr) + (s.configMachine != nullptr) +
           (s.configAdjust != nullptr) + (s.infoValues1 != nullptr) + (s.infoValues2 != nullptr);
}

class PanelPageTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        // A stand-in for the viewer window; the page's own is run in the last test.
        page.SetInfoViewerRunner([this](QWidget*, AppState&) { ++viewerRuns; });
    }
    // The requests a button sends; the records start afresh.
    std::vector<Sent> Click(int id) {
        sent.clear();
        boxes.shown.clear();
        ControlById<QPushButton>(page, id)->click();
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "button " << id << " left the link open";
        std::vector<Sent> requests;
        for (const SentRequest& request : sent) {
            requests.emplace_back(request.request, request.value);
        }
        return requests;
    }
    QRadioButton& Radio(int id) { return *ControlById<QRadioButton>(page, id); }

    test::ScriptedAnswers boxes;
    PanelPage page{state, nullptr};
    int viewerRuns = 0;
};

// Every button but "Status" and the configuration page: what it sends and the one message it
// shows. The rows run in turn on one page, which starts with change toner, toner-low message
// and toner-out stop on, 30 minutes and auto continue off.
TEST_F(PanelPageTest, EachButtonSendsTheChosenSettingsAndShowsOneMessage) {
    EXPECT_TRUE(sent.empty()) << "the page asks the printer nothing when it is made";
    const Sent change{14, 0x0000}, eject{14, 0x0100};
    // The button, what it sends, its message; the controls chosen first (radio buttons clicked,
    // the energy-save list one entry down: from "30" to "60"), and a radio button then unchecked,
    // its group no longer exclusive.
    const std::tuple<int, std::vector<Sent>, int, std::vector<int>, int> cases[] = {
        // clang-format off
        {kRotateTonerButton, {change}, msg::kCommandSent, {}, 0},
        {kApplyButton, {{19, 0x0100}, {15, 0x0100}, {16, 0x1E00}, {17, 0x0000}}, msg::kDefaultsSent,
         {}, 0},
        {kCleanUpButton, {{14, 0x0200}}, msg::kCommandSent, {}, 0},
        {kCalibrationStartButton, {{18, 0x0000}}, msg::kCalibrationSent, {}, 0},
        {kRotateTonerButton, {eject}, msg::kEjectSent, {kEjectAllTonerRadio}, 0},
        // A click changes its own pair and no other.
        {kApplyButton, {{19, 0x0000}, {15, 0x0100}, {16, 0x3C00}, {17, 0x0100}}, msg::kDefaultsSent,
         {kTonerLowMessageOff, kAutoContinueOn, kEnergySaveList}, 0},
        {kApplyButton, {{19, 0x0000}, {15, 0x0000}, {16, 0x3C00}, {17, 0x0000}}, msg::kDefaultsSent,
         {kTonerOutStopOff, kAutoContinueOff}, 0},
        {kRotateTonerButton, {eject}, msg::kEjectSent, {}, 0},
        {kRotateTonerButton, {change}, msg::kCommandSent, {kChangeTonerRadio}, 0},
        // A pair with neither button selected is not sent, and counts as failed.
        {kApplyButton, {{15, 0x0000}, {16, 0x3C00}, {17, 0x0000}}, msg::kSendFailed, {},
         kTonerLowMessageOff},
        {kApplyButton, {{16, 0x3C00}, {17, 0x0000}}, msg::kSendFailed, {}, kTonerOutStopOff},
        {kApplyButton, {{16, 0x3C00}}, msg::kSendFailed, {}, kAutoContinueOff},
        // clang-format on
    };
    for (const auto& row : cases) {
        const auto& [button, requests, message, chosen, unchecked] = row;
        SCOPED_TRACE(&row - cases);
        for (const int id : chosen) {
            id == kEnergySaveList ? QTest::keyClick(ControlById<QComboBox>(page, id), Qt::Key_Down)
                                  : Radio(id).click();
        }
        if (unchecked != 0) {
            Radio(unchecked).group()->setExclusive(false);
            Radio(unchecked).setChecked(false);
        }
        EXPECT_EQ(Click(button), requests);
        EXPECT_EQ(boxes.shown, std::vector<int>{message});
    }
}

// Neither an unplugged printer (message 26 for every button, and nothing sent) nor a failed
// status read changes the list or starts the display; a read does, even of an empty list.
TEST_F(PanelPageTest, StatusReadsTheListAndStartsTheDisplayAndAFailedCommandChangesNothing) {
    ParseStatusReply(state, "X=100000,200000,300000\r\n");
    page.Display().ShowNextStatus();
    const AppState before = state;
    const auto list = [&] {
        return std::tuple(state.statusCount, state.statusIndex, page.Display().TimerRunning());
    };
    printer.SetPresent(false);
    for (const int button : {kStatusButton, kConfigurationPageButton, kRotateTonerButton,
                             kCleanUpButton, kApplyButton, kCalibrationStartButton}) {
        EXPECT_TRUE(Click(button).empty()) << button;
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed}) << button;
    }
    EXPECT_EQ(viewerRuns, 0);
    printer.SetPresent(true);
    printer.Script(9, std::nullopt, std::nullopt);
    Click(kStatusButton);
    EXPECT_EQ(boxes.shown, std::vector<int>{msg::kSendFailed});
    EXPECT_EQ(state.statusCodes.entries, before.statusCodes.entries);
    EXPECT_EQ(list(), (std::tuple(3u, 1u, false)));

    printer.Script(9, std::nullopt, "X=000000");  // no closed code: an empty list
    EXPECT_EQ(Click(kStatusButton), (std::vector<Sent>{{9, 0x0000}}));
    EXPECT_EQ(list(), (std::tuple(0u, 0u, true)));

    printer.Script(9, std::nullopt, "@PJL INFO STATUS\r\nCODE=000000,204008\r\n");
    state.statusIndex = 7;
    Click(kStatusButton);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(list(), (std::tuple(2u, 0u, true)));

    printer.Script(9, std::nullopt, std::nullopt);
    page.Display().ShowNextStatus();
    Click(kStatusButton);
    EXPECT_EQ(list(), (std::tuple(2u, 1u, true))) << "a running timer goes on";
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

// Dark pixels (grey below 128) in a rectangle, as their bounding box (empty: none).
QRect Ink(const QImage& image, const QRect& area) {
    const QImage dark = image.copy(area).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    return QRegion(QBitmap::fromImage(dark)).translated(area.topLeft()).boundingRect();
}

int TextWidth(const char* text) {
    return QFontMetrics(StatusDisplayFont()).horizontalAdvance(QString::fromUtf8(text));
}

// A stand-in for the panel page: the "Remote Panel" group box inside a frame inside the page,
// so that the box's position has to be mapped through a parent. Its edges in the page are
// L = 7 + 5, T = 5 + 4 and R = L + 489.
class StatusDisplayTest : public ::testing::Test {
protected:
    static constexpr int L = 12, T = 9, R = L + 489;

    StatusDisplayTest() {
        SelectLanguage(kEnglishUnitedStates);
        page.resize(560, 420);
        inner.setGeometry(7, 5, 540, 300);
        groupBox.setGeometry(5, 4, 489, 180);
    }

    QImage Render() {
        QImage image(page.size(), QImage::Format_RGB32);
        image.fill(Qt::gray);
        page.render(&image);
        return image;
    }
    // The frame's interior, and the band of 15 pixels from the top of line 0 or 1.
    static QRect Interior() { return QRect(QPoint(L + 151, T + 21), QPoint(R - 12, T + 88)); }
    static QRect LineBand(int line) { return QRect(L + 151, T + 30 + 20 * line, R - L - 163, 15); }

    AppState state;
    QWidget page;
    QWidget inner{&page};
    QGroupBox groupBox{&inner};
    StatusDisplay display{page, groupBox, state};
};

// Before the first read the frame is empty and no timer runs; the frame follows the group box,
// and a line too long for it is drawn whole past it.
TEST_F(StatusDisplayTest, DrawsTheEmptyFrameWhereTheGroupBoxIs) {
    EXPECT_FALSE(display.TimerRunning());
    QImage image = Render();
    // A one-pixel outline on the first and last rows and columns of L+150..R-10 by T+20..T+90.
    EXPECT_EQ(image.pixel(L + 150, T + 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(R - 11, T + 89), qRgb(0, 0, 0));
    for (const QPoint outside : {QPoint(L + 149, T + 50), QPoint(R - 10, T + 50),
                                 QPoint(L + 200, T + 19), QPoint(L + 200, T + 90)}) {
        EXPECT_NE(image.pixel(outside), qRgb(0, 0, 0)) << outside.x() << "," << outside.y();
    }
    // White inside, even where the group box paints its own background.
    EXPECT_EQ(image.pixel(L + 151, T + 21), qRgb(255, 255, 255));
    EXPECT_TRUE(Ink(image, Interior()).isEmpty());

    groupBox.setGeometry(25, 40, 200, 180);  // L = 32, T = 45, R = 232
    ParseStatusReply(state, "X=000000\r\n");
    display.ShowNextStatus();
    image = Render();
    EXPECT_EQ(image.pixel(32 + 150, 45 + 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(232 - 11, 45 + 89), qRgb(0, 0, 0));
    const QRect ink = Ink(image, QRect(32 + 151, 45 + 30, 300, 15));
    EXPECT_NEAR(ink.width(), TextWidth("READY"), 3);
    EXPECT_GT(ink.right(), 232 - 11);
}

// Each tick draws the lines of the next code at their places (none for a code
// the table does not know or an empty entry), wiping out those of the tick
// before; a repaint moves nothing on.
TEST_F(StatusDisplayTest, TicksRotateThroughTheListAndDrawEachCodesLinesAtTheirPlaces) {
    ParseStatusReply(state, "X=100000,200021,000000,100005,,000001\r\n");
    page.hide();  // the rotation goes on while the page is hidden
    const std::pair<const char*, const char*> ticks[] = {
        // clang-format off
        {"MACHINE TROUBLE", "SERVICE CALL(0001)"},
        {"CHECK TRAY PAPER", "LOAD PAPER(CUSTOM(Plain))"},
        {"READY", nullptr}, {nullptr, nullptr}, {nullptr, nullptr}, {"Receiving", nullptr},
        {"MACHINE TROUBLE", "SERVICE CALL(0001)"},
        // clang-format on
    };
    for (const auto& [text1, text2] : ticks) {
        display.ShowNextStatus();
        const std::uint32_t index = state.statusIndex;
        for (int paint = 0; paint < 2; ++paint) {
            const QImage image = Render();
            const QRect line1 = Ink(image, LineBand(0));
            const QRect line2 = Ink(image, LineBand(1));
            EXPECT_EQ(Ink(image, Interior()), line1 | line2) << index << ": ink outside the lines";
            for (const auto& [ink, text] : {std::pair{line1, text1}, {line2, text2}}) {
                if (text == nullptr) {
                    EXPECT_TRUE(ink.isEmpty()) << index;
                    continue;
                }
                EXPECT_NEAR(ink.left(), L + 160, 2) << text;
                EXPECT_NEAR(ink.width(), TextWidth(text), 3) << text;
            }
        }
        EXPECT_EQ(state.statusIndex, index);
    }
    EXPECT_EQ(state.statusIndex, 1u);
}

}  // namespace
}  // namespace rpanel

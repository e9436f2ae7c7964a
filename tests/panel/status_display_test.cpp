#include "panel/status_display.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>

#include "core/string_table.h"
#include "panel/status_code.h"
#include "panel/status_painting.h"

namespace rpanel {
namespace {

// Dark pixels in a rectangle, as their bounding box (empty: none).
QRect Ink(const QImage& image, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
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

    void SetCodes(std::initializer_list<const char*> codes) {
        state.statusCount = 0;
        for (const char* code : codes) {
            state.statusCodes.entries[state.statusCount++] = ToStatusCode(code);
        }
        state.statusIndex = 0;
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

TEST_F(StatusDisplayTest, BeforeTheFirstReadThePageShowsTheEmptyFrameAndNoTimerRuns) {
    EXPECT_FALSE(display.TimerRunning());
    const QImage image = Render();
    // A one-pixel outline on the first and last rows and columns of L+150..R-10 by T+20..T+90.
    for (const QPoint corner : {QPoint(L + 150, T + 20), QPoint(R - 11, T + 89)}) {
        EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0)) << corner.x() << "," << corner.y();
    }
    for (const QPoint outside : {QPoint(L + 149, T + 50), QPoint(R - 10, T + 50),
                                 QPoint(L + 200, T + 19), QPoint(L + 200, T + 90)}) {
        EXPECT_NE(image.pixel(outside), qRgb(0, 0, 0)) << outside.x() << "," << outside.y();
    }
    // White inside, even where the group box paints its own background.
    EXPECT_EQ(image.pixel(L + 151, T + 21), qRgb(255, 255, 255));
    EXPECT_TRUE(Ink(image, Interior()).isEmpty());
}

TEST_F(StatusDisplayTest, DrawsTheLinesOfACodeAtTheirPlaces) {
    const struct {
        const char* code;
        const char* line1;  // null: nothing drawn
        const char* line2;
    } cases[] = {
        {"000000", "READY", nullptr},
        {"100000", "MACHINE TROUBLE", "SERVICE CALL(0001)"},
        {"200021", "CHECK TRAY PAPER", "LOAD PAPER(CUSTOM(Plain))"},
        {"100005", nullptr, nullptr},  // a code the table does not know
        {"", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SetCodes({c.code});
        display.ShowNextStatus();
        const QImage image = Render();
        const QRect line1 = Ink(image, LineBand(0));
        const QRect line2 = Ink(image, LineBand(1));
        EXPECT_EQ(Ink(image, Interior()), line1 | line2) << c.code << ": ink outside the lines";
        for (const auto& [ink, text] : {std::pair{line1, c.line1}, {line2, c.line2}}) {
            if (text == nullptr) {
                EXPECT_TRUE(ink.isEmpty()) << c.code;
                continue;
            }
            EXPECT_NEAR(ink.left(), L + 160, 2) << c.code;
            EXPECT_NEAR(ink.width(), TextWidth(text), 3) << c.code;
        }
    }
}

TEST_F(StatusDisplayTest, FollowsTheGroupBoxAndDrawsALongLineWholePastTheFrame) {
    groupBox.setGeometry(25, 40, 200, 180);  // L = 32, T = 45, R = 232
    SetCodes({"000000"});
    display.ShowNextStatus();
    const QImage image = Render();
    EXPECT_EQ(image.pixel(32 + 150, 45 + 20), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(232 - 11, 45 + 89), qRgb(0, 0, 0));
    const QRect ink = Ink(image, QRect(32 + 151, 45 + 30, 300, 15));
    EXPECT_NEAR(ink.width(), TextWidth("READY"), 3);
    EXPECT_GT(ink.right(), 232 - 11);
}

TEST_F(StatusDisplayTest, TicksRotateThroughTheListAndARepaintMovesNothing) {
    SetCodes({"100000", "000000", "000001"});
    page.hide();  // the rotation goes on while the page is hidden
    for (const char* line1 : {"MACHINE TROUBLE", "READY", "Receiving", "MACHINE TROUBLE"}) {
        display.ShowNextStatus();
        const std::uint32_t index = state.statusIndex;
        for (int paint = 0; paint < 2; ++paint) {
            const QImage image = Render();
            EXPECT_NEAR(Ink(image, LineBand(0)).width(), TextWidth(line1), 3) << line1;
            // Each tick wipes out the lines of the one before.
            EXPECT_EQ(Ink(image, LineBand(1)).isEmpty(), line1 != std::string("MACHINE TROUBLE"));
        }
        EXPECT_EQ(state.statusIndex, index);
    }
    EXPECT_EQ(state.statusIndex, 1u);
}

}  // namespace
}  // namespace rpanel

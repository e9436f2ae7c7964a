// Every text of every window shows whole in every language: the windows of the program as the
// screenshots take them, checked control by control, and the panel-display lines against the
// display frame. Also the builder's part in it: a caption that does not fit grows its control
// into the free room beside it, and an untitled group box keeps its frame clear of the
// controls just above it; and the check itself catches what it is there to catch.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <ostream>
#include <string>

#include "core/embedded_string_tables.h"
#include "core/string_table.h"
#include "gui/dialog_builder.h"
#include "gui/dialog_units.h"
#include "gui/window_text.h"
#include "text_fit.h"
#include "tour_check.h"
#include "window_tour.h"

namespace rpanel {
namespace {

TEST(LayoutFitTest, EveryWindowShowsEveryTextWholeInEveryLanguage) {
    const std::uint16_t before = SelectedLanguage();
    QStringList misfits;
    int windows = 0;
    for (std::size_t index = 0; index < kEmbeddedStringTableCount; ++index) {
        const EmbeddedStringTable& language = kEmbeddedStringTables[index];
        SelectLanguage(language.language);
        QString error;
        const bool toured = TourWindows(
            [&](const QString& name, QWidget& window) {
                ++windows;
                for (const TextMisfit& misfit : FindMisfits(name, window)) {
                    misfits
                        << QStringLiteral("%1 %2: %3").arg(language.tag, name, Describe(misfit));
                }
            },
            &error);
        EXPECT_TRUE(toured) << language.tag << ": " << error.toStdString();
    }
    SelectLanguage(before);
    // The main window with each of its three pages, the About box and the viewer's seven pages.
    EXPECT_EQ(windows, static_cast<int>(kEmbeddedStringTableCount) * 11);
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join(QLatin1Char('\n')).toStdString();
}

constexpr int kPageWidth = 200;

// A window of one row: a text control at x 10, 30 units wide, too narrow for its caption, and
// what stands beside it.
struct GrowCase {
    const char* what;
    ControlKind kind;
    int nextControlAt;  // 0: nothing beside it
    bool inGroupBox;
    bool windowGrows;
};

void PrintTo(const GrowCase& test, std::ostream* out) {
    *out << test.what;
}

class ControlGrowthTest : public ::testing::TestWithParam<GrowCase> {};

TEST_P(ControlGrowthTest, GrowsAndMovesWhatStandsAfterItOnItsRow) {
    const GrowCase& test = GetParam();
    std::vector<ControlTemplate> controls = {
        {.id = 1,
         .kind = test.kind,
         .rect = {10, 10, 30, 12},
         .caption = FixedCaption("Energiesparmodus nach")},
    };
    if (test.nextControlAt != 0) {
        controls.push_back({.id = 2,
                            .kind = ControlKind::PushButton,
                            .rect = {test.nextControlAt, 8, 20, 14},
                            .caption = FixedCaption("OK")});
    }
    if (test.inGroupBox) {
        controls.push_back({.id = 3,
                            .kind = ControlKind::GroupBox,
                            .rect = {5, 0, 70, 34},
                            .caption = FixedCaption("Box")});
    }
    QWidget window;
    BuildDialog({.id = 1,
                 .width = kPageWidth,
                 .height = 40,
                 .style = DialogStyle::TitledWindow,
                 .controls = controls},
                window);
    const QSize templateSize = window.size();
    QWidget& control = *ControlById(window, 1);
    const QRect before = control.geometry();
    QRect nextBefore;
    if (test.nextControlAt != 0) {
        nextBefore = ControlById(window, 2)->geometry();
    }

    window.show();
    EXPECT_EQ(control.pos(), before.topLeft());
    EXPECT_EQ(control.height(), before.height());
    EXPECT_GT(control.width(), before.width());
    QStringList misfits;
    for (const TextMisfit& misfit : FindTextMisfits(window)) {
        misfits << Describe(misfit);
    }
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join(QLatin1Char('\n')).toStdString();
    if (test.nextControlAt != 0) {
        const QRect next = ControlById(window, 2)->geometry();
        EXPECT_EQ(next.y(), nextBefore.y());
        EXPECT_GE(next.x(), nextBefore.x());
        EXPECT_GT(next.left(), control.geometry().right());
        EXPECT_LE(next.right(), window.width());
    }
    if (test.inGroupBox) {
        EXPECT_GT(ControlById(window, 3)->geometry().right(), control.geometry().right());
    }
    EXPECT_EQ(window.width() > templateSize.width(), test.windowGrows);
    EXPECT_EQ(window.height(), templateSize.height());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlGrowthTest,
    ::testing::Values(
        GrowCase{"label, room", ControlKind::Label, 0, false, false},
        GrowCase{"label, next control", ControlKind::Label, 110, false, false},
        GrowCase{"label, next control close", ControlKind::Label, 45, false, false},
        GrowCase{"label, next control at the edge", ControlKind::Label, 178, false, true},
        GrowCase{"label, group box", ControlKind::Label, 0, true, false},
        GrowCase{"label, group box, next control", ControlKind::Label, 80, true, false},
        GrowCase{"check box", ControlKind::CheckBox, 45, false, false},
        GrowCase{"radio button", ControlKind::RadioButton, 45, false, false},
        GrowCase{"push button", ControlKind::PushButton, 45, false, false}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::erase_if(name, [](char c) { return c == ' ' || c == ','; });
        return name;
    });

TEST(CaptionFitTest, AWrappingLabelAndAFittingCaptionKeepTheirTemplateWidth) {
    constexpr ControlTemplate kControls[] = {
        {.id = 1,
         .kind = ControlKind::Label,
         .rect = {10, 10, 60, 24},
         .caption = FixedCaption("A note that breaks into several lines where it must")},
        {.id = 2,
         .kind = ControlKind::PushButton,
         .rect = {10, 40, 60, 14},
         .caption = FixedCaption("OK")},
    };
    QWidget window;
    BuildDialog({.id = 1, .width = kPageWidth, .height = 60, .controls = kControls}, window);
    const DialogBaseUnits units = BaseUnitsOf(window.font());
    window.show();
    for (const ControlTemplate& control : kControls) {
        EXPECT_EQ(ControlById(window, control.id)->geometry(), ToPixels(control.rect, units));
    }
}

TEST(GroupBoxFrameTest, AnUntitledBoxDrawsItsFrameHalfATextLineBelowItsTop) {
    constexpr ControlTemplate kControls[] = {
        {.id = 1, .kind = ControlKind::GroupBox, .rect = {5, 20, 80, 40}},
        {.id = 2,
         .kind = ControlKind::GroupBox,
         .rect = {90, 20, 80, 40},
         .caption = FixedCaption("Box")},
        // Its bottom reaches a unit into the untitled box's rectangle, as on the Panel page.
        {.id = 3,
         .kind = ControlKind::PushButton,
         .rect = {10, 7, 60, 14},
         .caption = FixedCaption("Button")},
    };
    QWidget window;
    BuildDialog({.id = 1, .width = kPageWidth, .height = 70, .controls = kControls}, window);
    const DialogBaseUnits units = BaseUnitsOf(window.font());
    const QRect untitled = ToPixels(kControls[0].rect, units);
    EXPECT_EQ(ControlById(window, 1)->geometry(), untitled.adjusted(0, units.y / 2, 0, 0));
    EXPECT_EQ(ControlById(window, 2)->geometry(), ToPixels(kControls[1].rect, units));
    window.show();
    EXPECT_TRUE(FindTextMisfits(window).empty())
        << Describe(FindTextMisfits(window).front()).toStdString();
}

TEST(TextFitCheckTest, FindsOverlapsCrossedFramesAndTextsWithTooManyLines) {
    constexpr ControlTemplate kControls[] = {
        {.id = 1,
         .kind = ControlKind::PushButton,
         .rect = {10, 10, 60, 14},
         .caption = FixedCaption("One")},
        {.id = 2,
         .kind = ControlKind::PushButton,
         .rect = {60, 10, 60, 14},
         .caption = FixedCaption("Two")},
        {.id = 3,
         .kind = ControlKind::Label,
         .rect = {10, 40, 60, 8},
         .caption = FixedCaption("Crosses the frame")},
        {.id = 4, .kind = ControlKind::GroupBox, .rect = {30, 35, 100, 30}},
        {.id = 5,
         .kind = ControlKind::Label,
         .rect = {140, 40, 16, 16},
         .caption = FixedCaption("three short lines")},
    };
    QWidget window;
    BuildDialog({.id = 1, .width = kPageWidth, .height = 70, .controls = kControls}, window);
    QStringList found;
    for (const TextMisfit& misfit : FindTextMisfits(window)) {
        found << misfit.control + QStringLiteral(": ") + misfit.problem;
    }
    EXPECT_TRUE(found.contains(QStringLiteral("1 QPushButton: overlaps 2 QPushButton")))
        << found.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("3 QLabel: crosses the frame of 4 QGroupBox")))
        << found.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(found.filter(QStringLiteral("5 QLabel: needs 3 lines")).size(), 1)
        << found.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace rpanel

// Windows built from templates: the dialog-unit conversion, controls found by id with their
// captions, radio groups, and group boxes that frame controls without covering them.
#include "gui/dialog_builder.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/dialog_templates.h"
#include "app/main_window_ids.h"
#include "gui/dialog_units.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

TEST(DialogUnitsTest, BaseUnitsAndRectanglesAreRoundedToTheNearestPixel) {
    // The average letter width of 52 letters, rounded: 6.79 -> 7, 6.48 -> 6, 6.5 -> 7.
    EXPECT_EQ(BaseUnitsFromMetrics(353, 13).x, 7);
    EXPECT_EQ(BaseUnitsFromMetrics(337, 13).x, 6);
    EXPECT_EQ(BaseUnitsFromMetrics(338, 13).x, 7);
    EXPECT_EQ(BaseUnitsFromMetrics(353, 13).y, 13);
    // x: du * 7 / 4, y: du * 13 / 8; 4 -> 7 and 6.5 -> 7, 342 -> 598.5 -> 599, 236 -> 383.5 -> 384.
    EXPECT_EQ(ToPixels({4, 4, 342, 236}, {7, 13}), QRect(7, 7, 599, 384));
    EXPECT_EQ(ToPixels({10, 15, 50, 14}, {6, 14}), QRect(15, 26, 75, 25));
}

TEST(DialogBuilderTest, MainWindowControlsSitWhereTheTemplateSaysInTheActualFontWithTheirCaptions) {
    QWidget window;
    BuildDialog(kMainWindowTemplate, window);
    const DialogBaseUnits units = BaseUnitsOf(DialogFont(kMainWindowTemplate.fontPointSize));
    ASSERT_GT(units.x, 0);
    EXPECT_EQ(window.size(), QSize(HorizontalPixels(350, units), VerticalPixels(265, units)));
    for (const ControlTemplate& control : kMainWindowTemplate.controls) {
        const QWidget* widget = ControlById(window, control.id);
        ASSERT_NE(widget, nullptr) << control.id;
        EXPECT_EQ(widget->geometry(), ToPixels(control.rect, units)) << control.id;
    }
    EXPECT_EQ(ControlById<QPushButton>(window, main_window::kCloseButton)->text(), "Close");
}

constexpr ControlTemplate kTwoRadioGroups[] = {
    {.id = 1, .kind = ControlKind::RadioButton, .rect = {0, 0, 40, 10}, .startsGroup = true},
    {.id = 2, .kind = ControlKind::RadioButton, .rect = {50, 0, 40, 10}},
    {.id = 3, .kind = ControlKind::Label, .rect = {0, 15, 40, 10}, .startsGroup = true},
    {.id = 4, .kind = ControlKind::RadioButton, .rect = {50, 15, 40, 10}, .startsGroup = true},
    {.id = 5, .kind = ControlKind::RadioButton, .rect = {100, 15, 40, 10}},
};

TEST(DialogBuilderTest, RadioButtonsExcludeEachOtherOnlyWithinTheirGroup) {
    QWidget dialog;
    BuildDialog({.id = 1, .width = 150, .height = 40, .controls = kTwoRadioGroups}, dialog);
    auto radio = [&](int id) { return ControlById<QRadioButton>(dialog, id); };
    radio(1)->click();
    radio(4)->click();
    EXPECT_TRUE(radio(1)->isChecked());
    EXPECT_TRUE(radio(4)->isChecked());

    radio(2)->click();
    EXPECT_FALSE(radio(1)->isChecked());
    EXPECT_TRUE(radio(4)->isChecked());
    radio(5)->click();
    EXPECT_TRUE(radio(2)->isChecked());
    EXPECT_FALSE(radio(4)->isChecked());
}

constexpr ControlTemplate kFramedControls[] = {
    {.id = 1, .kind = ControlKind::PushButton, .rect = {10, 15, 50, 14}},
    {.id = 2, .kind = ControlKind::DropDownList, .rect = {70, 15, 48, 30}},
    {.id = 3, .kind = ControlKind::GroupBox, .rect = {5, 5, 130, 50}},
};

TEST(DialogBuilderTest, GroupBoxLiesBeneathItsControlsAndAListIsAsHighAsItsFont) {
    QWidget dialog;
    BuildDialog({.id = 1, .width = 140, .height = 60, .controls = kFramedControls}, dialog);
    for (const int id : {1, 2}) {
        const QWidget* control = ControlById(dialog, id);
        EXPECT_EQ(dialog.childAt(control->geometry().center()), control) << id;
    }
    // Not as high as its opened list.
    const auto* list = ControlById<QComboBox>(dialog, 2);
    EXPECT_EQ(list->height(), list->sizeHint().height());
    EXPECT_EQ(list->width(), HorizontalPixels(48, BaseUnitsOf(dialog.font())));
}

}  // namespace
}  // namespace rpanel

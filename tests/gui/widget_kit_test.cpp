// Windows built from templates: the dialog-unit conversion, controls where the template puts
// them in the dialog font, group boxes that frame controls without covering them, radio groups
// by keyboard and mouse, and screen-reader names. And the real message boxes, as the user meets
// them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include "app/dialog_templates.h"
#include "app/main_window_ids.h"
#include "gui/dialog_builder.h"
#include "gui/dialog_units.h"
#include "gui/message_boxes.h"
#include "gui/window_text.h"
#include "support/modal_watch.h"

namespace rpanel {
namespace {

using K = ControlKind;

constexpr ControlTemplate Control(int id, K kind, DialogRect rect, std::string_view caption = {},
                                  bool startsGroup = false) {
    return {id, kind, rect, FixedCaption(caption), startsGroup};
}

TEST(DialogUnitsTest, BaseUnitsAndRectanglesAreRoundedToTheNearestPixel) {
    // The average letter width of 52 letters, rounded: 6.79 -> 7, 6.48 -> 6, 6.5 -> 7.
    EXPECT_EQ(BaseUnitsFromMetrics(353, 13).x, 7);
    EXPECT_EQ(BaseUnitsFromMetrics(337, 13).x, 6);
    EXPECT_EQ(BaseUnitsFromMetrics(338, 13).x, 7);
    EXPECT_EQ(BaseUnitsFromMetrics(353, 13).y, 13);
    // x: du * 6 / 4, y: du * 14 / 8, rounded half up: 15 -> 26.25 -> 26, 14 -> 24.5 -> 25.
    EXPECT_EQ(ToPixels({10, 15, 50, 14}, {6, 14}), QRect(15, 26, 75, 25));
}

// The pixels below are worked out by hand for the 8-point dialog font as this system gives it:
// the alphabet 353 pixels wide (7 a letter, so x = du * 7 / 4) and 13 high (y = du * 13 / 8).
class DialogFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QFontMetrics metrics(QFont("Tahoma", 8));
        const QString alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        if (metrics.horizontalAdvance(alphabet) != 353 || metrics.height() != 13) {
            GTEST_SKIP() << "the dialog font here is not the one the pixels are worked out for";
        }
    }
};

TEST_F(DialogFontTest, MainWindowControlsSitWhereTheTemplateSaysWithTheirCaptions) {
    QWidget window;
    BuildDialog(kMainWindowTemplate, window);
    EXPECT_EQ(window.size(), QSize(613, 431));  // 350 x 265 units
    const std::pair<int, QRect> kControls[] = {
        {main_window::kTabControl, {7, 7, 599, 384}},     // 4, 4, 342, 236
        {main_window::kAboutButton, {420, 400, 88, 23}},  // 240, 246, 50, 14
        {main_window::kCloseButton, {518, 400, 88, 23}},  // 296, 246, 50, 14
        {main_window::kAccessCodeBox, {0, 0, 0, 0}},
    };
    for (const auto& [id, rect] : kControls) {
        EXPECT_EQ(ControlById(window, id)->geometry(), rect) << id;
    }
    EXPECT_EQ(ControlById<QPushButton>(window, main_window::kCloseButton)->text(), "Close");
}

// Shown, captions that fit keep their template's size; an untitled group box draws its frame
// half a text line (6 px) below its top, as a titled one does through its caption, clear of a
// button that reaches a unit into its rectangle, as on the Panel page. Each box frames a control.
TEST_F(DialogFontTest, ShownControlsKeepTheirTemplateSizeAndAnUntitledBoxIsLowered) {
    constexpr ControlTemplate kControls[] = {
        Control(1, K::GroupBox, {5, 20, 80, 40}),
        Control(2, K::GroupBox, {90, 20, 80, 40}, "Box"),
        Control(3, K::PushButton, {10, 7, 60, 14}, "Button"),
        Control(4, K::Label, {10, 65, 60, 24},
                "A note that breaks into several lines where it must"),
        Control(5, K::PushButton, {10, 35, 60, 14}, "OK"),
        Control(6, K::DropDownList, {100, 30, 48, 30}),
    };
    QWidget window;
    BuildDialog({.id = 1, .width = 200, .height = 110, .controls = kControls}, window);
    window.show();
    EXPECT_EQ(window.size(), QSize(350, 179));
    const auto* list = ControlById<QComboBox>(window, 6);
    // A list is as wide as the template says and as high as its font, not as its opened list.
    const QRect kPixels[] = {{9, 39, 140, 59},  {158, 33, 140, 65},
                             {18, 11, 105, 23}, {18, 106, 105, 39},
                             {18, 57, 105, 23}, {175, 49, 84, list->sizeHint().height()}};
    for (int id = 1; id <= 6; ++id) {
        const QWidget* control = ControlById(window, id);
        EXPECT_EQ(control->geometry(), kPixels[id - 1]) << id;
        // A group box lies beneath the controls it frames: it neither hides them nor takes their
        // clicks.
        if (id >= 5) {
            EXPECT_EQ(window.childAt(control->geometry().center()), control) << id;
        }
    }
}

// Two groups: "On" and "Off" in the row of "Row", then "Other" and "Else".
TEST(DialogBuilderTest, RadioButtonsExcludeEachOtherAndMoveByArrowsOnlyWithinTheirGroup) {
    constexpr ControlTemplate kControls[] = {
        Control(1, K::Label, {5, 5, 60, 10}, "Row"),
        Control(2, K::RadioButton, {70, 5, 40, 10}, "On", true),
        Control(3, K::RadioButton, {115, 5, 40, 10}, "Off"),
        Control(4, K::RadioButton, {70, 20, 40, 10}, "Other", true),
        Control(5, K::RadioButton, {115, 20, 40, 10}, "Else"),
    };
    QWidget window;
    BuildDialog({.id = 1, .width = 200, .height = 40, .controls = kControls}, window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto radio = [&](int id) { return ControlById<QRadioButton>(window, id); };
    EXPECT_EQ(radio(2)->accessibleName(), "Row On");
    EXPECT_EQ(radio(4)->accessibleName(), "Other");

    radio(2)->click();
    radio(5)->click();
    radio(4)->click();
    EXPECT_TRUE(radio(2)->isChecked());
    EXPECT_FALSE(radio(5)->isChecked());
    radio(3)->click();
    EXPECT_FALSE(radio(2)->isChecked());
    EXPECT_TRUE(radio(4)->isChecked());

    radio(2)->click();
    radio(2)->setFocus();
    QTest::keyClick(radio(2), Qt::Key_Right);
    EXPECT_TRUE(radio(3)->isChecked());
    EXPECT_TRUE(radio(3)->hasFocus());
    QTest::keyClick(radio(3), Qt::Key_Right);
    EXPECT_TRUE(radio(3)->hasFocus()) << "the next group is reached by Tab, not by arrows";
    EXPECT_TRUE(radio(4)->isChecked());
}

TEST(MessageBoxTest, BoxesHaveTheirTextReasonAndButtonsNoTitleAndTheirOwner) {
    using B = QMessageBox;
    QWidget owner;
    // The opening of the panel asks whether to try again, saying why the system refused; every
    // other message (25 here, as a window's command shows it) is a plain OK box.
    const struct {
        int id;
        const char* text;
        const char* reason;  // below the text
        B::StandardButtons buttons;
        B::StandardButton click;  // NoButton: Escape
        B::StandardButton answer;
    } boxes[] = {
        {26, "Open USB is failed", "", B::Retry | B::Cancel, B::Retry, B::Retry},
        {26, "Open USB is failed", "held by another program", B::Retry | B::Cancel, B::NoButton,
         B::Cancel},
        {25, "Send command to F/W is failed", "", B::Ok, B::Ok, B::Ok},
    };
    for (const auto& expected : boxes) {
        SCOPED_TRACE(expected.reason);
        test::ModalWatch watch([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), expected.text);
            EXPECT_EQ(box->informativeText(), expected.reason);
            EXPECT_EQ(box->windowTitle(), "");
            EXPECT_EQ(box->parentWidget(), &owner);
            ASSERT_EQ(box->standardButtons(), expected.buttons);
            if (expected.click == B::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(expected.click)->click();
            }
        });
        if (expected.id == 25) {
            WindowMessages(&owner).ShowMessageById(25);
        } else {
            EXPECT_EQ(ShowTextBox(&owner, expected.id, expected.buttons, expected.reason),
                      expected.answer);
        }
        EXPECT_TRUE(watch.Acted());
    }
}

// A box of a window that is not on the screen stands in the middle of the screen, not where
// the hidden window would be; a shown window keeps its boxes beside it.
TEST(MessageBoxTest, ABoxOfAHiddenOwnerStandsInTheMiddleOfTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const bool ownerShown : {false, true}) {
        QWidget owner;
        owner.setGeometry(screen.x(), screen.y(), 120, 80);
        owner.setVisible(ownerShown);
        SCOPED_TRACE(ownerShown ? "owner shown" : "owner hidden");
        test::ModalWatch watch([&](QWidget& modal) {
            const QPoint off = modal.frameGeometry().center() - screen.center();
            EXPECT_EQ(off.manhattanLength() <= 2, !ownerShown) << off.x() << ',' << off.y();
            qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Ok)->click();
        });
        ShowTextBox(&owner, 25, QMessageBox::Ok);
        ASSERT_TRUE(watch.Acted());
    }
}

}  // namespace
}  // namespace rpanel

// Keyboard and screen-reader access to every window: each control that takes input is a tab
// stop and has a name in the accessibility tree, sliders, lists and radio buttons named after
// their row; radio buttons move by arrow keys within their group; the hidden access-code box
// stays nameless.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <map>

#include "app/main_window_ids.h"
#include "core/string_table.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "service/service_mode_page_ids.h"
#include "service/user_service_page_ids.h"
#include "window_tour.h"

namespace rpanel {
namespace {

constexpr std::uint16_t kEnglish = 0x0409;

bool TakesInput(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Slider:
        case QAccessible::ComboBox:
        case QAccessible::RadioButton:
        case QAccessible::CheckBox:
        case QAccessible::Button:
        case QAccessible::EditableText:
        case QAccessible::PageTab:
            return true;
        default:
            return false;
    }
}

// Every visible control of the tree under iface that takes input, without a name.
void FindNameless(QAccessibleInterface& iface, const QString& window, QStringList* nameless) {
    for (int index = 0; index < iface.childCount(); ++index) {
        QAccessibleInterface* child = iface.child(index);
        if (child == nullptr || child->state().invisible || child->rect().isEmpty()) {
            continue;
        }
        if (TakesInput(child->role()) && child->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = child->object();
            *nameless << QStringLiteral("%1: %2 (role %3)")
                             .arg(window, object != nullptr ? object->objectName() : QString())
                             .arg(child->role());
        }
        FindNameless(*child, window, nameless);
    }
}

struct Named {
    int id;
    const char* name;
};

// In English, as a sighted user reads each control with its row.
const std::map<QString, std::vector<Named>> kExpectedNames = {
    {QStringLiteral("main-panel"),
     {{panel_page::kChangeTonerRadio, "Rotate Toner Change Toner"},
      {panel_page::kEjectAllTonerRadio, "Rotate Toner Eject All Toner"},
      {panel_page::kTonerLowMessageOn, "Toner Low Message On"},
      {panel_page::kEnergySaveList, "Energy Save Time"}}},
    {QStringLiteral("main-user-service"),
     {{user_service::kTopPlainTrackbar, "Plain Paper"},
      {user_service::kLeftFrontTrackbar, "Tray1 (Simplex Side)"},
      {user_service::kGdiTimeoutList, "GDI Timeout"}}},
    {QStringLiteral("main-service-mode"), {{service_mode::kPlainTemperatureList, "Plain Paper"}}},
};

TEST(AccessibilityTest, EveryControlThatTakesInputHasANameAndIsATabStop) {
    const std::uint16_t before = SelectedLanguage();
    SelectLanguage(kEnglish);
    QStringList nameless;
    QStringList unreachable;
    QStringList misnamed;
    QString error;
    const bool toured = TourWindows(
        [&](const QString& name, QWidget& window) {
            QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
            ASSERT_NE(root, nullptr) << name.toStdString();
            FindNameless(*root, name, &nameless);
            for (const QWidget* control : window.findChildren<QWidget*>()) {
                const bool input = qobject_cast<const QAbstractSlider*>(control) != nullptr ||
                                   qobject_cast<const QComboBox*>(control) != nullptr ||
                                   qobject_cast<const QAbstractButton*>(control) != nullptr;
                if (input && control->isVisibleTo(&window) && !control->size().isEmpty() &&
                    (control->focusPolicy() & Qt::TabFocus) == 0) {
                    unreachable << name + QStringLiteral(": ") + control->objectName();
                }
            }
            const auto expected = kExpectedNames.find(name);
            if (expected == kExpectedNames.end()) {
                return;
            }
            const QWidget& page =
                *ControlById<QTabWidget>(window, main_window::kTabControl)->currentWidget();
            for (const Named& named : expected->second) {
                const QWidget* control = ControlById(page, named.id);
                const QString actual = control != nullptr ? control->accessibleName() : QString();
                if (actual != QLatin1String(named.name)) {
                    misnamed << QStringLiteral("%1 %2: \"%3\"").arg(name).arg(named.id).arg(actual);
                }
            }
            // The access-code box is there for those who know it, unannounced.
            if (name == QLatin1String("main-panel")) {
                EXPECT_TRUE(
                    ControlById(window, main_window::kAccessCodeBox)->accessibleName().isEmpty());
            }
        },
        &error);
    SelectLanguage(before);
    EXPECT_TRUE(toured) << error.toStdString();
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(unreachable.isEmpty()) << unreachable.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(misnamed.isEmpty()) << misnamed.join(QLatin1Char('\n')).toStdString();
}

TEST(AccessibilityTest, ArrowKeysMoveTheChoiceWithinARadioGroupOnly) {
    constexpr ControlTemplate kControls[] = {
        {.id = 1,
         .kind = ControlKind::Label,
         .rect = {5, 5, 60, 10},
         .caption = FixedCaption("Row")},
        {.id = 2,
         .kind = ControlKind::RadioButton,
         .rect = {70, 5, 40, 10},
         .caption = FixedCaption("On"),
         .startsGroup = true},
        {.id = 3,
         .kind = ControlKind::RadioButton,
         .rect = {115, 5, 40, 10},
         .caption = FixedCaption("Off")},
        {.id = 4,
         .kind = ControlKind::RadioButton,
         .rect = {70, 20, 40, 10},
         .caption = FixedCaption("Other"),
         .startsGroup = true},
    };
    QWidget window;
    BuildDialog({.id = 1,
                 .width = 200,
                 .height = 40,
                 .style = DialogStyle::TitledWindow,
                 .controls = kControls},
                window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto& on = *ControlById<QRadioButton>(window, 2);
    auto& off = *ControlById<QRadioButton>(window, 3);
    auto& other = *ControlById<QRadioButton>(window, 4);
    EXPECT_EQ(on.accessibleName(), QStringLiteral("Row On"));
    EXPECT_EQ(other.accessibleName(), QStringLiteral("Other"));
    on.setChecked(true);
    other.setChecked(true);
    on.setFocus();
    QTest::keyClick(&on, Qt::Key_Right);
    EXPECT_TRUE(off.isChecked());
    EXPECT_TRUE(off.hasFocus());
    QTest::keyClick(&off, Qt::Key_Right);
    EXPECT_TRUE(off.hasFocus()) << "the next group is reached by Tab, not by arrows";
    EXPECT_TRUE(other.isChecked());
}

}  // namespace
}  // namespace rpanel

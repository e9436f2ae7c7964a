// Keyboard and screen-reader access to every window: each control that takes input is a tab
// stop and has a name in the accessibility tree, sliders, lists and radio buttons named after
// their row; the hidden access-code box stays nameless. (Arrow keys within a radio group: the
// dialog builder's tests.)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QStringList>
#include <QTabWidget>
#include <algorithm>
#include <map>

#include "app/main_window_ids.h"
#include "core/string_table.h"
#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "service/service_mode_page_ids.h"
#include "service/user_service_page_ids.h"
#include "window_tour.h"

namespace rpanel {
namespace {

constexpr std::uint16_t kEnglish = 0x0409;

constexpr QAccessible::Role kInputRoles[] = {
    QAccessible::Slider, QAccessible::ComboBox,     QAccessible::RadioButton, QAccessible::CheckBox,
    QAccessible::Button, QAccessible::EditableText, QAccessible::PageTab};

// Every visible control of the tree under iface that takes input, without a name.
void FindNameless(QAccessibleInterface& iface, const QString& window, QStringList* nameless) {
    for (int index = 0; index < iface.childCount(); ++index) {
        QAccessibleInterface* child = iface.child(index);
        if (child == nullptr || child->state().invisible || child->rect().isEmpty()) {
            continue;
        }
        if (std::ranges::find(kInputRoles, child->role()) != std::end(kInputRoles) &&
            child->text(QAccessible::Name).trimmed().isEmpty()) {
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

}  // namespace
}  // namespace rpanel

// Every window of the program as the screenshots take them, in every language: every text shows
// whole (checked control by control, and the panel-display lines against the display frame),
// and every control that takes input is a tab stop with a name for screen readers. Also the
// builder's part in it (a caption that does not fit grows its control into the free room beside
// it), and the check itself catches what it is there to catch.
#include "window_tour.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>
#include <cmath>
#include <map>
#include <optional>
#include <span>

#include "app/main_window_ids.h"
#include "core/embedded_string_tables.h"
#include "core/string_table.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "panel/status_display_lines.h"
#include "panel/status_painting.h"
#include "service/service_mode_page_ids.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

constexpr int kSpare = 2;  // room every text keeps free short of its control's edge
constexpr QMargins kPageInset(5, 5, 5, 5);  // the page on display stands in from its area

// As drawn: a mnemonic's "&" is not shown ("&&" shows one).
QString Shown(const QString& text) {
    return QString(text).replace(
        QRegularExpression("&(.)", QRegularExpression::DotMatchesEverythingOption), "\\1");
}

// Glyphs stand at fractions of a pixel: a text takes up every pixel it touches.
int Width(const QFont& font, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

QString Name(const QWidget& control) {
    return control.objectName() + u' ' + QLatin1String(control.metaObject()->className());
}

// A label's or button's text, a group box's title.
QString TextOf(const QWidget& control) {
    return control.property("text").toString() + control.property("title").toString();
}

struct Wrapped {
    int lines = 0;
    int widest = 0;
    QString broken;  // a line that ends inside a word ("P/" of "P/H"), if any
};

// As a word-wrapping label breaks text into lines of width pixels (a longer word stays whole
// and widens its line); Chinese, Japanese and Korean break between characters, others at blanks.
Wrapped Wrap(const QString& text, const QFont& font, int width) {
    constexpr QChar::Script kBreakAnywhere[] = {QChar::Script_Han, QChar::Script_Hiragana,
                                                QChar::Script_Katakana, QChar::Script_Hangul};
    const auto inWord = [&](QChar c) {
        return !c.isSpace() &&
               std::ranges::find(kBreakAnywhere, c.script()) == std::end(kBreakAnywhere);
    };
    QTextLayout layout(QString(text).replace(u'\n', QChar::LineSeparator), font);
    Wrapped wrapped;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++wrapped.lines;
        wrapped.widest =
            std::max(wrapped.widest, static_cast<int>(std::ceil(line.naturalTextWidth())));
        const int end = line.textStart() + line.textLength();
        if (end > 0 && end < text.size() && inWord(text[end - 1]) && inWord(text[end])) {
            wrapped.broken = text.mid(line.textStart(), line.textLength());
        }
    }
    layout.endLayout();
    return wrapped;
}

// What a laid-out window shows wrong, a line each ("<id> <class>: <problem>: "<text>""): a text
// wider than its control or with more lines than it holds, a word broken across lines, a row
// of tabs or a page that does not fit, a template's control past its window's edge or an input
// that Tab does not reach, and the visible parts ("ink") of controls of one parent that overlap
// or cross a group box's frame line.
QStringList FitCheck(const QWidget& window) {
    QStringList found;
    const auto add = [&](const QWidget& control, const QString& text, const QString& problem) {
        found << QStringLiteral("%1: %2: \"%3\"").arg(Name(control), problem, text);
    };
    const auto fits = [&](const QWidget& control, const QString& text, int needed, int room) {
        if (needed + kSpare > room) {
            add(control, text, QString("needs %1 px, has %2 px").arg(needed + kSpare).arg(room));
        }
    };
    std::vector<std::pair<const QWidget*, QRect>> inks;
    std::vector<std::pair<const QWidget*, QRect>> frames;
    for (const QWidget* each : window.findChildren<QWidget*>()) {
        const QWidget& control = *each;
        if (!control.isVisibleTo(&window) || control.size().isEmpty()) {
            continue;
        }
        const QStyle& style = *control.style();
        const QFont& font = control.font();
        QString text = Shown(TextOf(control));
        // A template's controls, named by their ids, take up their rectangle.
        std::optional<QRect> ink;
        if (!control.objectName().isEmpty() && control.objectName().front().isDigit()) {
            ink = control.geometry();
            if (!control.parentWidget()->rect().contains(control.geometry())) {
                add(control, text, QStringLiteral("runs past the edge of its window"));
            }
        }
        if ((control.inherits("QAbstractSlider") || control.inherits("QComboBox") ||
             control.inherits("QAbstractButton")) &&
            (control.focusPolicy() & Qt::TabFocus) == 0) {
            add(control, text, QStringLiteral("is not reached by Tab"));
        }
        if (const auto* label = qobject_cast<const QLabel*>(&control)) {
            text = label->buddy() != nullptr ? text : label->text();
            ink.reset();
            const QRect area = label->contentsRect();
            const bool wraps = label->wordWrap();
            const Wrapped wrapped =
                wraps ? Wrap(text, font, area.width() - kSpare) : Wrapped{1, Width(font, text), {}};
            const int room = std::max(1, area.height() / label->fontMetrics().height());
            if (!text.trimmed().isEmpty()) {
                fits(control, text, wrapped.widest, area.width());
                // Broken as the label breaks it at its full width, or with the room to spare.
                for (const QString& line :
                     {wraps ? Wrap(text, font, area.width()).broken : QString(), wrapped.broken}) {
                    if (!line.isEmpty()) {
                        add(control, text, QStringLiteral("breaks a word after \"%1\"").arg(line));
                    }
                }
                if (wrapped.lines > room) {
                    add(control, text,
                        QString("needs %1 lines, has room for %2").arg(wrapped.lines).arg(room));
                }
                ink = QRect(control.pos() + area.topLeft(),
                            QSize(std::min(wrapped.widest, area.width()), area.height()));
            }
        } else if (qobject_cast<const QPushButton*>(&control) != nullptr) {
            // The style's own room between the bevels: its button margin and a frame either side.
            const int padding =
                style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &control) +
                2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &control);
            if (!text.isEmpty()) {
                fits(control, text, Width(font, text) + padding, control.width());
            }
            ink = control.geometry();
        } else if (const bool box = qobject_cast<const QCheckBox*>(&control) != nullptr;
                   box || qobject_cast<const QRadioButton*>(&control) != nullptr) {
            QStyleOptionButton option;
            option.initFrom(&control);
            option.text = TextOf(control);
            const QRect area = style.subElementRect(
                box ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option,
                &control);
            text.remove(QRegularExpression("\\s+$"));  // trailing blanks draw nothing
            fits(control, text, Width(font, text), area.width());
            ink = QRect(control.pos(),
                        QSize(std::min(area.left() + Width(font, text), control.width()),
                              control.height()));
        } else if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
            // A titled box draws its frame line through the middle of its title, which stands
            // on the frame's top line and must leave room for its corners.
            const bool titled = !group->title().isEmpty();
            QStyleOptionGroupBox option;
            option.initFrom(group);
            option.text = group->title();
            option.textAlignment = group->alignment();
            option.subControls =
                QStyle::SC_GroupBoxFrame | (titled ? QStyle::SC_GroupBoxLabel : QStyle::SC_None);
            const QRect frame =
                style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group)
                    .adjusted(0, titled ? group->fontMetrics().height() / 2 : 0, 0, 0);
            const QRect title =
                style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
            frames.emplace_back(&control, frame.translated(control.pos()));
            ink.reset();
            if (titled) {
                fits(control, text, title.width(),
                     frame.width() - 2 * (title.left() - frame.left()));
                ink = title.translated(control.pos());
            }
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&control)) {
            // Every tab whole in the row, none behind scroll arrows; the page on display clear
            // of the display area's edges and not cut off.
            const QTabBar& bar = *tabs->tabBar();
            fits(control, "the row of tabs", bar.sizeHint().width() - kSpare,
                 std::min(bar.width(), tabs->width() - bar.x()));
            const QWidget* page = tabs->currentWidget();
            if (page != nullptr &&
                (!(page->parentWidget()->rect() - kPageInset).contains(page->geometry()) ||
                 page->width() < page->minimumWidth() || page->height() < page->minimumHeight())) {
                add(*page, tabs->tabText(tabs->currentIndex()),
                    QStringLiteral("does not fit its display area"));
            }
            ink = control.geometry();
        } else if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const QRect field = style.subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, list);
            for (int item = 0; item < list->count(); ++item) {  // drawn a pixel in from either side
                fits(control, list->itemText(item), Width(font, list->itemText(item)),
                     field.width() - 2);
            }
            ink = control.geometry();
        }
        if (ink) {
            inks.emplace_back(&control, *ink);
        }
    }
    for (std::size_t i = 0; i < inks.size(); ++i) {
        const auto& [control, ink] = inks[i];
        const auto besides = [&](const QWidget* other) {
            return other != control && other->parentWidget() == control->parentWidget();
        };
        for (std::size_t j = i + 1; j < inks.size(); ++j) {
            if (besides(inks[j].first) && ink.intersects(inks[j].second)) {
                add(*control, TextOf(*control), "overlaps " + Name(*inks[j].first));
            }
        }
        for (const auto& [box, line] : frames) {  // neither wholly inside nor outside
            if (besides(box) && ink.intersects(line) &&
                !line.adjusted(1, 1, -1, -1).contains(ink)) {
                add(*control, TextOf(*control), "crosses the frame of " + Name(*box));
            }
        }
    }
    return found;
}

// The panel display's lines are drawn on the Panel page, not by a control: every line of every
// entry, in the display's font, must end short of the frame's right line.
QStringList StatusDisplayMisfits(const QWidget& mainWindow) {
    const QWidget& page = *ControlById<QTabWidget>(mainWindow, main_window::kTabControl)->widget(0);
    const QRect box = GroupBoxInPage(page, *ControlById(page, panel_page::kRemotePanelBox));
    QStringList found;
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        const std::vector<std::string> lines = StatusDisplayLines(entry.code);
        for (int line = 0; line < std::ssize(lines); ++line) {
            const QString text = QString::fromStdString(lines[line]);
            const int end = DisplayLinePosition(box, line).x() + Width(StatusDisplayFont(), text);
            if (end > DisplayFrame(box).right()) {
                found << "a status line runs into the display frame: " + text;
            }
        }
    }
    return found;
}

constexpr QAccessible::Role kInputRoles[] = {
    QAccessible::Slider, QAccessible::ComboBox,     QAccessible::RadioButton, QAccessible::CheckBox,
    QAccessible::Button, QAccessible::EditableText, QAccessible::PageTab};

// Every visible part of the accessibility tree under iface that takes input and has no name.
void FindNameless(QAccessibleInterface& iface, QStringList* found) {
    for (int index = 0; index < iface.childCount(); ++index) {
        QAccessibleInterface* child = iface.child(index);
        if (child == nullptr || child->state().invisible || child->rect().isEmpty()) {
            continue;
        }
        if (std::ranges::find(kInputRoles, child->role()) != std::end(kInputRoles) &&
            child->text(QAccessible::Name).trimmed().isEmpty()) {
            *found << QString("role %1: no name for screen readers").arg(child->role());
        }
        FindNameless(*child, found);
    }
}

// In English, as a sighted user reads each control of the page on display with its row.
const std::map<QString, std::vector<std::pair<int, std::string>>> kScreenReaderNames = {
    {"main-panel",
     {{panel_page::kChangeTonerRadio, "Rotate Toner Change Toner"},
      {panel_page::kEjectAllTonerRadio, "Rotate Toner Eject All Toner"},
      {panel_page::kTonerLowMessageOn, "Toner Low Message On"},
      {panel_page::kEnergySaveList, "Energy Save Time"}}},
    {"main-user-service",
     {{user_service::kTopPlainTrackbar, "Plain Paper"},
      {user_service::kLeftFrontTrackbar, "Tray1 (Simplex Side)"},
      {user_service::kGdiTimeoutList, "GDI Timeout"}}},
    {"main-service-mode", {{service_mode::kPlainTemperatureList, "Plain Paper"}}},
};

// Every window in every language: every text whole, every control that takes input a tab stop
// with a name for screen readers (the hidden access-code box is there for those who know it,
// unannounced).
TEST(WindowTourTest, EveryWindowShowsEveryTextWholeAndNamesEveryInputInEveryLanguage) {
    const std::uint16_t before = SelectedLanguage();
    QStringList misfits;
    int windows = 0;
    for (const EmbeddedStringTable& language :
         std::span(kEmbeddedStringTables, kEmbeddedStringTableCount)) {
        SelectLanguage(language.language);
        QString error;
        const auto check = [&](const QString& name, QWidget& window) {
            ++windows;
            QStringList found = FitCheck(window);
            FindNameless(*QAccessible::queryAccessibleInterface(&window), &found);
            if (name == QLatin1String(kPanelWindowName)) {
                found += StatusDisplayMisfits(window);
                EXPECT_EQ(ControlById(window, main_window::kAccessCodeBox)->accessibleName(), "");
            }
            const auto names = kScreenReaderNames.find(name);
            if (language.language == 0x0409 && names != kScreenReaderNames.end()) {
                const QWidget& page =
                    *ControlById<QTabWidget>(window, main_window::kTabControl)->currentWidget();
                for (const auto& [id, expected] : names->second) {
                    const QWidget* control = ControlById(page, id);
                    EXPECT_EQ(control ? control->accessibleName().toStdString() : "", expected)
                        << id;
                }
            }
            misfits << found.replaceInStrings(QRegularExpression("^"),
                                              language.tag + (' ' + name) + ": ");
        };
        EXPECT_TRUE(TourWindows(check, &error)) << language.tag << ": " << error.toStdString();
    }
    SelectLanguage(before);
    // The main window with each of its three pages, the About box and the viewer's seven pages.
    EXPECT_EQ(windows, static_cast<int>(kEmbeddedStringTableCount) * 11);
    EXPECT_TRUE(misfits.isEmpty()) << misfits.join(u'\n').toStdString();
}

// A window of one row: a text control at x 10, 30 units wide, too narrow for its caption, and
// what stands beside it. Shown, the control grows in place, and what stands after it on its row
// moves along, the window growing only where nothing else makes room.
TEST(ControlGrowthTest, GrowsAndMovesWhatStandsAfterItOnItsRow) {
    using K = ControlKind;
    const struct {
        const char* what;
        ControlKind kind;
        int nextControlAt;  // 0: nothing beside it
        bool inGroupBox;
        bool windowGrows;
    } kCases[] = {
        {"label, room", K::Label, 0, false, false},
        {"label, next control", K::Label, 110, false, false},
        {"label, next control close", K::Label, 45, false, false},
        {"label, next control at the edge", K::Label, 178, false, true},
        {"label, group box", K::Label, 0, true, false},
        {"label, group box, next control", K::Label, 80, true, false},
        {"check box", K::CheckBox, 45, false, false},
        {"radio button", K::RadioButton, 45, false, false},
        {"push button", K::PushButton, 45, false, false},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.what);
        std::vector<ControlTemplate> controls = {
            {1, test.kind, {10, 10, 30, 12}, FixedCaption("Energiesparmodus nach")}};
        if (test.nextControlAt != 0) {
            controls.push_back(
                {2, K::PushButton, {test.nextControlAt, 8, 20, 14}, FixedCaption("OK")});
        }
        if (test.inGroupBox) {
            controls.push_back({3, K::GroupBox, {5, 0, 70, 34}, FixedCaption("Box")});
        }
        QWidget window;
        BuildDialog({.id = 1, .width = 200, .height = 40, .controls = controls}, window);
        const QSize templateSize = window.size();
        QWidget& control = *ControlById(window, 1);
        const QRect before = control.geometry();
        const QRect nextBefore =
            test.nextControlAt != 0 ? ControlById(window, 2)->geometry() : QRect();

        window.show();
        EXPECT_EQ(control.pos(), before.topLeft());
        EXPECT_EQ(control.height(), before.height());
        EXPECT_GT(control.width(), before.width());
        EXPECT_TRUE(FitCheck(window).isEmpty()) << FitCheck(window).join(u'\n').toStdString();
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
}

// The check itself: two buttons side by side, a label across an untitled box's frame line, and
// a label two text lines high with three lines of text.
TEST(FitCheckTest, FindsOverlapsCrossedFramesAndTextsWithTooManyLines) {
    using K = ControlKind;
    constexpr ControlTemplate kControls[] = {
        {1, K::PushButton, {10, 10, 60, 14}, FixedCaption("One")},
        {2, K::PushButton, {60, 10, 60, 14}, FixedCaption("Two")},
        {3, K::Label, {10, 40, 60, 8}, FixedCaption("Crosses the frame")},
        {4, K::GroupBox, {30, 35, 100, 30}},
        {5, K::Label, {140, 40, 16, 16}, FixedCaption("three short lines")},
    };
    QWidget window;
    BuildDialog({.id = 1, .width = 200, .height = 70, .controls = kControls}, window);
    const QStringList found = FitCheck(window);
    SCOPED_TRACE(found.join(u'\n').toStdString());
    EXPECT_EQ(found.filter("1 QPushButton: overlaps 2 QPushButton").size(), 1);
    EXPECT_EQ(found.filter("3 QLabel: crosses the frame of 4 QGroupBox").size(), 1);
    EXPECT_EQ(found.filter("5 QLabel: needs 3 lines").size(), 1);
}

}  // namespace
}  // namespace rpanel

#include "text_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace rpanel {
namespace {

QString ControlName(const QWidget& control) {
    const QString id = control.objectName().isEmpty() ? QStringLiteral("-") : control.objectName();
    return id + QLatin1Char(' ') + QLatin1String(control.metaObject()->className());
}

// The text as drawn: a mnemonic's "&" is not shown ("&&" shows one).
QString WithoutMnemonic(const QString& text) {
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

// Blanks at the end of a left-aligned text draw nothing.
QString WithoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back().isSpace()) {
        text.chop(1);
    }
    return text;
}

// Glyphs are placed at fractions of a pixel: a text takes up every pixel it touches.
int TextWidth(const QWidget& control, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(control.font()).horizontalAdvance(text)));
}

struct LaidOutText {
    int lines = 0;
    int widest = 0;      // the widest line, in pixels
    QString brokenWord;  // a word broken across two lines ("P/" and "H"), if any
};

// Chinese, Japanese and Korean texts break between characters; others only at blanks.
bool BreaksBetweenCharacters(QChar character) {
    const QChar::Script script = character.script();
    return script == QChar::Script_Han || script == QChar::Script_Hiragana ||
           script == QChar::Script_Katakana || script == QChar::Script_Hangul;
}

// The text broken into lines of at most width pixels, as a word-wrapping label breaks it (a
// word longer than a line stays whole and makes that line wider).
LaidOutText LayOut(const QString& text, const QFont& font, int width) {
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(lines, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    LaidOutText laidOut;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++laidOut.lines;
        laidOut.widest =
            std::max(laidOut.widest, static_cast<int>(std::ceil(line.naturalTextWidth())));
        const int end = line.textStart() + line.textLength();
        if (end > 0 && end < text.size() && !text[end - 1].isSpace() && !text[end].isSpace() &&
            !BreaksBetweenCharacters(text[end - 1]) && !BreaksBetweenCharacters(text[end])) {
            laidOut.brokenWord = text.mid(line.textStart(), line.textLength());
        }
    }
    layout.endLayout();
    return laidOut;
}

class Inspection {
public:
    explicit Inspection(const QWidget& window) : window_(window) {}

    void Look() {
        for (const QWidget* control : window_.findChildren<QWidget*>()) {
            if (control->isVisibleTo(&window_) && !control->size().isEmpty()) {
                LookAt(*control);
            }
        }
        FindOverlaps();
    }

    std::vector<TextMisfit> misfits;

private:
    // What a control visibly takes up, in its parent's coordinates; group boxes have their
    // title here and their frame in frames_.
    struct Ink {
        const QWidget* control;
        QRect rect;
    };
    struct Frame {
        const QGroupBox* box;
        QRect line;  // the rectangle its frame line draws, in the parent's coordinates
    };

    void Report(const QWidget& control, const QString& text, const QString& problem) {
        misfits.push_back({ControlName(control), text, problem});
    }

    // Every text keeps this much room free after its end, short of its control's edge.
    static constexpr int kSpare = 2;

    void ReportWidth(const QWidget& control, const QString& text, int needed, int available) {
        needed += kSpare;
        if (needed > available) {
            Report(control, text,
                   QStringLiteral("needs %1 px, has %2 px").arg(needed).arg(available));
        }
    }

    void LookAt(const QWidget& control) {
        const bool templateControl =
            !control.objectName().isEmpty() && control.objectName().front().isDigit();
        if (templateControl && !control.parentWidget()->rect().contains(control.geometry())) {
            Report(control, TextOf(control),
                   QStringLiteral("runs past the edge of its window (%1 px wide, %2 px high)")
                       .arg(control.parentWidget()->width())
                       .arg(control.parentWidget()->height()));
        }
        if (const auto* label = qobject_cast<const QLabel*>(&control)) {
            LookAtLabel(*label);
        } else if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
            LookAtPushButton(*button);
        } else if (const auto* box = qobject_cast<const QCheckBox*>(&control)) {
            LookAtCheckable(*box, QStyle::SE_CheckBoxContents);
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(&control)) {
            LookAtCheckable(*radio, QStyle::SE_RadioButtonContents);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(&control)) {
            LookAtGroupBox(*group);
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&control)) {
            LookAtTabs(*tabs);
        } else if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
            LookAtList(*list);
        } else if (!control.objectName().isEmpty() && control.objectName().front().isDigit()) {
            // Other controls of a template (trackbars, edit boxes), named by their ids, take up
            // their whole rectangle.
            inks_.push_back({&control, control.geometry()});
        }
    }

    void LookAtLabel(const QLabel& label) {
        const QString text =
            label.buddy() != nullptr ? WithoutMnemonic(label.text()) : label.text();
        if (text.trimmed().isEmpty()) {
            return;
        }
        const QRect area = label.contentsRect();
        const int lineHeight = label.fontMetrics().height();
        const LaidOutText laidOut = label.wordWrap()
                                        ? LayOut(text, label.font(), area.width() - kSpare)
                                        : LaidOutText{1, TextWidth(label, text), {}};
        const int lineRoom = std::max(1, area.height() / lineHeight);
        ReportWidth(label, text, laidOut.widest, area.width());
        // As the label breaks it at its full width, and with the room to spare.
        const QString brokenWord =
            label.wordWrap() ? LayOut(text, label.font(), area.width()).brokenWord : QString();
        for (const QString& broken : {brokenWord, laidOut.brokenWord}) {
            if (!broken.isEmpty()) {
                Report(label, text, QStringLiteral("breaks a word after \"%1\"").arg(broken));
            }
        }
        if (laidOut.lines > lineRoom) {
            Report(label, text,
                   QStringLiteral("needs %1 lines, has room for %2 (%3 px wide)")
                       .arg(laidOut.lines)
                       .arg(lineRoom)
                       .arg(area.width()));
        }
        const QRect ink(label.geometry().topLeft() + area.topLeft(),
                        QSize(std::min(laidOut.widest, area.width()), area.height()));
        inks_.push_back({&label, ink});
    }

    void LookAtPushButton(const QPushButton& button) {
        inks_.push_back({&button, button.geometry()});
        const QString text = WithoutMnemonic(button.text());
        if (text.isEmpty()) {
            return;
        }
        // The room the style itself gives a caption between the bevels: its button margin
        // and its frame on either side.
        const QStyle& style = *button.style();
        const int padding = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button) +
                            2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
        ReportWidth(button, text, TextWidth(button, text) + padding, button.width());
    }

    void LookAtCheckable(const QAbstractButton& button, QStyle::SubElement contents) {
        const QString text = WithoutTrailingBlanks(WithoutMnemonic(button.text()));
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        const QRect area = button.style()->subElementRect(contents, &option, &button);
        const int needed = TextWidth(button, text);
        ReportWidth(button, text, needed, area.width());
        // The indicator and the text, as far as the control shows it.
        const int inkRight = std::min(area.left() + needed, button.width());
        inks_.push_back({&button, QRect(button.pos(), QSize(inkRight, button.height()))});
    }

    void LookAtGroupBox(const QGroupBox& box) {
        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.text = box.title();
        option.lineWidth = 1;
        option.textAlignment = box.alignment();
        option.subControls = QStyle::SC_GroupBoxFrame;
        if (!box.title().isEmpty()) {
            option.subControls |= QStyle::SC_GroupBoxLabel;
        }
        const QStyle& style = *box.style();
        QRect frame =
            style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, &box);
        // A captioned box draws its frame line through the middle of its caption.
        if (!box.title().isEmpty()) {
            frame.setTop(frame.top() + box.fontMetrics().height() / 2);
        }
        frames_.push_back({&box, frame.translated(box.pos())});
        if (box.title().isEmpty()) {
            return;
        }
        const QString text = WithoutMnemonic(box.title());
        const QRect title =
            style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
        // The title stands on the frame's top line and must leave room for its corners.
        const int room = frame.width() - 2 * (title.left() - frame.left());
        ReportWidth(box, text, title.width(), room);
        inks_.push_back({&box, title.translated(box.pos())});
    }

    // Every tab stands whole in the row, none behind scroll arrows; the page on display stands
    // 5 pixels clear of the display area's edges and is not cut off.
    void LookAtTabs(const QTabWidget& tabs) {
        const QTabBar& bar = *tabs.tabBar();
        QStringList captions;
        for (int tab = 0; tab < bar.count(); ++tab) {
            captions << bar.tabText(tab);
        }
        const int row = bar.sizeHint().width();
        if (row > bar.width() || bar.x() + row > tabs.width()) {
            Report(tabs, captions.join(QLatin1Char('|')),
                   QStringLiteral("the row of tabs needs %1 px, has %2 px")
                       .arg(row)
                       .arg(std::min(bar.width(), tabs.width() - bar.x())));
        }
        if (const QWidget* page = tabs.currentWidget()) {
            const QRect area = page->parentWidget()->rect();
            const QRect inset = area.adjusted(kPageInset, kPageInset, -kPageInset, -kPageInset);
            if (!inset.contains(page->geometry()) || page->width() < page->minimumWidth() ||
                page->height() < page->minimumHeight()) {
                Report(*page, tabs.tabText(tabs.currentIndex()),
                       QStringLiteral("page at %1,%2 %3x%4 (needs %5x%6) in a display area of "
                                      "%7x%8")
                           .arg(page->x())
                           .arg(page->y())
                           .arg(page->width())
                           .arg(page->height())
                           .arg(page->minimumWidth())
                           .arg(page->minimumHeight())
                           .arg(area.width())
                           .arg(area.height()));
            }
        }
        inks_.push_back({&tabs, tabs.geometry()});
    }

    static constexpr int kPageInset = 5;

    void LookAtList(const QComboBox& list) {
        inks_.push_back({&list, list.geometry()});
        QStyleOptionComboBox option;
        option.initFrom(&list);
        option.editable = false;
        option.frame = true;
        const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, &list);
        // The item is drawn a pixel in from either side of the field.
        for (int item = 0; item < list.count(); ++item) {
            ReportWidth(list, list.itemText(item), TextWidth(list, list.itemText(item)),
                        field.width() - 2);
        }
    }

    // Overlaps matter between controls of one window or page, which share a parent.
    void FindOverlaps() {
        for (std::size_t i = 0; i < inks_.size(); ++i) {
            const Ink& ink = inks_[i];
            for (std::size_t j = i + 1; j < inks_.size(); ++j) {
                const Ink& other = inks_[j];
                if (other.control->parentWidget() == ink.control->parentWidget() &&
                    ink.rect.intersects(other.rect)) {
                    Report(*ink.control, TextOf(*ink.control),
                           QStringLiteral("overlaps %1").arg(ControlName(*other.control)));
                }
            }
            for (const Frame& frame : frames_) {
                if (frame.box != ink.control &&
                    frame.box->parentWidget() == ink.control->parentWidget() &&
                    Crosses(ink.rect, frame.line)) {
                    Report(*ink.control, TextOf(*ink.control),
                           QStringLiteral("crosses the frame of %1").arg(ControlName(*frame.box)));
                }
            }
        }
    }

    // A rectangle that lies neither wholly inside nor wholly outside the frame line.
    static bool Crosses(const QRect& rect, const QRect& line) {
        const QRect inside = line.adjusted(1, 1, -1, -1);
        return rect.intersects(line) && !inside.contains(rect);
    }

    static QString TextOf(const QWidget& control) {
        if (const auto* label = qobject_cast<const QLabel*>(&control)) {
            return label->text();
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
            return button->text();
        }
        if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
            return box->title();
        }
        return {};
    }

    const QWidget& window_;
    std::vector<Ink> inks_;
    std::vector<Frame> frames_;
};

}  // namespace

std::vector<TextMisfit> FindTextMisfits(const QWidget& window) {
    Inspection inspection(window);
    inspection.Look();
    return std::move(inspection.misfits);
}

QString Describe(const TextMisfit& misfit) {
    return QStringLiteral("%1: %2: \"%3\"").arg(misfit.control, misfit.problem, misfit.text);
}

}  // namespace rpanel

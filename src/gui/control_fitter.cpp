#include "gui/control_fitter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextLayout>
#include <QTextOption>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "gui/dialog_builder.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

// Where the desktop lacks "Tahoma", or a language's words run longer than the English ones the
// templates were drawn for, a text can come out wider than its control. Such a control grows
// to the right until its text fits with a little room to spare; what stands after it on its
// row moves along as far as it must to keep clear of it, a group box widens to keep framing
// what it holds (and moves its contents when it moves itself), and the window or page grows
// to hold them all. Nothing ever moves up or down, moves left or shrinks.
class ControlFitter final : public QObject {
public:
    ControlFitter(QWidget& dialog, std::vector<QWidget*> controls, DialogBaseUnits units)
        : QObject(&dialog), dialog_(dialog), gap_(HorizontalPixels(kGapUnits, units)) {
        setObjectName(QLatin1String(kFitterName));
        for (QWidget* control : controls) {
            if (!control->size().isEmpty()) {  // not the controls there for the keyboard only
                placed_.push_back({control, control->geometry(), nullptr});
            }
        }
        // Which group box frames each control, as the template draws them: the smallest one
        // around it.
        for (Placed& placed : placed_) {
            for (const Placed& box : placed_) {
                if (qobject_cast<QGroupBox*>(box.control) != nullptr && &box != &placed &&
                    box.initial.contains(placed.initial) &&
                    (placed.box == nullptr || placed.box->geometry().contains(box.initial))) {
                    placed.box = box.control;
                }
            }
        }
        dialog.installEventFilter(this);
    }

    static constexpr char kFitterName[] = "rpanel_control_fitter";

    void Fit() {
        for (Placed& placed : placed_) {
            const int needed = NeededWidth(*placed.control);
            if (needed > placed.control->width()) {
                placed.control->resize(needed, placed.control->height());
                MakeWay();
            }
        }
        int right = 0;
        int bottom = 0;
        for (const Placed& placed : placed_) {
            right = std::max(right, placed.control->geometry().right() + 1 + gap_);
            bottom = std::max(bottom, placed.control->geometry().bottom() + 1);
        }
        const QSize needed = dialog_.size().expandedTo(QSize(right, bottom));
        if (dialog_.isWindow()) {
            dialog_.setFixedSize(needed);
        } else {
            dialog_.resize(needed);
            // The tab control that holds the page makes room for at least this much.
            dialog_.setMinimumSize(needed);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            Fit();
        }
        return false;
    }

private:
    static constexpr int kGapUnits = 3;
    // Room left free after the end of every text: no text touches the edge of its control.
    static constexpr int kSpare = 2;
    static constexpr int kMostPushes = 1000;

    struct Placed {
        QWidget* control;
        QRect initial;  // as the template placed it
        QWidget* box;   // the group box that frames it, or null
    };

    // The width at which the control's text is shown whole; 0 for controls that have no
    // caption to fit or that break their text into several lines.
    static int NeededWidth(const QWidget& control) {
        const QFontMetricsF metrics(control.font());
        // Glyphs are placed at fractions of a pixel: a text takes up every pixel it touches.
        const auto advance = [&metrics](const QString& text) {
            return static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + kSpare;
        };
        if (const auto* label = qobject_cast<const QLabel*>(&control)) {
            const QString text = Shown(label->text(), label->buddy() != nullptr);
            const int frame = label->width() - label->contentsRect().width();
            const int lines =
                std::max(1, static_cast<int>(label->contentsRect().height() / metrics.height()));
            if (text.isEmpty()) {
                return 0;
            }
            if (lines == 1 || !label->wordWrap()) {
                return advance(text) + frame;
            }
            // A text of several lines: wide enough to need no more lines than the label holds
            // and to break only between words.
            const int widest = advance(text);
            for (int width = label->contentsRect().width(); width < widest; ++width) {
                // Shown at its full width, and with the room to spare.
                if (BreaksWell(text, label->font(), width, lines) &&
                    BreaksWell(text, label->font(), width - kSpare, lines)) {
                    return width + frame;
                }
            }
            return widest + frame;
        }
        if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
            if (button->text().isEmpty()) {
                return 0;
            }
            const QStyle& style = *button->style();
            return advance(Shown(button->text(), true)) +
                   style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                   2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        }
        if (const auto* box = qobject_cast<const QGroupBox*>(&control)) {
            if (box->title().isEmpty()) {
                return 0;
            }
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            // The caption stands on the top line, with a corner's room on either side.
            return title.width() + 2 * title.left() + kSpare;
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
            if (qobject_cast<const QCheckBox*>(button) == nullptr &&
                qobject_cast<const QRadioButton*>(button) == nullptr) {
                return 0;
            }
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const bool check = qobject_cast<const QCheckBox*>(button) != nullptr;
            const QRect contents = button->style()->subElementRect(
                check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option,
                button);
            // The contents area is what the control's width leaves beside the indicator.
            return button->width() - contents.width() + advance(Shown(button->text(), true));
        }
        return 0;
    }

    // Laid out in lines of width pixels as a word-wrapping label lays it out: true when it
    // takes at most lines lines, broken only at blanks or between East Asian characters, which
    // need none ("P/H" stays whole).
    static bool BreaksWell(const QString& text, const QFont& font, int width, int lines) {
        QTextLayout layout(text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        bool wellBroken = true;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++count;
            const int end = line.textStart() + line.textLength();
            if (end > 0 && end < text.size() && !text[end - 1].isSpace() && !text[end].isSpace() &&
                !BreaksAnywhere(text[end - 1]) && !BreaksAnywhere(text[end])) {
                wellBroken = false;
            }
        }
        layout.endLayout();
        return wellBroken && count <= lines;
    }

    static bool BreaksAnywhere(QChar character) {
        switch (character.script()) {
            case QChar::Script_Han:
            case QChar::Script_Hiragana:
            case QChar::Script_Katakana:
            case QChar::Script_Hangul:
                return true;
            default:
                return false;
        }
    }

    // The text as drawn: without a mnemonic's "&", and without blanks at the end, which a
    // left-aligned text does not draw.
    static QString Shown(const QString& text, bool mnemonic) {
        QString shown = mnemonic ? WithoutMnemonicMarks(text) : text;
        while (!shown.isEmpty() && shown.back().isSpace()) {
            shown.chop(1);
        }
        return shown;
    }

    static bool SameRow(const QRect& a, const QRect& b) {
        return a.top() <= b.bottom() && b.top() <= a.bottom();
    }

    bool Contains(const QWidget* box, const Placed& placed) const {
        for (const QWidget* around = placed.box; around != nullptr;) {
            if (around == box) {
                return true;
            }
            const auto outer =
                std::find_if(placed_.begin(), placed_.end(),
                             [around](const Placed& p) { return p.control == around; });
            around = outer == placed_.end() ? nullptr : outer->box;
        }
        return false;
    }

    void Shift(Placed& placed, int by) {
        placed.control->move(placed.control->pos() + QPoint(by, 0));
        for (Placed& inside : placed_) {
            if (inside.box == placed.control) {
                Shift(inside, by);
            }
        }
    }

    // Until nothing changes: every group box reaches past what it frames, and whatever stood
    // clear to the right of a control on its row stands clear of it again.
    void MakeWay() {
        for (int push = 0; push < kMostPushes; ++push) {
            if (!WidenOneBox() && !PushOne()) {
                return;
            }
        }
    }

    bool WidenOneBox() {
        for (Placed& inside : placed_) {
            if (inside.box == nullptr) {
                continue;
            }
            const int right = inside.control->geometry().right() + gap_;
            if (right > inside.box->geometry().right()) {
                inside.box->resize(right - inside.box->x() + 1, inside.box->height());
                return true;
            }
        }
        return false;
    }

    bool PushOne() {
        for (const Placed& left : placed_) {
            const QRect now = left.control->geometry();
            for (Placed& right : placed_) {
                if (&right == &left || right.initial.left() <= left.initial.right() ||
                    !SameRow(left.initial, right.initial) || Contains(left.control, right) ||
                    Contains(right.control, left)) {
                    continue;
                }
                // The room between them that the template gave, up to the usual gap.
                const int spacing = std::min(gap_, right.initial.left() - left.initial.right() - 1);
                const int missing = now.right() + 1 + spacing - right.control->x();
                if (missing > 0) {
                    Shift(right, missing);
                    return true;
                }
            }
        }
        return false;
    }

    QWidget& dialog_;
    std::vector<Placed> placed_;
    int gap_;
};

}  // namespace

void AttachControlFitter(QWidget& dialog, std::vector<QWidget*> controls, DialogBaseUnits units) {
    new ControlFitter(dialog, std::move(controls), units);
}

void FitControls(QWidget& dialog) {
    if (auto* fitter = dialog.findChild<QObject*>(QLatin1String(ControlFitter::kFitterName),
                                                  Qt::FindDirectChildrenOnly)) {
        static_cast<ControlFitter*>(fitter)->Fit();
    }
}

}  // namespace rpanel

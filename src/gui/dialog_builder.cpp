#include "gui/dialog_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/dialog_units.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

QWidget* CreateControl(ControlKind kind, QWidget& dialog) {
    switch (kind) {
        case ControlKind::PushButton: {
            auto* button = new QPushButton(&dialog);
            // Enter presses no button of ours: a template names no default button.
            button->setAutoDefault(false);
            return button;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(&dialog);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            return label;
        }
        case ControlKind::Edit:
            return new QLineEdit(&dialog);
        case ControlKind::TabControl:
            return new QTabWidget(&dialog);
        case ControlKind::GroupBox:
            return new QGroupBox(&dialog);
        case ControlKind::RadioButton:
            return new QRadioButton(&dialog);
        case ControlKind::CheckBox:
            return new QCheckBox(&dialog);
        case ControlKind::DropDownList:
            return new QComboBox(&dialog);
        case ControlKind::Trackbar: {
            auto* slider = new QSlider(Qt::Horizontal, &dialog);
            slider->setTickPosition(QSlider::NoTicks);
            return slider;
        }
    }
    return nullptr;
}

QString CaptionText(const Caption& caption) {
    if (caption.stringId != 0) {
        return TextById(caption.stringId);
    }
    return QString::fromUtf8(caption.fixed.data(), static_cast<qsizetype>(caption.fixed.size()));
}

Qt::WindowFlags WindowFlagsFor(DialogStyle style) {
    switch (style) {
        case DialogStyle::Child:
            return Qt::Widget;
        case DialogStyle::TitledWindow:
            return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        case DialogStyle::UntitledWindow:
            return Qt::Dialog | Qt::CustomizeWindowHint;
    }
    return Qt::Widget;
}

// Windows draws a group box's frame half a text line below the top of its rectangle, where the
// middle of a caption stands, caption or not; Qt draws an untitled box's frame at the very top.
// Lowered by that half line, an untitled box keeps clear of the controls that a template
// places just above it, as on Windows.
QRect GroupBoxGeometry(QRect geometry, const Caption& caption, DialogBaseUnits units) {
    if (caption.stringId == 0 && caption.fixed.empty()) {
        geometry.setTop(geometry.top() + units.y / 2);
    }
    return geometry;
}

// Where the desktop lacks "Tahoma", texts come in a substitute font. The dialog units follow
// its average letter, but a particular text can still come out wider than its control. When
// the window is shown, with all its texts in, such a control grows to the right into the free
// room beside it: up to the next control on its row, within the group box that holds it and
// within the window, keeping a small gap. It never moves and never shrinks.
class CaptionFitter final : public QObject {
public:
    CaptionFitter(QWidget& dialog, std::vector<QWidget*> controls, DialogBaseUnits units)
        : QObject(&dialog),
          dialog_(dialog),
          controls_(std::move(controls)),
          gap_(HorizontalPixels(kGapUnits, units)) {
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            for (QWidget* control : controls_) {
                if (control->size().isEmpty()) {
                    continue;  // a control that is there for its keyboard use only
                }
                const int needed = NeededWidth(*control);
                if (needed > control->width()) {
                    control->resize(std::min(needed, WidestAllowed(*control)), control->height());
                }
            }
        }
        return false;
    }

private:
    static constexpr int kGapUnits = 3;

    // The width at which the control's text is shown whole; 0 for controls that have no
    // caption to fit or that break their text into several lines.
    static int NeededWidth(const QWidget& control) {
        const QFontMetricsF metrics(control.font());
        // Glyphs are placed at fractions of a pixel: a text takes up every pixel it touches.
        const auto advance = [&metrics](const QString& text) {
            return static_cast<int>(std::ceil(metrics.horizontalAdvance(text)));
        };
        if (const auto* label = qobject_cast<const QLabel*>(&control)) {
            const bool oneLine = label->height() < 2 * metrics.height();
            const QString text = label->text();
            if (!oneLine || text.isEmpty()) {
                return 0;
            }
            // Blanks at the end of a left-aligned text draw nothing.
            return advance(text.left(text.size() - TrailingBlanks(text))) +
                   (label->width() - label->contentsRect().width());
        }
        if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
            if (button->text().isEmpty()) {
                return 0;
            }
            const QStyle& style = *button->style();
            return advance(button->text()) +
                   style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                   2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        }
        if (qobject_cast<const QCheckBox*>(&control) != nullptr ||
            qobject_cast<const QRadioButton*>(&control) != nullptr) {
            return control.sizeHint().width();
        }
        return 0;
    }

    static qsizetype TrailingBlanks(const QString& text) {
        qsizetype blanks = 0;
        while (blanks < text.size() && text[text.size() - 1 - blanks].isSpace()) {
            ++blanks;
        }
        return blanks;
    }

    int WidestAllowed(const QWidget& control) const {
        const QRect rect = control.geometry();
        int right = dialog_.width() - gap_;
        for (const QWidget* other : controls_) {
            const QRect bounds = other->geometry();
            if (other == &control || bounds.isEmpty()) {
                continue;
            }
            const bool sameRow = bounds.top() <= rect.bottom() && rect.top() <= bounds.bottom();
            if (qobject_cast<const QGroupBox*>(other) != nullptr && bounds.contains(rect)) {
                right = std::min(right, bounds.right() - gap_);
            } else if (sameRow && bounds.left() > rect.left()) {
                right = std::min(right, bounds.left() - gap_);
            }
        }
        return std::max(rect.width(), right - rect.left());
    }

    QWidget& dialog_;
    std::vector<QWidget*> controls_;
    int gap_;
};

}  // namespace

QFont DialogFont(int pointSize) {
    return QFont(QStringLiteral("Tahoma"), pointSize);
}

QSize DialogSize(const DialogTemplate& dialogTemplate) {
    const DialogBaseUnits units = BaseUnitsOf(DialogFont(dialogTemplate.fontPointSize));
    return {HorizontalPixels(dialogTemplate.width, units),
            VerticalPixels(dialogTemplate.height, units)};
}

void BuildDialog(const DialogTemplate& dialogTemplate, QWidget& dialog) {
    const QFont font = DialogFont(dialogTemplate.fontPointSize);
    dialog.setFont(font);
    const DialogBaseUnits units = BaseUnitsOf(font);

    std::vector<QWidget*> controls;
    QButtonGroup* radioGroup = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(control.kind, dialog);
        widget->setObjectName(QString::number(control.id));
        SetControlText(*widget, CaptionText(control.caption));

        QRect geometry = ToPixels(control.rect, units);
        if (control.kind == ControlKind::DropDownList) {
            // The template's height includes the opened list; closed, the box is as high as
            // its font makes it.
            geometry.setHeight(widget->sizeHint().height());
        } else if (control.kind == ControlKind::GroupBox) {
            geometry = GroupBoxGeometry(geometry, control.caption, units);
        }
        widget->setGeometry(geometry);

        if (control.startsGroup) {
            radioGroup = nullptr;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(&dialog);
            }
            radioGroup->addButton(radio);
        }
        controls.push_back(widget);
    }

    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(controls[i])) {
            label->setBuddy(controls[i + 1]);
        }
    }
    // A group box frames controls that come after it in the template; beneath them, it
    // neither hides them nor takes their clicks.
    for (QWidget* control : controls) {
        if (qobject_cast<QGroupBox*>(control) != nullptr) {
            control->lower();
        }
    }

    new CaptionFitter(dialog, std::move(controls), units);

    const QSize size = DialogSize(dialogTemplate);
    if (dialogTemplate.style == DialogStyle::Child) {
        dialog.resize(size);
    } else {
        dialog.setWindowFlags(WindowFlagsFor(dialogTemplate.style));
        dialog.setFixedSize(size);
    }
}

}  // namespace rpanel

#include "gui/dialog_builder.h"

#include <qdrawutil.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <span>
#include <vector>

#include "gui/control_fitter.h"
#include "gui/dialog_units.h"
#include "gui/window_text.h"

namespace rpanel {
namespace {

// A group box drawn as the templates expect it: its frame line half a text line below its top,
// through the middle of its caption, so that the controls a template places a line below the
// top stand clear inside the frame. (Styles such as Fusion draw the line a whole text line
// lower, across those controls.)
class TemplateGroupBox final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        const bool titled = !title().isEmpty();
        const int line = titled ? fontMetrics().height() / 2 : 0;
        qDrawShadeRect(&painter, rect().adjusted(0, line, 0, 0), palette(), /*sunken=*/true);
        if (!titled) {
            return;
        }
        const QRect caption =
            style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
        painter.fillRect(caption, palette().window());
        style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
    }
};

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
        case ControlKind::TabControl: {
            auto* tabs = new QTabWidget(&dialog);
            // A page stands 5 pixels in from the left, right and bottom edges of the display
            // area and 5 below the row of tabs, clear of the frame.
            constexpr int kPageInset = 5;
            if (auto* pages = tabs->findChild<QStackedWidget*>()) {
                pages->setContentsMargins(kPageInset, kPageInset, kPageInset, kPageInset);
            }
            return tabs;
        }
        case ControlKind::GroupBox:
            return new TemplateGroupBox(&dialog);
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

// The text of a caption as read out: without a mnemonic's "&" and without blanks at the end.
QString ReadableText(const Caption& caption) {
    return WithoutMnemonicMarks(CaptionText(caption)).trimmed();
}

bool Contains(const DialogRect& outer, const DialogRect& inner) {
    return outer.x <= inner.x && outer.y <= inner.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// The smallest group box around the control, or null.
const ControlTemplate* FramingBox(const ControlTemplate& control,
                                  std::span<const ControlTemplate> controls) {
    const ControlTemplate* framing = nullptr;
    for (const ControlTemplate& box : controls) {
        if (box.kind == ControlKind::GroupBox && &box != &control &&
            Contains(box.rect, control.rect) &&
            (framing == nullptr || Contains(framing->rect, box.rect))) {
            framing = &box;
        }
    }
    return framing;
}

// The text that names the row a control stands in: the nearest label (or button) to its left
// on its row, or else the nearest one above it, as a slider stands under its label and a
// choice of a command under that command's button; within the group box that frames it.
// Empty when there is none.
QString RowLabel(const ControlTemplate& control, std::span<const ControlTemplate> controls) {
    const DialogRect& at = control.rect;
    const ControlTemplate* box = FramingBox(control, controls);
    const ControlTemplate* left = nullptr;
    const ControlTemplate* above = nullptr;
    for (const ControlTemplate& other : controls) {
        const DialogRect& r = other.rect;
        if ((other.kind != ControlKind::Label && other.kind != ControlKind::PushButton) ||
            ReadableText(other.caption).isEmpty() || FramingBox(other, controls) != box) {
            continue;
        }
        const bool sameRow = r.y < at.y + at.height && at.y < r.y + r.height;
        const bool overColumn = r.x < at.x + at.width && at.x < r.x + r.width;
        if (sameRow && r.x + r.width <= at.x &&
            (left == nullptr || r.x + r.width > left->rect.x + left->rect.width)) {
            left = &other;
        } else if (overColumn && r.y + r.height <= at.y &&
                   (above == nullptr || r.y + r.height > above->rect.y + above->rect.height)) {
            above = &other;
        }
    }
    const ControlTemplate* label = left != nullptr ? left : above;
    return label != nullptr ? ReadableText(label->caption) : QString();
}

// A screen reader names a slider or a list after its row, and a radio button after its row
// and its own caption ("Toner Low Message On"), as a sighted user reads them.
void NameForScreenReaders(QWidget& widget, const ControlTemplate& control,
                          std::span<const ControlTemplate> controls) {
    if (control.kind != ControlKind::Trackbar && control.kind != ControlKind::DropDownList &&
        control.kind != ControlKind::RadioButton) {
        return;
    }
    QStringList parts{RowLabel(control, controls)};
    if (control.kind == ControlKind::RadioButton) {
        parts << ReadableText(control.caption);
    }
    parts.removeAll(QString());
    widget.setAccessibleName(parts.join(QLatin1Char(' ')));
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
        NameForScreenReaders(*widget, control, dialogTemplate.controls);

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

    AttachControlFitter(dialog, std::move(controls), units);

    const QSize size = DialogSize(dialogTemplate);
    if (dialogTemplate.style == DialogStyle::Child) {
        dialog.resize(size);
    } else {
        dialog.setWindowFlags(WindowFlagsFor(dialogTemplate.style));
        dialog.setFixedSize(size);
    }
}

}  // namespace rpanel

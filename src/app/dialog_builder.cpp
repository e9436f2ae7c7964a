#include "app/dialog_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <vector>

#include "app/dialog_units.h"
#include "app/window_text.h"

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

    const QSize size = DialogSize(dialogTemplate);
    if (dialogTemplate.style == DialogStyle::Child) {
        dialog.resize(size);
    } else {
        dialog.setWindowFlags(WindowFlagsFor(dialogTemplate.style));
        dialog.setFixedSize(size);
    }
}

}  // namespace rpanel

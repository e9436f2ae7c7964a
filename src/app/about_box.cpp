#include "app/about_box.h"

#include <QPainter>
#include <QPushButton>

#include "app/about_box_ids.h"
#include "app/dialog_templates.h"
#include "core/string_ids.h"
#include "gui/center_on_screen.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"

namespace rpanel {

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
    BuildDialog(kAboutBoxTemplate, *this);
    SetTitleById(*this, text::kAboutTitle);
    connect(ControlById<QPushButton>(*this, about_box::kCloseButton), &QPushButton::clicked, this,
            &QDialog::accept);
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Without a title bar the window manager draws no border either: a thin line of its own
    // sets the box off from what lies behind it.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void AboutBox::showEvent(QShowEvent* event) {
    CenterOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace rpanel

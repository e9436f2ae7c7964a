#include "panel/status_display.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

#include "panel/status_painting.h"
#include "panel/status_rotation.h"

namespace rpanel {

StatusDisplay::StatusDisplay(QWidget& page, QWidget& groupBox, AppState& state)
    : QWidget(&page), page_(page), groupBox_(groupBox), state_(state) {
    // Only the frame and the text are painted; clicks go to whatever lies below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    timer_.setInterval(kTickMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, this, &StatusDisplay::ShowNextStatus);
    page_.installEventFilter(this);
    groupBox_.installEventFilter(this);
    FollowGroupBox();
    raise();
}

void StatusDisplay::Restart() {
    timer_.start();
}

void StatusDisplay::ShowNextStatus() {
    shown_ = TakeStatusForTick(state_);
    // Drawn afresh: the frame's white interior wipes out the lines of the previous tick.
    update();
}

void StatusDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The painting works in the page's coordinates.
    painter.translate(-pos());
    const QRect groupBox = GroupBoxInPage();
    PaintPanelFrame(painter, groupBox);
    if (shown_) {
        DrawStatusText(painter, groupBox, *shown_);
    }
}

bool StatusDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
        FollowGroupBox();
    }
    return QWidget::eventFilter(watched, event);
}

QRect StatusDisplay::GroupBoxInPage() const {
    return rpanel::GroupBoxInPage(page_, groupBox_);
}

// The widget spans the frame and, to its right, the rest of the page: a long line is drawn
// whole, past the frame if it must, as far as the page reaches.
void StatusDisplay::FollowGroupBox() {
    const QRect frame = DisplayFrame(GroupBoxInPage());
    setGeometry(
        QRect(frame.topLeft(), QPoint(std::max(frame.right(), page_.width() - 1), frame.bottom())));
}

}  // namespace rpanel

// The panel page's status display: the framed area that imitates the printer's two-line
// operator panel, with the one-second timer that shows the status list one code per tick.
// The page creates it once with its "Remote Panel" group box and passes it to
// ReadPanelStatus as the timer to restart; it draws itself.
#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>

#include "core/app_state.h"
#include "panel/status_read.h"

namespace rpanel {

class StatusDisplay final : public QWidget, public DisplayTimer {
    Q_OBJECT

public:
    static constexpr int kTickMilliseconds = 1000;

    // A child of page, stacked above groupBox (a descendant of page) so that the box's own
    // painting never covers it. page, groupBox and state must outlive it.
    StatusDisplay(QWidget& page, QWidget& groupBox, AppState& state);

    // Called by a successful status read: the next tick comes a full second from now. Until
    // the first read no timer runs. The timer runs on while the page is hidden.
    void Restart() override;
    bool TimerRunning() const { return timer_.isActive(); }

    // The timer's tick: takes the next entry of the status list (moving statusIndex on) and
    // redraws the display with it. Sends no request.
    void ShowNextStatus();

protected:
    // The frame, and the lines of the entry of the last tick: they are kept from the tick, so
    // a repaint between ticks shows the same lines and moves nothing on.
    void paintEvent(QPaintEvent* event) override;
    // Follows the group box and the page when they move or change size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect GroupBoxInPage() const;
    void FollowGroupBox();

    QWidget& page_;
    QWidget& groupBox_;
    AppState& state_;
    QTimer timer_;
    std::optional<StatusCode> shown_;  // none before the first tick
};

}  // namespace rpanel

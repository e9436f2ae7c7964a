// Watching the printer from the notification area: a status round (panel/printer_watch.h) at
// once when watching is turned on, then every interval and once after each plug event, each
// on a worker thread of its own. The worker touches nothing of the window's: no AppState, no
// display, no message box, no command trace; its reading comes back to the window's thread,
// which compares it with the last and tells the tray and the notifier.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>
#include <thread>
#include <vector>

#include "panel/printer_watch.h"

namespace rpanel {

// Speaks up once for each new warning, error or service call.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void Notify(const QString& title, const QString& body) = 0;
};

class PrinterWatcher final : public QObject {
    Q_OBJECT

public:
    explicit PrinterWatcher(int intervalSeconds);
    // Waits for a round under way: at most one transfer timeout.
    ~PrinterWatcher() override;

    void SetWatching(bool on);
    bool Watching() const { return timer_.isActive(); }
    // Starts a round unless one is under way (after a plug event, at each tick).
    void RoundNow();

    const std::optional<WatchReading>& Reading() const { return reading_; }
    // The interval's timer, which the tests fire themselves rather than wait for it.
    QTimer& Timer() { return timer_; }
    int RoundsDone() const { return roundsDone_; }

signals:
    // A round's reading differs from the one before; newAlerts are the warnings, errors and
    // service calls not reported by the last round that read a status.
    void readingChanged(const std::vector<StatusCode>& newAlerts);

private:
    void Finish(std::optional<WatchReading> reading);

    QTimer timer_;
    std::thread worker_;
    bool roundUnderWay_ = false;
    std::optional<WatchReading> reading_;
    // The last reading with a status: a printer that was away and comes back with the same
    // codes has nothing new to say.
    std::optional<WatchReading> lastStatus_;
    int roundsDone_ = 0;
};

// The tooltip: the program name, the display lines of the most severe code (or why there are
// none) and the remaining C, M, Y, K and photoconductor in percent.
QString WatchToolTip(const QString& programName, const std::optional<WatchReading>& reading);

// A notification's body: the display lines of the code, one per line.
QString AlertText(const StatusCode& code);

}  // namespace rpanel

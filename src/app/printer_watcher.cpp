#include "app/printer_watcher.h"

#include <QStringList>

#include "core/string_ids.h"
#include "gui/window_text.h"
#include "panel/status_display_lines.h"

namespace rpanel {

PrinterWatcher::PrinterWatcher(int intervalSeconds) {
    timer_.setInterval(intervalSeconds * 1000);
    connect(&timer_, &QTimer::timeout, this, &PrinterWatcher::RoundNow);
}

PrinterWatcher::~PrinterWatcher() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void PrinterWatcher::SetWatching(bool on) {
    if (on == Watching()) {
        return;
    }
    if (!on) {
        timer_.stop();
        reading_.reset();
        lastStatus_.reset();
        return;
    }
    timer_.start();
    RoundNow();
}

void PrinterWatcher::RoundNow() {
    if (roundUnderWay_ || !Watching()) {
        return;
    }
    if (worker_.joinable()) {
        worker_.join();  // the last round's thread, done already
    }
    roundUnderWay_ = true;
    worker_ = std::thread([this] {
        // A command that holds the link makes the round skip: it never waits for the window.
        std::optional<WatchReading> reading = ReadPrinterWatch(FrameKind::Round);
        QMetaObject::invokeMethod(
            this, [this, reading = std::move(reading)] { Finish(reading); }, Qt::QueuedConnection);
    });
}

void PrinterWatcher::Finish(std::optional<WatchReading> reading) {
    roundUnderWay_ = false;
    if (!reading || !Watching()) {
        return;
    }
    ++roundsDone_;
    const bool changed = CompareReadings(reading_, *reading).any;
    const bool hasStatus =
        reading->state != WatchState::NotConnected && reading->state != WatchState::Unknown;
    std::vector<StatusCode> newAlerts;
    if (hasStatus) {
        newAlerts = CompareReadings(lastStatus_, *reading).newAlerts;
        lastStatus_ = reading;
    }
    reading_ = std::move(reading);
    if (changed) {
        emit readingChanged(newAlerts);
    }
}

QString AlertText(const StatusCode& code) {
    QStringList lines;
    for (const std::string& line : StatusDisplayLines(code)) {
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString WatchToolTip(const QString& programName, const std::optional<WatchReading>& reading) {
    QStringList tip{programName};
    if (!reading || reading->state == WatchState::Unknown) {
        tip << TextById(text::kPrinterStatusUnknown);
        return tip.join(QLatin1Char('\n'));
    }
    if (reading->state == WatchState::NotConnected) {
        tip << TextById(text::kPrinterNotConnected);
        return tip.join(QLatin1Char('\n'));
    }
    if (const auto code = MostSevereCode(reading->codes)) {
        const QString lines = AlertText(*code);
        if (!lines.isEmpty()) {
            tip << lines;
        }
    }
    QStringList supplies;
    for (std::size_t i = 0; i < kSupplyCount; ++i) {
        const int percent = reading->supplies[i];
        supplies << QStringLiteral("%1 %2").arg(
            QLatin1String(kSupplyNames[i]),
            percent == kSupplyUnknown ? QStringLiteral("?") : QStringLiteral("%1%").arg(percent));
    }
    tip << supplies.join(QLatin1String("  "));
    return tip.join(QLatin1Char('\n'));
}

}  // namespace rpanel

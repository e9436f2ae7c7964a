#include "app/watch_settings.h"

#include <QStandardPaths>

namespace rpanel {

std::unique_ptr<QSettings> OpenProgramSettings() {
    // Named in full: QSettings would call an INI file of the user's scope "rpanel.ini".
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(folder + QStringLiteral("/remote-panel/rpanel.conf"),
                                       QSettings::IniFormat);
}

std::optional<int> ParseWatchInterval(const QString& text) {
    bool ok = false;
    const int seconds = text.trimmed().toInt(&ok);
    if (!ok || seconds < kLeastWatchInterval || seconds > kMostWatchInterval) {
        return std::nullopt;
    }
    return seconds;
}

WatchSettings LoadWatchSettings(const QSettings& settings) {
    WatchSettings watch;
    const QString on = settings.value(QStringLiteral("watch")).toString().trimmed().toLower();
    watch.watch = on == QLatin1String("true");
    watch.intervalSeconds =
        ParseWatchInterval(settings.value(QStringLiteral("interval")).toString())
            .value_or(kDefaultWatchInterval);
    return watch;
}

void SaveWatchSettings(QSettings& settings, const WatchSettings& watch) {
    settings.setValue(QStringLiteral("watch"), watch.watch ? "true" : "false");
    settings.setValue(QStringLiteral("interval"), watch.intervalSeconds);
    // QSettings writes a new file beside the old one and renames it over: a crash leaves
    // either the old settings or the new, never half of them.
    settings.sync();
}

}  // namespace rpanel

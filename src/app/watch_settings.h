// The program's few settings, for the tray's watching of the printer: an INI file in the
// user's configuration folder, ~/.config/remote-panel/rpanel.conf on Linux,
//   [General]
//   watch=false
//   interval=60
// A missing or malformed value means its default and is never fatal; saving rewrites these
// two keys and keeps whatever else the user put in the file.
#pragma once

#include <QSettings>
#include <memory>

namespace rpanel {

inline constexpr int kDefaultWatchInterval = 60;  // seconds
inline constexpr int kLeastWatchInterval = 10;
inline constexpr int kMostWatchInterval = 86400;

struct WatchSettings {
    bool watch = false;  // off: a request a minute may wake the printer from energy save
    int intervalSeconds = kDefaultWatchInterval;
};

// The user's settings file.
std::unique_ptr<QSettings> OpenProgramSettings();

WatchSettings LoadWatchSettings(const QSettings& settings);
void SaveWatchSettings(QSettings& settings, const WatchSettings& watch);

// An interval from the settings or the command line: at least kLeastWatchInterval, at most
// kMostWatchInterval; nullopt when text is not such a number of seconds.
std::optional<int> ParseWatchInterval(const QString& text);

}  // namespace rpanel

// One round of watching the printer, as the tray and rpanelctl watch do it: the status
// (request 9) and the supplies reply (request 13, value 0x0100) read in one frame of the link,
// and what the two say about the printer, without any window, message box or AppState of the
// program's. The texts of the display lines are left to the caller's thread.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "link/device_session.h"
#include "panel/status_display_table.h"

namespace rpanel {

// What the tray icon shows, from least to most pressing.
enum class WatchState {
    Unknown,       // not read yet, or the printer is there but did not answer
    Ready,         // nothing above information
    Warning,       // the most severe code is a warning
    Error,         // an error or a service call
    NotConnected,  // the printer is not there
};

// "unknown", "ready", "warning", "error", "not connected".
const char* WatchStateName(WatchState state);

// The supplies in the order the tray shows them: the toners C, M, Y, K and the
// photoconductor unit.
inline constexpr std::size_t kSupplyCount = 5;
inline constexpr std::array<const char*, kSupplyCount> kSupplyNames = {"C", "M", "Y", "K", "PU"};
inline constexpr int kSupplyUnknown = -1;

struct WatchReading {
    WatchState state = WatchState::Unknown;
    std::vector<StatusCode> codes;  // as the printer reported them
    // Remaining percent (0..100) of each supply; kSupplyUnknown where the reply did not say.
    std::array<int, kSupplyCount> supplies{kSupplyUnknown, kSupplyUnknown, kSupplyUnknown,
                                           kSupplyUnknown, kSupplyUnknown};

    bool operator==(const WatchReading&) const = default;
};

// The most severe of the codes (the first of equals); nullopt without codes.
std::optional<StatusCode> MostSevereCode(const std::vector<StatusCode>& codes);
Severity MostSevere(const std::vector<StatusCode>& codes);

// What the replies say: the state from the codes' severities, the supplies from the
// CONSUMETCREMAINC/M/Y/K and CONSUMEICREMAIN items of the supplies reply. Untrusted replies:
// anything that is not a percent from 0 to 100 is unknown.
WatchReading ReadingFromReplies(std::string_view statusReply, std::string_view suppliesReply);

// Reads one round in a frame of the current session's link. A Command frame waits for the
// link; a Round frame takes it only when it is free, and answers nullopt when a command has
// it (the round is skipped, nothing sent). Not connected when the printer does not open or
// has gone; Unknown when it is there but the status read got nothing.
std::optional<WatchReading> ReadPrinterWatch(FrameKind kind);

// What changed from one round to the next; the first round (no before) changes everything.
struct WatchChange {
    bool any = false;
    // Warning, error and service-call codes that were not reported at the round before, in
    // the order reported: each of them deserves one notification.
    std::vector<StatusCode> newAlerts;
};
WatchChange CompareReadings(const std::optional<WatchReading>& before, const WatchReading& now);

}  // namespace rpanel

#include "panel/printer_watch.h"

#include <algorithm>
#include <charconv>

#include "link/printer_link.h"
#include "link/vendor_request.h"
#include "panel/status_read.h"

namespace rpanel {
namespace {

// The supplies reply's keys, in the order of kSupplyNames.
constexpr std::array<std::string_view, kSupplyCount> kSupplyKeys = {
    "CONSUMETCREMAINC", "CONSUMETCREMAINM", "CONSUMETCREMAINY", "CONSUMETCREMAINK",
    "CONSUMEICREMAIN"};

int Percent(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value < 0 ||
        value > 100) {
        return kSupplyUnknown;
    }
    return value;
}

std::array<int, kSupplyCount> Supplies(std::string_view reply) {
    std::array<int, kSupplyCount> supplies;
    supplies.fill(kSupplyUnknown);
    reply = reply.substr(0, reply.find('\0'));
    while (!reply.empty()) {
        const std::size_t end = std::min(reply.find_first_of("\r\n"), reply.size());
        const std::string_view line = reply.substr(0, end);
        reply.remove_prefix(std::min(end + 1, reply.size()));
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const auto key = std::find(kSupplyKeys.begin(), kSupplyKeys.end(), line.substr(0, equals));
        if (key != kSupplyKeys.end()) {
            supplies[static_cast<std::size_t>(key - kSupplyKeys.begin())] =
                Percent(line.substr(equals + 1));
        }
    }
    return supplies;
}

WatchState StateOf(Severity severity) {
    switch (severity) {
        case Severity::Ready:
        case Severity::Information:
            return WatchState::Ready;
        case Severity::Warning:
            return WatchState::Warning;
        case Severity::Error:
        case Severity::ServiceCall:
            break;
    }
    return WatchState::Error;
}

std::uint32_t Read(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                   std::array<std::uint8_t, kTextReplySize>& reply) {
    reply.fill(0);
    return SendVendorRequest(request, value, index, kTextReplySize, reply.data());
}

std::string_view Text(const std::array<std::uint8_t, kTextReplySize>& reply, std::uint32_t count) {
    return {reinterpret_cast<const char*>(reply.data()), count};
}

}  // namespace

const char* WatchStateName(WatchState state) {
    switch (state) {
        case WatchState::Unknown:
            return "unknown";
        case WatchState::Ready:
            return "ready";
        case WatchState::Warning:
            return "warning";
        case WatchState::Error:
            return "error";
        case WatchState::NotConnected:
            return "not connected";
    }
    return "unknown";
}

std::optional<StatusCode> MostSevereCode(const std::vector<StatusCode>& codes) {
    const auto most = std::max_element(
        codes.begin(), codes.end(),
        [](const auto& a, const auto& b) { return SeverityOf(a) < SeverityOf(b); });
    return most == codes.end() ? std::nullopt : std::optional<StatusCode>(*most);
}

Severity MostSevere(const std::vector<StatusCode>& codes) {
    const auto code = MostSevereCode(codes);
    return code ? SeverityOf(*code) : Severity::Ready;
}

WatchReading ReadingFromReplies(std::string_view statusReply, std::string_view suppliesReply) {
    // The status decoder fills a status list; this one is the round's own, not the program's.
    AppState scratch;
    ParseStatusReply(scratch, statusReply);
    WatchReading reading;
    reading.codes.assign(scratch.statusCodes.entries.begin(),
                         scratch.statusCodes.entries.begin() + scratch.statusCount);
    reading.state = StateOf(MostSevere(reading.codes));
    reading.supplies = Supplies(suppliesReply);
    return reading;
}

std::optional<WatchReading> ReadPrinterWatch(FrameKind kind) {
    DeviceSession& session = CurrentSession();
    const LinkFrame frame(session, kind, kind == FrameKind::Command);
    if (!frame.Held()) {
        return std::nullopt;
    }
    WatchReading reading;
    SetPrinterIds();
    if (OpenPrinterLink() == 0) {
        reading.state = WatchState::NotConnected;
        return reading;
    }
    std::array<std::uint8_t, kTextReplySize> status{};
    std::array<std::uint8_t, kTextReplySize> supplies{};
    const std::uint32_t statusCount = Read(9, 0x0000, 1, status);
    const std::uint32_t suppliesCount = Read(13, 0x0100, 0, supplies);
    const bool gone = session.platform.LastTransferFailure() == TransferFailure::Gone;
    ClosePrinterLink();
    if (statusCount == 0) {
        reading.state = gone ? WatchState::NotConnected : WatchState::Unknown;
        return reading;
    }
    return ReadingFromReplies(Text(status, statusCount), Text(supplies, suppliesCount));
}

WatchChange CompareReadings(const std::optional<WatchReading>& before, const WatchReading& now) {
    WatchChange change;
    change.any = !before || *before != now;
    for (const StatusCode& code : now.codes) {
        const bool alert = SeverityOf(code) >= Severity::Warning;
        const bool seen = before && std::find(before->codes.begin(), before->codes.end(), code) !=
                                        before->codes.end();
        if (alert && !seen &&
            std::find(change.newAlerts.begin(), change.newAlerts.end(), code) ==
                change.newAlerts.end()) {
            change.newAlerts.push_back(code);
        }
    }
    return change;
}

}  // namespace rpanel

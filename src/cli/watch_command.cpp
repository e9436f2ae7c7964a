#include "cli/watch_command.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "panel/printer_watch.h"
#include "panel/status_code.h"
#include "panel/status_display_lines.h"

namespace rpanel {
namespace {

constexpr int kDefaultIntervalSeconds = 60;
constexpr int kMostIntervalSeconds = 86400;

std::atomic<bool> g_interrupted{false};

extern "C" void OnInterrupt(int) {
    g_interrupted = true;
}

// SIGINT ends the watch between two rounds, or during the pause, rather than the process.
class InterruptGuard {
public:
    InterruptGuard() : previous_(std::signal(SIGINT, OnInterrupt)) { g_interrupted = false; }
    ~InterruptGuard() { std::signal(SIGINT, previous_); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    void (*previous_)(int);
};

bool ParseCount(const std::string& text, int least, int most, int* number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
    return error == std::errc() && end == text.data() + text.size() && *number >= least &&
           *number <= most;
}

std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : " / ") + line;
    }
    return joined;
}

std::vector<std::string> MostSevereLines(const WatchReading& reading) {
    const auto code = MostSevereCode(reading.codes);
    return code ? StatusDisplayLines(*code) : std::vector<std::string>{};
}

void PrintText(std::ostream& out, const WatchReading& reading) {
    out << WatchStateName(reading.state);
    const std::string lines = JoinedLines(MostSevereLines(reading));
    if (!lines.empty()) {
        out << ": " << lines;
    }
    if (reading.state != WatchState::NotConnected && reading.state != WatchState::Unknown) {
        out << ' ';
        for (std::size_t i = 0; i < kSupplyCount; ++i) {
            out << ' ' << kSupplyNames[i] << ' ';
            if (reading.supplies[i] == kSupplyUnknown) {
                out << '?';
            } else {
                out << reading.supplies[i] << '%';
            }
        }
    }
    out << '\n';
}

void PrintJson(std::ostream& out, const WatchReading& reading) {
    nlohmann::ordered_json codes = nlohmann::ordered_json::array();
    for (const StatusCode& code : reading.codes) {
        // A code's bytes above 0x7F become U+FFFD rather than end the output.
        codes.push_back({{"code", std::string(CodeText(code))},
                         {"severity", SeverityName(SeverityOf(code))},
                         {"lines", StatusDisplayLines(code)}});
    }
    nlohmann::ordered_json supplies = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < kSupplyCount; ++i) {
        supplies[kSupplyNames[i]] = reading.supplies[i] == kSupplyUnknown
                                        ? nlohmann::ordered_json(nullptr)
                                        : nlohmann::ordered_json(reading.supplies[i]);
    }
    const nlohmann::ordered_json line = {{"schema", 1},
                                         {"state", WatchStateName(reading.state)},
                                         {"lines", MostSevereLines(reading)},
                                         {"codes", codes},
                                         {"supplies", supplies}};
    out << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// Waits the interval, in short steps so that an interrupt ends the wait at once.
void Pause(int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!g_interrupted && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace

int RunWatchCommand(CliContext& context) {
    int interval = kDefaultIntervalSeconds;
    int count = 0;  // 0: until interrupted
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--interval" && i + 1 < args.size()) {
            if (!ParseCount(args[++i], 0, kMostIntervalSeconds, &interval)) {
                return kExitUsage;
            }
        } else if (args[i] == "--count" && i + 1 < args.size()) {
            if (!ParseCount(args[++i], 1, INT32_MAX, &count)) {
                return kExitUsage;
            }
        } else {
            return kExitUsage;
        }
    }
    const InterruptGuard guard;
    std::optional<WatchReading> last;
    for (int round = 0; (count == 0 || round < count) && !g_interrupted; ++round) {
        if (round > 0) {
            Pause(interval);
            if (g_interrupted) {
                break;
            }
        }
        const std::optional<WatchReading> reading = ReadPrinterWatch(FrameKind::Command);
        if (!reading || !CompareReadings(last, *reading).any) {
            continue;
        }
        if (context.json) {
            PrintJson(context.out, *reading);
        } else {
            PrintText(context.out, *reading);
        }
        context.out.flush();
        last = reading;
    }
    return kExitOk;
}

}  // namespace rpanel

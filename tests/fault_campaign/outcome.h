// What a command leaves behind, in a form that the campaign compares and prints: the messages
// shown, the requests sent, the fields of AppState (and of the information blocks while the
// viewer is open), and the printer link.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/app_state.h"

namespace rpanel::campaign {

using Fields = std::vector<std::pair<std::string, std::string>>;

struct Outcome {
    std::vector<int> messages;
    std::vector<std::string> requests;
    Fields fields;
    std::string link;
};

// One line per difference; none when the outcomes are equal.
std::vector<std::string> Differences(const Outcome& expected, const Outcome& actual);

// "13 0x0200 index 0 length 1024"
std::string DescribeRequest(std::uint8_t code, std::uint16_t value, std::uint16_t index,
                            std::uint16_t length);

// The fields a command may change: the machine variant, panelOpen, every setting and counter,
// the status list and whether the information blocks are given back.
Fields StateFields(const AppState& state);

// The information blocks as the viewer sees them: every slot by its key, every value entry.
Fields BlockFields(const AppState& state);

// What the printer link holds after a command, from the link record and the platform's counts
// of what is open.
struct OpenCounts {
    int handles = 0;
    int deviceSets = 0;
    int registryKeys = 0;
};
inline constexpr char kLinkClosed[] = "closed";
inline constexpr char kLinkOpen[] = "open";
std::string LinkState(const OpenCounts& counts);

}  // namespace rpanel::campaign

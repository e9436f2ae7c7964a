#include "panel/status_read.h"

#include "link/request_ops.h"
#include "link/split_fields.h"

namespace rpanel {
namespace {

void StoreItem(AppState& state, const StatusCode& item) {
    if (state.statusCount < kMaxStatusCodes) {
        state.statusCodes.entries[state.statusCount++] = item;
    }
}

}  // namespace

bool ReadPanelStatus(MessageSink& messages, AppState& state, DisplayTimer* timer) {
    TextReply reply;
    if (!ReadText(Request::ReadPanelStatus, messages, &reply)) {
        return false;
    }
    state.statusIndex = 0;
    ParseStatusReply(state, reply.Text());
    // Set even when nothing was decoded: the display then stays blank on every tick.
    if (timer != nullptr) {
        timer->Restart();
    }
    return true;
}

void ParseStatusReply(AppState& state, std::string_view reply) {
    state.statusCodes = {};
    state.statusCount = 0;

    // The list is the field after the first run of "=" that follows a non-empty name; a reply
    // without one leaves the second slot zero, an empty list.
    char fields[2][kTextReplySize]{};
    SplitFields(reply, "=", fields);
    const std::string_view list(fields[1]);

    StatusCode item{};
    std::size_t length = 0;
    char previous = '\0';
    for (const char c : list) {
        // The printer closes its one line with CR LF; the LF of that pair ends nothing more.
        // A bare CR or LF still ends an item, so that codes on several lines stay whole.
        const bool lineFeedOfPair = c == '\n' && previous == '\r';
        previous = c;
        if (lineFeedOfPair) {
            continue;
        }
        if (c == ',' || c == '\r' || c == '\n') {
            StoreItem(state, item);
            item = {};
            length = 0;
        } else if (length < item.size()) {
            item[length++] = c;
        }
    }
    // Whatever is left was not closed by "," or a line end and is not a code.
}

}  // namespace rpanel

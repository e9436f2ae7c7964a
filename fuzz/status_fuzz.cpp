// The status decoder and the display lookup take the printer's reply as it comes: whatever the
// bytes, nothing is read or written outside the status list, and every entry can be shown.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "panel/status_display_lines.h"
#include "panel/status_read.h"
#include "panel/status_rotation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Like the reply buffer, at most 1024 bytes arrive.
    const std::string_view reply(reinterpret_cast<const char*>(data),
                                 std::min<std::size_t>(size, 1024));
    rpanel::AppState state;
    rpanel::ParseStatusReply(state, reply);
    if (state.statusCount > rpanel::kMaxStatusCodes) {
        __builtin_trap();
    }
    for (std::uint32_t tick = 0; tick <= state.statusCount; ++tick) {
        const std::size_t lines =
            rpanel::StatusDisplayLines(rpanel::TakeStatusForTick(state)).size();
        if (lines > 2 || state.statusIndex > rpanel::kMaxStatusCodes) {
            __builtin_trap();
        }
    }
    return 0;
}

// Changing some settings of a group the printer takes only whole: the current values are read
// first, the named ones changed, and the whole group sent back, so that nothing the user did
// not name is changed on the printer.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rpanel {

// One named setting and its new value.
struct SettingChange {
    std::string_view name;
    std::int32_t value = 0;
};

struct ChangeOutcome {
    bool opened = false;  // the link opened (message 26 otherwise)
    // The settings of the group whose current value could not be read: nothing was sent.
    std::vector<std::string_view> unread;
    bool sent = false;          // the group was sent
    bool acknowledged = false;  // and every setting of it acknowledged
};

}  // namespace rpanel

// The values a page offers for one setting, both ends included.
#pragma once

#include <cstdint>

namespace rpanel {

struct SettingRange {
    std::int32_t min = 0;
    std::int32_t max = 0;

    constexpr bool Contains(std::int64_t value) const { return value >= min && value <= max; }
};

}  // namespace rpanel

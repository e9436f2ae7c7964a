// The constant lists of the service pages' drop-down lists. Each entry's value is the item data
// of its list item, and a page field always takes the item data of the selected item, never its
// position. Every list ends with an entry whose text is empty.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/choice_entry.h"
#include "service/setting_range.h"

namespace rpanel {

// The host's GDI timeout in seconds, "5" (0) to "60" (6).
inline constexpr ChoiceEntry GdiTimeoutChoices[] = {
    {"5", 0}, {"10", 1}, {"20", 2}, {"30", 3}, {"40", 4}, {"50", 5}, {"60", 6}, {"", 0},
};
inline constexpr ChoiceEntry FlickerChoices[] = {{"0", 0}, {"1", 1}, {"2", 2}, {"", 0}};
inline constexpr ChoiceEntry ImageAdjustChoices[] = {
    {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"", 0},
};
// The fuser temperature offsets "0", "-5" and "-10" (choices 0, 1, 2).
inline constexpr ChoiceEntry TemperatureChoices[] = {{"0", 0}, {"-5", 1}, {"-10", 2}, {"", 0}};

// The User Service page's energy-save switch: string 10 "On" with value 1, string 11 "Off"
// with value 0, in the selected language. A text too long for an entry is cut at a character
// boundary.
inline constexpr std::int32_t kEnergySaveOn = 1;
inline constexpr std::int32_t kEnergySaveOff = 0;
std::array<ChoiceEntry, 3> EnergySaveOnOffChoices();

// The smallest and the largest value of a list.
constexpr SettingRange ChoiceRange(std::span<const ChoiceEntry> list) {
    SettingRange range{list[0].value, list[0].value};
    for (std::size_t i = 1; i < list.size() && list[i].text[0] != '\0'; ++i) {
        range.min = list[i].value < range.min ? list[i].value : range.min;
        range.max = list[i].value > range.max ? list[i].value : range.max;
    }
    return range;
}

}  // namespace rpanel

// One scroll event of an adjustment trackbar. The stored setting, not the thumb, is the master:
// line and page steps are applied to it whatever the trackbar itself did, and the result is
// held within the setting's range.
#pragma once

#include <cstdint>

#include "service/setting_range.h"

namespace rpanel {

// The trackbar's scroll codes. For a horizontal trackbar "up" is towards the left end.
enum class ScrollCode {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndTrack = 8,
};

inline constexpr std::int32_t kSliderPageStep = 5;

// The new setting: stored -1/+1 for a line, -5/+5 for a page, the thumb's position (taken as
// a signed 16-bit number) while it is dragged or where it was dropped; Top, Bottom and the end
// of tracking leave it. Then clamped to range: a setting downloaded outside the range comes
// back inside at the first scroll event.
std::int32_t SteppedSetting(std::int32_t stored, ScrollCode code, int thumbPosition,
                            SettingRange range);

}  // namespace rpanel

#include "service/slider_step.h"

#include <algorithm>

namespace rpanel {

std::int32_t SteppedSetting(std::int32_t stored, ScrollCode code, int thumbPosition,
                            SettingRange range) {
    // Wide enough that a step from a downloaded extreme cannot overflow.
    std::int64_t stepped = stored;
    switch (code) {
        case ScrollCode::LineUp:
            stepped -= 1;
            break;
        case ScrollCode::LineDown:
            stepped += 1;
            break;
        case ScrollCode::PageUp:
            stepped -= kSliderPageStep;
            break;
        case ScrollCode::PageDown:
            stepped += kSliderPageStep;
            break;
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack:
            stepped = static_cast<std::int16_t>(thumbPosition);
            break;
        case ScrollCode::Top:
        case ScrollCode::Bottom:
        case ScrollCode::EndTrack:
            break;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, range.min, range.max));
}

}  // namespace rpanel

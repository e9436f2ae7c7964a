#include "service/slider_step.h"

#include <gtest/gtest.h>

#include <limits>

namespace rpanel {
namespace {

constexpr SettingRange kTop{-15, 15};
constexpr SettingRange kTransfer{-8, 7};
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct Step {
    std::int32_t stored;
    ScrollCode code;
    int thumb;
    SettingRange range;
    std::int32_t expected;
};

TEST(SteppedSetting, StepsTheStoredSettingAndHoldsItInItsRange) {
    using C = ScrollCode;
    const Step steps[] = {
        {0, C::LineUp, 9, kTop, -1},  // the thumb is not the master
        {0, C::LineDown, -9, kTop, 1},
        {3, C::PageUp, 0, kTop, -2},
        {3, C::PageDown, 0, kTop, 8},
        {7, C::LineDown, 7, kTransfer, 7},
        {5, C::EndTrack, 0, kTop, 5},  // as Home and End, it leaves the setting where it was
        {0, C::ThumbTrack, -4, kTop, -4},
        {0, C::ThumbPosition, 6, kTransfer, 6},
        {0, C::ThumbTrack, 0xFFFF, kTop, -1},  // the position is a signed 16-bit number
        // A downloaded setting outside the range comes back at the first event, whatever it is.
        {25, C::Top, 15, kTop, 15},
        {-23, C::LineDown, -8, kTransfer, -8},
        {kMax, C::PageDown, 15, kTop, 15},  // no overflow at the limits
        {kMin, C::PageUp, -15, kTop, -15},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(SteppedSetting(step.stored, step.code, step.thumb, step.range), step.expected)
            << "stored " << step.stored << ", code " << static_cast<int>(step.code);
    }
}

}  // namespace
}  // namespace rpanel

#include "info/adjustment.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace rpanel {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct DecodeCase {
    std::string text;
    std::int32_t offset;
    std::int32_t setting;
};

TEST(DecodeAdjustment, ReadsTheLeadingNumberAndTakesTheOffsetAway) {
    const DecodeCase cases[] = {
        {"20", 15, 5},
        {"3", 15, -12},
        {"15", 15, 0},
        {"8", 8, 0},
        {"", 15, -15},
        {"", 8, -8},
        {"0", 0, 0},
        {" \t\n17", 15, 2},
        {"12mm", 15, -3},
        {"+20", 15, 5},
        {"-3", 8, -11},
        {"- 3", 8, -8},
        {"abc", 15, -15},
        {"0000000000000000000000000000020", 15, 5},
        {"99999999999", 15, kMax - 15},
        {"2147483662", 15, kMax - 15},
        {"-99999999999", 15, kMin},
        {"-2147483648", 0, kMin},
    };
    for (const DecodeCase& c : cases) {
        EXPECT_EQ(DecodeAdjustment(c.text, c.offset), c.setting)
            << '"' << c.text << "\" offset " << c.offset;
    }
}

}  // namespace
}  // namespace rpanel

#include "link/split_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace rpanel {
namespace {

using Texts = std::vector<std::string>;

TEST(SplitFields, CutsAtDelimiterRunsUpToTheFirstNulOr1023CharactersAndNeverOutsideTheSlots) {
    char slots[4][2048] = {};
    EXPECT_EQ(SplitFields(",,A,,B=C,", ",=", slots), 3u);
    EXPECT_EQ(Texts(slots, slots + 3), (Texts{"A", "B", "C"}));
    EXPECT_EQ(SplitFields(",,,", ",", slots), 0u);
    EXPECT_EQ(SplitFields("", ",", slots), 0u);
    EXPECT_EQ(SplitFields(std::string("A,B\0C,D", 7), ",", slots), 2u);
    EXPECT_STREQ(slots[1], "B");
    // The last character taken is a delimiter.
    EXPECT_EQ(SplitFields(std::string(1022, 'x') + ",xx,xxxx", ",", slots), 1u);
    EXPECT_EQ(std::strlen(slots[0]), 1022u);
    EXPECT_EQ(SplitFields(std::string(1500, 'y'), ",", slots), 1u);
    EXPECT_EQ(std::strlen(slots[0]), 1023u);
    // An untrusted reply must never write past a slot or past the last slot.
    struct {
        char slots[3][4];
        char guard[16];
    } area;
    std::memset(&area, 0x5A, sizeof area);
    EXPECT_EQ(SplitFields("ABCDEFGH,IJ,KLMNOP,QR,ST", ",", &area.slots[0][0], 3, 4), 3u);
    // Each cut to its slot, still terminated.
    EXPECT_EQ(Texts(area.slots, area.slots + 3), (Texts{"ABC", "IJ", "KLM"}));
    EXPECT_EQ(std::string(area.guard, 16), std::string(16, 0x5A));
    EXPECT_EQ(SplitFields("A,B", ",", &area.guard[0], 2, 0), 0u) << "zero-width slots";
    EXPECT_EQ(area.guard[0], 0x5A);
}

}  // namespace
}  // namespace rpanel

#include "link/split_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace rpanel {
namespace {

TEST(SplitFields, CutsAtRunsOfDelimitersWithoutEmptyFields) {
    char slots[4][8] = {};
    EXPECT_EQ(SplitFields(",,A,,B=C,", ",=", slots), 3u);
    EXPECT_STREQ(slots[0], "A");
    EXPECT_STREQ(slots[1], "B");
    EXPECT_STREQ(slots[2], "C");
    EXPECT_EQ(SplitFields(",,,", ",", slots), 0u);
    EXPECT_EQ(SplitFields("", ",", slots), 0u);
}

TEST(SplitFields, StopsAtTheFirstNul) {
    char slots[4][8] = {};
    const std::string text("A,B\0C,D", 7);
    EXPECT_EQ(SplitFields(text, ",", slots), 2u);
    EXPECT_STREQ(slots[1], "B");
}

// An untrusted reply must never write past a slot or past the last slot.
struct Guarded {
    char slots[3][4];
    char guard[16];
};

TEST(SplitFields, NeverWritesOutsideTheSlots) {
    Guarded area;
    std::memset(&area, 0x5A, sizeof area);
    EXPECT_EQ(SplitFields("ABCDEFGH,IJ,KLMNOP,QR,ST", ",", &area.slots[0][0], 3, 4), 3u);
    EXPECT_STREQ(area.slots[0], "ABC");  // cut to the slot, still terminated
    EXPECT_STREQ(area.slots[1], "IJ");
    EXPECT_STREQ(area.slots[2], "KLM");
    for (char byte : area.guard) {
        ASSERT_EQ(byte, 0x5A);
    }
}

TEST(SplitFields, LooksAtNoMoreThan1023Characters) {
    char slots[4][2048] = {};
    std::string text(1030, 'x');
    text[1022] = ',';  // the last character taken is a delimiter
    text[1025] = ',';
    EXPECT_EQ(SplitFields(text, ",", slots), 1u);
    EXPECT_EQ(std::strlen(slots[0]), 1022u);

    const std::string longToken(1500, 'y');
    EXPECT_EQ(SplitFields(longToken, ",", slots), 1u);
    EXPECT_EQ(std::strlen(slots[0]), kSplitTextLimit);
}

TEST(SplitFields, ZeroWidthSlotsTakeNothing) {
    char unused = 0x5A;
    EXPECT_EQ(SplitFields("A,B", ",", &unused, 2, 0), 0u);
    EXPECT_EQ(unused, 0x5A);
}

}  // namespace
}  // namespace rpanel

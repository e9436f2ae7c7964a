#include "info/private_profile.h"

#include <gtest/gtest.h>

namespace rpanel {
namespace {

TEST(PrivateProfile, SectionsAndKeysKeepTheOrderOfTheirFirstWrite) {
    PrivateProfile profile;
    profile.Write("A", "one", "1");
    profile.Write("B", "two", "2");
    profile.Write("A", "three", "3");
    EXPECT_EQ(profile.Bytes(), "[A]\r\none=1\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
}

TEST(PrivateProfile, ARepeatedKeyGetsTheNewValueInItsPlace) {
    PrivateProfile profile;
    profile.Write("Sec", "Key", "1");
    profile.Write("Sec", "Other", "2");
    profile.Write("SEC", "key", "3");
    EXPECT_EQ(profile.Bytes(), "[Sec]\r\nKey=3\r\nOther=2\r\n");
}

TEST(PrivateProfile, AValueEndingInCrLfLeavesAnEmptyLineThatGoesWithIt) {
    PrivateProfile profile;
    profile.Write("S", "a", "1\r\n");
    profile.Write("T", "b", "2");
    EXPECT_EQ(profile.Bytes(), "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n");
    profile.Write("S", "a", "9");
    EXPECT_EQ(profile.Bytes(), "[S]\r\na=9\r\n[T]\r\nb=2\r\n");
}

TEST(PrivateProfile, NamesLoseTheirOuterBlanksAndValuesKeepEverything) {
    PrivateProfile profile;
    profile.Write(" Sec\t", "Total Faces Counter:    ", " v ");
    profile.Write("Sec", "Total Faces Counter:", "");
    profile.Write("Sec", "  ", "x");
    EXPECT_EQ(profile.Bytes(), "[Sec]\r\nTotal Faces Counter:=\r\n=x\r\n");
}

TEST(PrivateProfile, OnlyAsciiLettersAreMatchedWithoutRegardToCase) {
    PrivateProfile profile;
    profile.Write("\xC4rger", "k", "1");  // 8-bit upper and lower case stay apart
    profile.Write("\xE4rger", "k", "2");
    profile.Write("\xC4RGER", "K", "3");
    EXPECT_EQ(profile.Bytes(), "[\xC4rger]\r\nk=3\r\n[\xE4rger]\r\nk=2\r\n");
}

}  // namespace
}  // namespace rpanel

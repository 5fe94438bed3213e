#include <gtest/gtest.h>

#include "core/gbk.h"

namespace fennory::gbk {
namespace {

TEST(GbkLength, CountsTheBytesOfTheGbkText) {
    EXPECT_EQ(byteLength(""), 0u);
    EXPECT_EQ(byteLength("ATM"), 3u);
    EXPECT_EQ(byteLength("工资"), 4u);
    EXPECT_EQ(byteLength("ATM 取款"), 8u);
    EXPECT_EQ(byteLength("①号"), 4u);
    EXPECT_EQ(byteLength("ａＢ１"), 6u);
    EXPECT_EQ(byteLength("、"), 2u);
}

TEST(GbkLength, CharactersOutsideGbkCountTheirGb18030Length) {
    EXPECT_EQ(byteLength("😀"), 4u);       // outside the BMP
    EXPECT_EQ(byteLength("\u0E01"), 4u);  // Thai ko kai: four bytes in GB18030
    EXPECT_EQ(byteLength("a😀b"), 6u);
}

TEST(GbkCut, NeverSplitsACharacter) {
    EXPECT_EQ(cutToBytes("工资卡", 5), "工资");
    EXPECT_EQ(cutToBytes("工资卡", 6), "工资卡");
    EXPECT_EQ(cutToBytes("a工资", 2), "a");
    EXPECT_EQ(cutToBytes("abc", 0), "");
    EXPECT_EQ(cutToBytes("a😀", 4), "a");
}

TEST(GbkCut, ANameLimitOfTwentyHoldsTenChineseOrTwentyAsciiCharacters) {
    EXPECT_EQ(cutToBytes("一二三四五六七八九十十一", 20), "一二三四五六七八九十");
    EXPECT_EQ(cutToBytes("abcdefghijklmnopqrstuvwxyz", 20), "abcdefghijklmnopqrst");
    EXPECT_EQ(cutToBytes("中国银行abcdefghijklmn", 20), "中国银行abcdefghijkl");
}

TEST(GbkEncode, GivesTheTwoByteCode) {
    EXPECT_EQ(*encodeChar(U'工'), "\xB9\xA4");
    EXPECT_EQ(*encodeChar(U'①'), "\xA2\xD9");
    EXPECT_EQ(*encodeChar(U'a'), "a");
    EXPECT_FALSE(encodeChar(U'😀').has_value());
}

}  // namespace
}  // namespace fennory::gbk

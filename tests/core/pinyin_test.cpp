#include <gtest/gtest.h>

#include <string>

#include "core/pinyin.h"

namespace fennory {
namespace {

struct Example {
    const char* name;
    const char* code;
};

TEST(PinyinCode, GivesTheInitialsUsersTypeForTheirNames) {
    const Example examples[] = {
        {"工资", "GZ"},        {"银行卡", "YHK"}, {"其他日常杂项", "QTRCZX"},
        {"ATM 取款", "ATMQK"}, {"①号", "1H"},     {"工资、奖金", "GZ?JJ"},
        {"ａＢ１", "aB1"},     {"", ""},          {"重庆", "ZQ"},
        {"长辈", "ZB"},        {"现金", "XJ"},    {"信用卡", "XYK"},
        {"爸爸", "BB"},        {"支付宝", "ZFB"}, {"abc123", "ABC123"},
    };
    for (const auto& e : examples) {
        EXPECT_EQ(PinyinCode(e.name), e.code) << "for " << e.name;
    }
}

TEST(PinyinCode, PolyphonicCharactersReadTheWayTheProgramNamesThem) {
    EXPECT_EQ(PinyinCode("重", pinyin::kFullSyllables), "ZHONG");
    EXPECT_EQ(PinyinCode("长", pinyin::kFullSyllables), "ZHANG");
    EXPECT_EQ(PinyinCode("行", pinyin::kFullSyllables), "HANG");
}

TEST(PinyinCode, OptionBitsChangeWhatIsWritten) {
    EXPECT_EQ(PinyinCode("工资", pinyin::kFullSyllables | pinyin::kMarkUnknown), "GONGZI");
    // Without bit 1 a character without a reading leaves nothing.
    EXPECT_EQ(PinyinCode("工资、奖金", 0), "GZJJ");
    // Bit 2 keeps the space and the punctuation.
    EXPECT_EQ(PinyinCode("ATM 取款!", pinyin::kKeepOthers), "ATM QK!");
    EXPECT_EQ(PinyinCode("（工）", pinyin::kKeepOthers), "(G)");
}

TEST(PinyinCode, PunctuationOfRowA1IsMarkedAndFullWidthPunctuationDropped) {
    EXPECT_EQ(PinyinCode("。、《》"), "????");
    EXPECT_EQ(PinyinCode("（），！"), "");
    EXPECT_EQ(PinyinCode("工（资）"), "GZ");
}

TEST(PinyinCode, EnclosedNumeralsAndGreekLetters) {
    EXPECT_EQ(PinyinCode("ⅰⅹ"), "110");
    EXPECT_EQ(PinyinCode("⒛⒇⑩㈩Ⅻ"), "2020101012");
    EXPECT_EQ(PinyinCode("αβγ"), "ABG");
    EXPECT_EQ(PinyinCode("ΩΨθ"), "OPSTH");
}

TEST(PinyinCode, CharactersOutsideGbkHaveNoReading) {
    EXPECT_EQ(PinyinCode("工😀资"), "G?Z");
    EXPECT_EQ(PinyinCode("工😀资", 0), "GZ");
}

TEST(PinyinCode, IsCutAtTheMaximumLength) {
    std::string longName(300, 'a');
    EXPECT_EQ(PinyinCode(longName).size(), 255u);
    EXPECT_EQ(PinyinCode("工资卡", pinyin::kMarkUnknown, 2), "GZ");
}

TEST(PinyinCodeGbk, ALoneLeadByteAtTheEndIsDropped) {
    EXPECT_EQ(PinyinCodeGbk("\xB9\xA4\xB9", pinyin::kMarkUnknown, 255), "G");
    // A lead byte followed by a byte below 0x40 is a one-byte character too.
    EXPECT_EQ(PinyinCodeGbk("\xB9"
                            "1",
                            pinyin::kMarkUnknown, 255),
              "1");
}

TEST(PinyinTable, SyllablesAreNumberedAlphabeticallyThenTheSpecialOnes) {
    EXPECT_EQ(pinyin::syllable(0), "");
    EXPECT_EQ(pinyin::syllable(1), "a");
    EXPECT_EQ(pinyin::syllable(2), "ai");
    EXPECT_EQ(pinyin::syllable(5), "ao");
    EXPECT_EQ(pinyin::syllable(6), "ba");
    EXPECT_EQ(pinyin::syllable(7), "bai");
    EXPECT_EQ(pinyin::syllable(392), "zun");
    EXPECT_EQ(pinyin::syllable(393), "zuo");
    EXPECT_EQ(pinyin::syllable(394), "");
    EXPECT_EQ(pinyin::syllable(395), "ei");
    EXPECT_EQ(pinyin::syllable(405), "nv");
    for (int n = 2; n <= 393; ++n) {
        EXPECT_LT(pinyin::syllable(n - 1), pinyin::syllable(n)) << n;
        EXPECT_LE(pinyin::syllable(n).size(), 6u);
    }
}

TEST(PinyinTable, EveryGbkHanziHasAReadingAndSymbolsHaveNone) {
    int withReading = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            withReading += pinyin::syllableNumber(lead, trail) != 0;
        }
    }
    EXPECT_GT(withReading, 20000);
    EXPECT_LT(withReading, 21500);
    // All of GB2312's level-one characters, 0xB0A1 to 0xD7F9, have one.
    for (int lead = 0xB0; lead <= 0xD7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9) {
                break;
            }
            EXPECT_NE(pinyin::syllableNumber(lead, trail), 0) << std::hex << lead << trail;
        }
    }
    EXPECT_EQ(pinyin::syllableNumber(0xA1, 0xA2), 0);  // 、
    EXPECT_EQ(pinyin::syllableNumber(0xA3, 0xC1), 0);  // Ａ
}

}  // namespace
}  // namespace fennory

#include <gtest/gtest.h>

#include "core/money.h"

namespace fennory {
namespace {

struct ParseCase {
    const char* text;
    std::int64_t units;
};

TEST(MoneyParse, AcceptsWhatAUserTypesForAnAmount) {
    const ParseCase cases[] = {
        {"100", 1000000}, {"-500", -5000000},      {"0.5", 5000},      {".5", 5000},
        {"12.", 120000},  {"1234.5678", 12345678}, {"  12  ", 120000}, {"0", 0},
        {"-0.0001", -1},  {"007", 70000},          {"100.0", 1000000},
    };
    for (const auto& c : cases) {
        auto m = Money::parse(c.text);
        ASSERT_TRUE(m.has_value()) << "refused: '" << c.text << "'";
        EXPECT_EQ(m->units(), c.units) << "for '" << c.text << "'";
    }
}

TEST(MoneyParse, RefusesAnythingThatIsNotAPlainNumber) {
    for (const char* text :
         {"", " ", "-", ".", "-.", "abc", "12a", "1e3", "+5", "1,234", "12.34567", "1.2.3", "--1",
          "1-", "１２", "0x10", "12 34", "99999999999999999999", "922337203685478"}) {
        EXPECT_FALSE(Money::parse(text).has_value()) << "accepted: '" << text << "'";
    }
}

TEST(MoneyFormat, DisplayHasTwoDecimalsAndThousandsSeparators) {
    EXPECT_EQ(Money::parse("1234.5")->toDisplay(), "1,234.50");
    EXPECT_EQ(Money::parse("-500")->toDisplay(), "-500.00");
    EXPECT_EQ(Money::parse("0")->toDisplay(), "0.00");
    EXPECT_EQ(Money::parse("999.99")->toDisplay(), "999.99");
    EXPECT_EQ(Money::parse("1000")->toDisplay(), "1,000.00");
    EXPECT_EQ(Money::parse("1234567.891")->toDisplay(), "1,234,567.89");
    EXPECT_EQ(Money::parse("-1234567")->toDisplay(), "-1,234,567.00");
}

TEST(MoneyFormat, DisplayRoundsHalfAwayFromZeroWithoutANegativeZero) {
    EXPECT_EQ(Money::parse("0.005")->toDisplay(), "0.01");
    EXPECT_EQ(Money::parse("-0.005")->toDisplay(), "-0.01");
    EXPECT_EQ(Money::parse("0.0049")->toDisplay(), "0.00");
    EXPECT_EQ(Money::parse("-0.004")->toDisplay(), "0.00");
    EXPECT_EQ(Money::parse("2.995")->toFixed2(), "3.00");
}

TEST(MoneyFormat, PlainHasOnlyTheDecimalsTheValueNeeds) {
    EXPECT_EQ(Money::parse("1234.5")->toPlain(), "1234.5");
    EXPECT_EQ(Money::parse("1234.50")->toPlain(), "1234.5");
    EXPECT_EQ(Money::parse("-0.0001")->toPlain(), "-0.0001");
    EXPECT_EQ(Money::parse("100")->toPlain(), "100");
    EXPECT_EQ(Money().toPlain(), "0");
}

TEST(MoneyArithmetic, IsExactWhereFloatingPointIsNot) {
    Money sum;
    for (int i = 0; i < 10; ++i) {
        sum += *Money::parse("0.1");
    }
    EXPECT_EQ(sum, Money::yuan(1));
    EXPECT_EQ(*Money::parse("100.0"), *Money::parse("100"));
    EXPECT_EQ((*Money::parse("100") - *Money::parse("130")).toDisplay(), "-30.00");
    EXPECT_DOUBLE_EQ(Money::yuan(25).ratioTo(Money::yuan(100)), 0.25);
    EXPECT_DOUBLE_EQ(Money::yuan(25).ratioTo(Money()), 0.0);
}

TEST(TypedAmounts, MoreThanTwoDecimalsAreRefusedForThatReason) {
    EXPECT_EQ(Money::typedRangeError("金额", "1.235"), "金额 最多两位小数，请重新录入！");
    EXPECT_EQ(Money::typedRangeError("投资金额", "1.23456"), "投资金额 最多两位小数，请重新录入！");
    EXPECT_EQ(Money::typedRangeError("金额", "-0.001"), "金额 最多两位小数，请重新录入！");
    EXPECT_EQ(Money::typedRangeError("金额", "1.23"), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("金额", "1.2"), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("金额", " 7 "), std::nullopt);
    EXPECT_EQ(Money::typedRangeError("金额", "1.2.345"), std::nullopt);  // not a number at all
}

TEST(ReadAmounts, AreRoundedHalfAwayFromZeroToTheFen) {
    struct Case {
        const char* text;
        const char* plain;
    };
    for (auto [text, plain] :
         {Case{"1.235", "1.24"}, Case{"1.234", "1.23"}, Case{"-1.235", "-1.24"},
          Case{"-1.2349", "-1.23"}, Case{"0.005", "0.01"}, Case{"2.1", "2.1"}, Case{"12", "12"},
          Case{"0.30000000000000004", "0.3"}, Case{".999", "1"}}) {
        auto m = Money::parseToFen(text);
        ASSERT_TRUE(m) << text;
        EXPECT_EQ(m->toPlain(), plain) << text;
        EXPECT_TRUE(m->isWholeFen()) << text;
    }
    for (const char* bad : {"", "abc", "1.23x", "1.2.3", "1e5", "--1"}) {
        EXPECT_FALSE(Money::parseToFen(bad)) << bad;
    }
}

// A typed amount is an amount, or one sentence saying why not: the range and
// the decimals are named as such, anything else is "not a number".
TEST(TypedAmount, SaysTheRealReasonForARefusal) {
    const auto ok = Money::readTyped("金额", " 12.5 ", "金额 必须是数字！");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->toPlain(), "12.5");
    EXPECT_TRUE(ok.refusal.empty());

    const auto huge = Money::readTyped("金额", "922337203685477", "金额 必须是数字！");
    EXPECT_FALSE(huge);
    EXPECT_NE(huge.refusal.find("超出"), std::string::npos) << huge.refusal;

    const auto fine = Money::readTyped("金额", "1.234", "金额 必须是数字！");
    EXPECT_FALSE(fine);
    EXPECT_EQ(fine.refusal, "金额 最多两位小数，请重新录入！");

    const auto word = Money::readTyped("金额", "十二", "金额 必须是数字！");
    EXPECT_FALSE(word);
    EXPECT_EQ(word.refusal, "金额 必须是数字！");
}

}  // namespace
}  // namespace fennory

#include <gtest/gtest.h>

#include "core/data_module.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class NewNames : public testing::BookTest {};

TEST_F(NewNames, AnUnknownMemberIsCreatedWithItsPinyinCode) {
    dm.NewFamily("爸爸");
    dm.NewFamily("爸爸");
    EXPECT_EQ(rows("SELECT FName,BName,thePY,theGX,BirDate,Remark FROM SFamily"),
              (Rows{{"爸爸", "家庭账簿", "BB", "", "", ""}}));
}

TEST_F(NewNames, AnUnknownAccountIsAnEmptyCashAccountOfTheRecordsMember) {
    dm.NewAccount("银行卡", "妈妈");
    dm.NewAccount("银行卡", "爸爸");
    EXPECT_EQ(rows("SELECT AName,BName,thePY,theState,theCount,Remark,AMoney,theType,FName "
                   "FROM SAccount"),
              (Rows{{"银行卡", "家庭账簿", "YHK", "启用", "0", "", "0", "现金", "妈妈"}}));
}

TEST_F(NewNames, UnknownCategoriesAndContactsAreCreatedInUse) {
    dm.mySaveNew("InD", "IName", "工资、奖金");
    dm.mySaveNew("OutD", "OName", "其他日常杂项");
    dm.mySaveNew("TD", "TName", "基金");
    dm.mySaveNew("PD", "PName", "张三");
    dm.mySaveNew("PD", "PName", "张三");
    EXPECT_EQ(rows("SELECT IName,thePY,theState,theCount,Remark FROM InD"),
              (Rows{{"工资、奖金", "GZ?JJ", "启用", "0", ""}}));
    EXPECT_EQ(one("SELECT thePY FROM OutD"), "QTRCZX");
    EXPECT_EQ(one("SELECT thePY FROM TD"), "JJ");
    EXPECT_EQ(one("SELECT count(*) FROM PD"), "1");
    EXPECT_THROW(dm.mySaveNew("SAccount", "AName", "x"), std::invalid_argument);
}

TEST_F(NewNames, ANameTheBookHasIsNotCreatedAgainEvenWhenDisabled) {
    addName("InD", "IName", "工资", "GZ", "停用");
    dm.mySaveNew("InD", "IName", "工资");
    EXPECT_EQ(rows("SELECT IName, theState FROM InD"), (Rows{{"工资", "停用"}}));
}

TEST_F(NewNames, AnotherBooksNameDoesNotCountAsKnown) {
    addName("InD", "IName", "工资", "GZ", "启用", 4, "另一本");
    dm.mySaveNew("InD", "IName", "工资");
    EXPECT_EQ(rows("SELECT BName, theCount FROM InD ORDER BY ID"),
              (Rows{{"另一本", "4"}, {"家庭账簿", "0"}}));
}

TEST_F(NewNames, NamesWithQuotesAreStoredAndFoundAsTyped) {
    dm.NewAccount("O'Neil's 卡", "爸'爸");
    dm.NewFamily("爸'爸");
    EXPECT_EQ(rows("SELECT AName, FName, thePY FROM SAccount"),
              (Rows{{"O'Neil's 卡", "爸'爸", "ONEILSK"}}));
    EXPECT_EQ(dm.mySelectCom("O'N", "AName", "SAccount").value(), "O'Neil's 卡");
}

TEST_F(NewNames, CreatingNamesWritesNoLogEntry) {
    dm.NewFamily("爸爸");
    dm.NewAccount("现金", "爸爸");
    dm.mySaveNew("OutD", "OName", "餐饮");
    EXPECT_EQ(one("SELECT count(*) FROM UList"), "0");
}

}  // namespace
}  // namespace fennory

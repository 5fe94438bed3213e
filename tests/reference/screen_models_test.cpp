#include <gtest/gtest.h>

#include "reference/accounts.h"
#include "reference/family.h"
#include "reference/name_lists.h"
#include "reference/renames.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs targets(NameKind kind) {
    Pairs out;
    for (const RenameTarget& t : renameTargets(kind)) {
        out.emplace_back(t.table, t.column);
    }
    return out;
}

// Stated here, not read from the product, so that a column missing from the
// product's table is caught.
TEST(Renames, ReachEveryRecordColumnThatHoldsTheName) {
    EXPECT_EQ(targets(NameKind::Account), (Pairs{{"BList", "AName"},
                                                 {"Borrow", "AName"},
                                                 {"BorrowR", "AName"},
                                                 {"Debt", "AName"},
                                                 {"DebtR", "AName"},
                                                 {"DList", "AName"},
                                                 {"InTable", "AName"},
                                                 {"OutTable", "AName"},
                                                 {"SMRX", "AName"},
                                                 {"TList", "AName"},
                                                 {"TTable", "AName"},
                                                 {"TTableR", "AName"},
                                                 {"UList", "AName"},
                                                 {"UPlan", "AName"},
                                                 {"ChangeT", "OldN"},
                                                 {"ChangeT", "NewN"}}));
    EXPECT_EQ(targets(NameKind::Member), (Pairs{{"BList", "FName"},
                                                {"Borrow", "FName"},
                                                {"BorrowR", "FName"},
                                                {"Debt", "FName"},
                                                {"DebtR", "FName"},
                                                {"DList", "FName"},
                                                {"InTable", "FName"},
                                                {"OutTable", "FName"},
                                                {"SMRX", "FName"},
                                                {"TList", "FName"},
                                                {"TTable", "FName"},
                                                {"TTableR", "FName"},
                                                {"UList", "FName"},
                                                {"UPlan", "FName"},
                                                {"ChangeT", "FName"}}));
    EXPECT_EQ(targets(NameKind::IncomeKind), (Pairs{{"InTable", "IName"}, {"UPlan", "PName"}}));
    EXPECT_EQ(targets(NameKind::ExpenseKind), (Pairs{{"OutTable", "OName"}, {"UPlan", "PName"}}));
    EXPECT_EQ(targets(NameKind::InvestmentKind), (Pairs{{"TTable", "TName"}, {"UPlan", "PName"}}));
    EXPECT_EQ(targets(NameKind::Contact), (Pairs{{"Debt", "DPro"}, {"Borrow", "BPro"}}));
}

class AccountsScreen : public testing::BookTest {
protected:
    AccountsScreen() : model(dm) {
        session.StartupDate = "2026-12-09";
        model.refresh();
    }
    AccountInput input(const std::string& name, const std::string& amount) {
        return {"现金", "爸爸", name, amount, ""};
    }
    AccountsModel model;
};

TEST_F(AccountsScreen, TheUsersRowStaysCurrentAfterEverySave) {
    model.startNew();
    ASSERT_TRUE(model.save(input("钱包", "0")).ok);
    model.startNew();
    ASSERT_TRUE(model.save(input("工行", "5")).ok);
    EXPECT_EQ(model.text(AccountColumn::Name), "工行");

    model.setCurrentId(db.queryInt("SELECT ID FROM SAccount WHERE AName='钱包'").value());
    AccountsModel::Adjust a = model.adjustOfCurrent();
    a.realBalance = "30";
    ASSERT_TRUE(model.adjust(a).ok);
    EXPECT_EQ(model.text(AccountColumn::Name), "钱包");
    EXPECT_EQ(model.text(AccountColumn::Balance), "30");

    AccountsModel::Edit e = model.editOfCurrent();
    e.name = "零钱包";
    ASSERT_TRUE(model.edit(e).ok);
    EXPECT_EQ(model.text(AccountColumn::Name), "零钱包");
}

TEST_F(AccountsScreen, TheDeleteCheckReadsTheStoredBalanceNotTheShownText) {
    model.startNew();
    ASSERT_TRUE(model.save(input("钱包", "0")).ok);
    // A balance below a fen shows as 0.00 but is not zero.
    db.execute("UPDATE SAccount SET AMoney=1");
    EXPECT_EQ(model.checkRemoveCurrent().message,
              "账户余额不为零，不能删除；若要删除，请将该账户余额转账到其它账户后删除！");
    db.execute("UPDATE SAccount SET AMoney=0");
    EXPECT_TRUE(model.checkRemoveCurrent().ok);
    model.remove(model.currentId());
    EXPECT_FALSE(model.hasCurrent());
}

TEST_F(AccountsScreen, AFailedCheckNamesItsField) {
    model.startNew();
    EXPECT_EQ(model.save({}).field, AccountField::Type);
    EXPECT_EQ(model.save({"现金"}).field, AccountField::Member);
    EXPECT_EQ(model.save({"现金", "爸爸"}).field, AccountField::Name);
    EXPECT_EQ(model.save(input("钱包", "x")).field, AccountField::Amount);
    EXPECT_EQ(model.mode(), RecordMode::New);  // the entry stays open to mend
}

class FamilyScreen : public testing::BookTest {};

TEST_F(FamilyScreen, AChangeRenamesTheRecordItBeganOnAndKeepsItCurrent) {
    FamilyModel family(dm);
    family.refresh();
    family.startNew();
    ASSERT_TRUE(family.save({"爸爸", "父亲", "1980-01-01", ""}).ok);
    family.startNew();
    ASSERT_TRUE(family.save({"妈妈", "母亲", "", ""}).ok);
    db.execute("INSERT INTO InTable(BName,IDate,FName) VALUES('家庭账簿','2024-01-01','妈妈')");
    ASSERT_TRUE(family.startChange());
    ASSERT_TRUE(family.save({"老妈", "母亲", "", ""}).ok);
    EXPECT_EQ(family.text(MemberColumn::Name), "老妈");
    EXPECT_EQ(one("SELECT FName FROM InTable"), "老妈");
    // No birthday was stored, and none is invented by the change.
    EXPECT_EQ(family.text(MemberColumn::Birthday), "");
}

class NameListScreen : public testing::BookTest {};

TEST_F(NameListScreen, ASavedNameIsCurrentAndARenameRemembersTheOldName) {
    NameListModel in(dm, incomeKinds());
    in.refresh();
    in.startNew();
    ASSERT_TRUE(in.save("工资", "").ok);
    in.startNew();
    ASSERT_TRUE(in.save("奖金", "").ok);
    EXPECT_EQ(in.text(NameListColumn::Name), "奖金");
    db.execute("INSERT INTO InTable(BName,IDate,IName) VALUES('家庭账簿','2024-01-01','奖金')");
    ASSERT_TRUE(in.startChange());
    EXPECT_EQ(in.oldText(NameListColumn::Name), "奖金");
    ASSERT_TRUE(in.save("年终奖", "").ok);
    EXPECT_EQ(in.text(NameListColumn::Name), "年终奖");
    EXPECT_EQ(one("SELECT IName FROM InTable"), "年终奖");
}

}  // namespace
}  // namespace fennory

#include <gtest/gtest.h>

#include <fmt/format.h>

#include "core/history.h"
#include "reference/accounts.h"
#include "reference/editors.h"
#include "reference/family.h"
#include "reference/name_lists.h"
#include "reference/renames.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;

class Accounts : public testing::BookTest {
protected:
    Accounts() : model(dm) { session.StartupDate = "2026-12-09"; }
    std::int64_t idOf(const std::string& name) {
        return db
            .queryInt("SELECT ID FROM SAccount WHERE AName=?1 AND BName=?2", name,
                      session.CurrentBook)
            .value();
    }
    AccountsModel model;
};

TEST_F(Accounts, ADuplicateNameIsRefusedInTheSameBookOnly) {
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "0", ""}).ok);
    EXPECT_EQ(model.add({"现金", "爸爸", "钱包", "5", ""}).message, "账户名称添加重复！");
    session.CurrentBook = "另一本";
    EXPECT_TRUE(model.add({"现金", "爸爸", "钱包", "5", ""}).ok);
}

TEST_F(Accounts, ChecksInOrderWithTheBalanceCaption) {
    EXPECT_EQ(model.add({"", "", "", "", ""}).message, "请选择 账户分类！");
    EXPECT_EQ(model.add({"现金", "", "", "", ""}).message, "请选择 家庭成员！");
    EXPECT_EQ(model.add({"现金", "爸爸", "", "", ""}).message, "账户名称不能为空！请重新录入！");
    EXPECT_EQ(model.add({"现金", "爸爸", "钱包", "", ""}).message,
              "账户余额不能为空！请重新录入！");
    EXPECT_EQ(model.add({"现金", "爸爸", "钱包", "十块", ""}).message,
              "账户余额 必须是数字！请重新录入！");
    EXPECT_EQ(one("SELECT count(*) FROM SAccount"), "0");
}

TEST_F(Accounts, ANegativeOpeningAmountIsLoggedAsNegativeIncome) {
    ASSERT_TRUE(model.add({"信用卡", "妈妈", "信用卡", "-300", "透支"}).ok);
    EXPECT_EQ(
        rows("SELECT theDate,theType,Remark,theIn,theOut,AMoney,theT,theE FROM UList"),
        (Rows{{"2026-12-09", "开户", "透支", "-3000000", "0", "-3000000", "SAccount", "新增"}}));
}

TEST_F(Accounts, DeletionNeedsAZeroBalance) {
    EXPECT_EQ(model.checkDelete(Money::yuan(5)).message,
              "账户余额不为零，不能删除；若要删除，请将该账户余额转账到其它账户后删除！");
    EXPECT_EQ(model.checkDelete(*Money::parse("-0.01")).ok, false);
    EXPECT_TRUE(model.checkDelete(Money()).ok);
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "0", ""}).ok);
    model.remove(idOf("钱包"));
    EXPECT_EQ(one("SELECT count(*) FROM SAccount"), "0");
    EXPECT_EQ(one("SELECT count(*) FROM UList"), "1");  // the opening entry stays
}

TEST_F(Accounts, AdjustingLowersOrRaisesWithItsLogEntry) {
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "100", ""}).ok);
    std::int64_t id = idOf("钱包");
    ASSERT_TRUE(model.adjust({id, "钱包", "爸爸", "100", "80"}).ok);
    EXPECT_EQ(dm.RetAMoney("钱包"), Money::yuan(80));
    ASSERT_TRUE(model.adjust({id, "钱包", "爸爸", "80", "110"}).ok);
    EXPECT_EQ(dm.RetAMoney("钱包"), Money::yuan(110));
    EXPECT_EQ(
        rows("SELECT theType,Remark,theIn,theOut,AMoney,theT,theID FROM UList "
             "WHERE theType='调账' ORDER BY ID"),
        (Rows{{"调账", "调整账户余额", "0", "200000", "800000", "SAccount", std::to_string(id)},
              {"调账", "调整账户余额", "300000", "0", "1100000", "SAccount", std::to_string(id)}}));
}

TEST_F(Accounts, AdjustingChecksTheRealBalanceFirst) {
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "100", ""}).ok);
    std::int64_t id = idOf("钱包");
    std::string before = dump();
    EXPECT_EQ(model.adjust({id, "钱包", "爸爸", "100", ""}).message,
              "实际余额 不能为空！请重新录入！");
    EXPECT_EQ(model.adjust({id, "钱包", "爸爸", "100", "100"}).message,
              "实际余额 不能等于 账户余额！请重新录入！");
    EXPECT_EQ(model.adjust({id, "钱包", "爸爸", "100", "1O0"}).message,
              "实际余额 必须是数字！请重新录入！");
    EXPECT_EQ(dump(), before);
    // Written differently but equal in value: passes, logs nothing moved.
    ASSERT_TRUE(model.adjust({id, "钱包", "爸爸", "100", "100.0"}).ok);
    EXPECT_EQ(dm.RetAMoney("钱包"), Money::yuan(100));
    EXPECT_EQ(rows("SELECT theIn, theOut FROM UList WHERE theType='调账'"), (Rows{{"0", "0"}}));
}

// Taking a rename back restores every table it reached, to the byte.
TEST_F(Accounts, AnUndoneRenameRestoresEveryTableItReached) {
    addAccount("钱包", "0");
    for (const RenameTarget& t : renameTargets(NameKind::Account)) {
        const std::string table = t.table, column = t.column;
        insertRow(table, {{"BName", "家庭账簿"}, {column, "钱包"}});
    }
    History history(db, [this] { return dm.book(); });
    const std::string before = dump();
    ASSERT_TRUE(model.edit({idOf("钱包"), "钱包", "银行卡", "妈妈", "工行卡", "新"}).ok);
    ASSERT_NE(dump(), before);
    ASSERT_TRUE(history.undo());
    // The history's own tables aside, every row is as it was.
    auto withoutHistory = [](const std::string& d) {
        return d.substr(0, d.find("== UndoAction")) + d.substr(d.find("== UndoRows"));
    };
    EXPECT_EQ(withoutHistory(dump()), withoutHistory(before));
    EXPECT_EQ(one("SELECT count(*) FROM SAccount WHERE AName='钱包'"), "1");
}

TEST_F(Accounts, ARenameIsCarriedIntoEverySixteenColumnsOfTheBookOnly) {
    addAccount("钱包", "0");
    for (const std::string book : {"家庭账簿", "另一本"}) {
        for (const RenameTarget& t : renameTargets(NameKind::Account)) {
            const std::string table = t.table, column = t.column;
            insertRow(table, {{"BName", book}, {column, "钱包"}});
        }
    }
    ASSERT_TRUE(model.edit({idOf("钱包"), "钱包", "银行卡", "妈妈", "工行卡", "新"}).ok);
    for (const RenameTarget& t : renameTargets(NameKind::Account)) {
        const std::string table = t.table, column = t.column;
        EXPECT_EQ(one(fmt::format("SELECT count(*) FROM {} WHERE {}='工行卡' AND BName='家庭账簿'",
                                  table, column)),
                  "1")
            << table << "." << column;
        EXPECT_EQ(one(fmt::format("SELECT count(*) FROM {} WHERE {}='钱包' AND BName='另一本'",
                                  table, column)),
                  "1")
            << table << "." << column;
    }
    EXPECT_EQ(rows("SELECT theType, FName, AName, Remark, thePY FROM SAccount"),
              (Rows{{"银行卡", "妈妈", "工行卡", "新", "GHK"}}));
}

TEST_F(Accounts, ARenameToAnotherAccountsNameIsRefused) {
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "0", ""}).ok);
    ASSERT_TRUE(model.add({"银行卡", "爸爸", "工行", "0", ""}).ok);
    std::string before = dump();
    AccountCheck r = model.edit({idOf("钱包"), "钱包", "现金", "爸爸", "工行", ""});
    EXPECT_EQ(r.message, "账户名称添加重复！");
    EXPECT_EQ(dump(), before);
}

TEST_F(Accounts, DisabledAccountsStayListedButLeaveTheDropDowns) {
    ASSERT_TRUE(model.add({"现金", "爸爸", "钱包", "0", ""}).ok);
    model.setState(idOf("钱包"), "停用");
    Table t = model.list();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t.text(0, "状态"), "停用");
    EXPECT_TRUE(dm.ComAccount().empty());
}

class NameListScreens : public testing::BookTest {};

TEST_F(NameListScreens, DuplicatesAreRefusedPerBook) {
    NameListModel in(dm, incomeKinds());
    ASSERT_TRUE(in.add("工资", "").ok);
    EXPECT_EQ(in.add("工资", "").message, "收入类别添加重复！");
    EXPECT_EQ(in.add("", "").message, "收入类别不能为空！请重新录入！");
    session.CurrentBook = "另一本";
    EXPECT_TRUE(in.add("工资", "").ok);
    NameListModel contacts(dm, contactsList());
    EXPECT_EQ(contacts.add("", "").message, "往来人员不能为空！请重新录入！");
}

TEST_F(NameListScreens, RenamesMoveTheBooksRecordsAndPlans) {
    NameListModel in(dm, incomeKinds());
    ASSERT_TRUE(in.add("工资", "").ok);
    for (const char* book : {"家庭账簿", "另一本"}) {
        db.execute("INSERT INTO InTable(BName,IDate,IName) VALUES(?1,'2024-01-01','工资')", book);
        db.execute(
            "INSERT INTO UPlan(BName,PType,PDate,PName) VALUES(?1,'收入','2024-01-01','工资')",
            book);
    }
    std::int64_t id = std::stoll(in.list().text(0, "ID"));
    ASSERT_TRUE(in.edit(id, "工资", "薪水", "").ok);
    EXPECT_EQ(rows("SELECT BName, IName FROM InTable ORDER BY ID"),
              (Rows{{"家庭账簿", "薪水"}, {"另一本", "工资"}}));
    EXPECT_EQ(rows("SELECT BName, PName FROM UPlan ORDER BY ID"),
              (Rows{{"家庭账簿", "薪水"}, {"另一本", "工资"}}));
}

TEST_F(NameListScreens, ContactRenamesMoveDebtsAndCredits) {
    NameListModel contacts(dm, contactsList());
    ASSERT_TRUE(contacts.add("张三", "").ok);
    db.execute("INSERT INTO Debt(BName,DDate,DPro) VALUES('家庭账簿','2024-01-01','张三')");
    db.execute("INSERT INTO Borrow(BName,BDate,BPro) VALUES('家庭账簿','2024-01-01','张三')");
    std::int64_t id = std::stoll(contacts.list().text(0, "ID"));
    ASSERT_TRUE(contacts.edit(id, "张三", "张叁", "").ok);
    EXPECT_EQ(one("SELECT DPro FROM Debt"), "张叁");
    EXPECT_EQ(one("SELECT BPro FROM Borrow"), "张叁");
}

TEST_F(NameListScreens, ARemarkOnlyEditResetsThePinyinCode) {
    NameListModel out(dm, expenseKinds());
    ASSERT_TRUE(out.add("餐饮", "").ok);
    std::int64_t id = std::stoll(out.list().text(0, "ID"));
    ASSERT_TRUE(savePinyin(dm, "OutD", id, "fan").ok);
    EXPECT_EQ(one("SELECT thePY FROM OutD"), "fan");
    db.execute("INSERT INTO OutTable(BName,ODate,OName) VALUES('家庭账簿','2024-01-01','餐饮')");
    ASSERT_TRUE(out.edit(id, "餐饮", "餐饮", "吃饭").ok);
    EXPECT_EQ(rows("SELECT OName, thePY, Remark FROM OutD"), (Rows{{"餐饮", "CY", "吃饭"}}));
    EXPECT_EQ(one("SELECT OName FROM OutTable"), "餐饮");
}

TEST_F(NameListScreens, RenamingOntoAnExistingNameIsRefused) {
    NameListModel in(dm, incomeKinds());
    ASSERT_TRUE(in.add("工资", "").ok);
    ASSERT_TRUE(in.add("奖金", "").ok);
    db.execute("INSERT INTO InTable(BName,IDate,IName) VALUES('家庭账簿','2024-01-01','奖金')");
    Table t = in.list();
    std::int64_t bonus = std::stoll(t.text(1, "ID"));
    EXPECT_EQ(in.edit(bonus, "奖金", "工资", "").message, "收入类别添加重复！");
    EXPECT_EQ(one("SELECT IName FROM InTable"), "奖金");
}

TEST_F(NameListScreens, ADisabledNameIsMissingFromTheListsButKeptHere) {
    NameListModel t(dm, investmentKinds());
    ASSERT_TRUE(t.add("基金", "").ok);
    ASSERT_TRUE(t.add("股票", "").ok);
    t.setState(std::stoll(t.list().text(0, "ID")), "停用");
    EXPECT_EQ(dm.ComTZType(), std::vector<std::string>{"股票"});
    EXPECT_EQ(t.list().size(), 2u);
    EXPECT_EQ(t.list().text(0, "状态"), "停用");
}

class Family : public testing::BookTest {};

TEST_F(Family, ARenameLeavesAccountOwnersAndThresholdsAlone) {
    FamilyModel family(dm);
    ASSERT_TRUE(family.add({"爸爸", "父亲", "1980-01-01", ""}).ok);
    for (const RenameTarget& t : renameTargets(NameKind::Member)) {
        const std::string table = t.table;
        insertRow(table, {{"BName", "家庭账簿"}, {"FName", "爸爸"}});
    }
    db.execute("INSERT INTO SAccount(AName,BName,FName) VALUES('钱包','家庭账簿','爸爸')");
    db.execute("INSERT INTO UWarn(BName,theType,FName) VALUES('家庭账簿','支出','爸爸')");
    db.execute("INSERT INTO InTable(BName,IDate,FName) VALUES('另一本','2024-01-01','爸爸')");
    std::int64_t id = std::stoll(family.list().text(0, "ID"));
    ASSERT_TRUE(family.change(id, "爸爸", {"老爸", "父亲", "1979-05-05", "x"}).ok);
    for (const RenameTarget& t : renameTargets(NameKind::Member)) {
        const std::string table = t.table;
        EXPECT_EQ(one(fmt::format("SELECT count(*) FROM {} WHERE FName='老爸'", table)), "1")
            << table;
    }
    EXPECT_EQ(one("SELECT FName FROM SAccount"), "爸爸");
    EXPECT_EQ(one("SELECT FName FROM UWarn"), "爸爸");
    EXPECT_EQ(one("SELECT FName FROM InTable WHERE BName='另一本'"), "爸爸");
    EXPECT_EQ(rows("SELECT FName, thePY, BirDate, Remark FROM SFamily"),
              (Rows{{"老爸", "LB", "1979-05-05", "x"}}));
}

TEST_F(Family, DuplicatesAreRefusedOnAddAndOnRename) {
    FamilyModel family(dm);
    ASSERT_TRUE(family.add({"爸爸", "", "", ""}).ok);
    ASSERT_TRUE(family.add({"妈妈", "", "", ""}).ok);
    EXPECT_EQ(family.add({"爸爸", "", "", ""}).message, "姓名添加重复！");
    std::int64_t mum = std::stoll(family.list().text(1, "ID"));
    EXPECT_EQ(family.change(mum, "妈妈", {"爸爸", "", "", ""}).message, "姓名添加重复！");
    EXPECT_EQ(family.change(mum, "妈妈", {"", "", "", ""}).message, "姓名不能为空！请重新录入！");
}

class Editors : public testing::BookTest {};

TEST_F(Editors, UseCountsAreNumbersAndPinyinCodesAreKeptAsTyped) {
    addName("InD", "IName", "工资", "GZ");
    std::int64_t id = dm.myRetID("InD");
    ASSERT_TRUE(saveUseCount(dm, "InD", id, "007").ok);
    EXPECT_EQ(one("SELECT theCount FROM InD"), "7");
    EXPECT_EQ(saveUseCount(dm, "InD", id, "").message, "记账次数 不能为空！");
    EXPECT_EQ(saveUseCount(dm, "InD", id, "1a").message, "记账次数 只能是数字！");
    ASSERT_TRUE(savePinyin(dm, "InD", id, "gzsr").ok);
    EXPECT_EQ(one("SELECT thePY FROM InD"), "gzsr");
    EXPECT_EQ(dm.mySelectCom("GZS", "IName", "InD").value(), "工资");
    EXPECT_EQ(savePinyin(dm, "InD", id, "").message, "拼音码 不能为空！");
}

}  // namespace
}  // namespace fennory

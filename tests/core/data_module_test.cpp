#include <gtest/gtest.h>

#include "core/data_module.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;

class SharedOperations : public testing::BookTest {};

TEST_F(SharedOperations, MovingMoneyChangesOnlyTheOpenBooksAccount) {
    addAccount("现金", "100");
    addAccount("现金", "100", "另一本");
    dm.AccountUp(*Money::parse("25.5"), "现金");
    dm.AccountDown(*Money::parse("0.25"), "现金");
    EXPECT_EQ(dm.RetAMoney("现金").toPlain(), "125.25");
    session.CurrentBook = "另一本";
    EXPECT_EQ(dm.RetAMoney("现金").toPlain(), "100");
}

TEST_F(SharedOperations, BalanceOfAMissingAccountIsZero) {
    EXPECT_EQ(dm.RetAMoney("没有的账户"), Money());
}

TEST_F(SharedOperations, TheLogRecordsTheBalanceAfterTheMove) {
    addAccount("银行卡", "1000");
    dm.AccountUp(Money::yuan(200), "银行卡");
    dm.List_Add({.theDate = "2024-05-01",
                 .theType = "工资",
                 .Remark = "五月工资",
                 .theIn = Money::yuan(200),
                 .AName = "银行卡",
                 .FName = "爸爸",
                 .theT = "InTable",
                 .theID = 7,
                 .theE = LogEvent::Added});
    dm.AccountDown(Money::yuan(50), "银行卡");
    dm.List_Add({.theDate = "2024-05-02",
                 .theType = "餐饮",
                 .theOut = Money::yuan(50),
                 .AName = "银行卡",
                 .FName = "妈妈",
                 .theT = "OutTable",
                 .theID = 3,
                 .theE = LogEvent::Added});
    EXPECT_EQ(rows("SELECT theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,"
                   "theID,theE FROM UList ORDER BY ID"),
              (Rows{{"2024-05-01", "工资", "五月工资", "2000000", "0", "银行卡", "12000000", "爸爸",
                     "家庭账簿", "InTable", "7", "新增"},
                    {"2024-05-02", "餐饮", "", "0", "500000", "银行卡", "11500000", "妈妈",
                     "家庭账簿", "OutTable", "3", "新增"}}));
}

TEST_F(SharedOperations, ALogEntryForAMissingAccountRecordsBalanceZero) {
    dm.List_Add({.theDate = "2024-05-01",
                 .theType = "工资",
                 .theIn = Money::yuan(1),
                 .AName = "无此账户",
                 .theT = "InTable",
                 .theID = 1,
                 .theE = LogEvent::Added});
    EXPECT_EQ(one("SELECT AMoney FROM UList"), "0");
}

TEST_F(SharedOperations, AnOperationThatFailsHalfWayLeavesTheFileUnchanged) {
    addAccount("现金", "100");
    std::string before = dump();
    // The log insert fails after the balance has moved.
    db.executeScript(
        "CREATE TEMP TRIGGER fail_log BEFORE INSERT ON UList "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    EXPECT_THROW(
        {
            Transaction t(db);
            dm.myCountUp("SAccount", "AName", "现金");
            dm.AccountUp(Money::yuan(30), "现金");
            dm.List_Add({.theDate = "2024-05-01",
                         .theType = "工资",
                         .theIn = Money::yuan(30),
                         .AName = "现金",
                         .theT = "InTable",
                         .theID = 1,
                         .theE = LogEvent::Added});
            t.commit();
        },
        DbError);
    db.executeScript("DROP TRIGGER fail_log;");
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(dm.RetAMoney("现金"), Money::yuan(100));
}

TEST_F(SharedOperations, MonthlySumOfAMemberCountsOnlyThatMonthAndBook) {
    auto income = [&](const char* book, const char* date, const char* member, int amount) {
        db.execute(
            "INSERT INTO InTable(BName,IDate,IName,IMoney,AName,FName) "
            "VALUES(?1,?2,'工资',?3,'现金',?4)",
            book, date, Money::yuan(amount), member);
    };
    income("家庭账簿", "2024-05-01", "爸爸", 100);
    income("家庭账簿", "2024-05-31", "爸爸", 50);
    income("家庭账簿", "2024-06-01", "爸爸", 7);
    income("家庭账簿", "2024-05-10", "妈妈", 9);
    income("另一本", "2024-05-10", "爸爸", 11);
    EXPECT_EQ(dm.myRetMMoney("InTable", "爸爸", "IDate", "IMoney", "2024-05"), Money::yuan(150));
    EXPECT_EQ(dm.myRetMMoney("InTable", "儿子", "IDate", "IMoney", "2024-05"), Money());
    // Without a month: the current date's, read from the session's one clock
    // (not the start-up date, which a run past midnight keeps).
    session.StartupDate = "2024-05-31";
    session.clock = [] { return std::string("2024-06-01"); };
    EXPECT_EQ(dm.myRetMMoney("InTable", "爸爸", "IDate", "IMoney"), Money::yuan(7));
    EXPECT_EQ(session.startDay(), "2024-05-31");
    session.StartupDate.clear();
    EXPECT_EQ(session.startDay(), "2024-06-01");
}

TEST_F(SharedOperations, UseCountsRiseOnlyInTheOpenBook) {
    addName("InD", "IName", "工资", "GZ");
    addName("InD", "IName", "工资", "GZ", "启用", 0, "另一本");
    dm.myCountUp("InD", "IName", "工资");
    dm.myCountUp("InD", "IName", "工资");
    EXPECT_EQ(rows("SELECT BName, theCount FROM InD ORDER BY ID"),
              (Rows{{"家庭账簿", "2"}, {"另一本", "0"}}));
}

TEST_F(SharedOperations, StateSwitchesOneRow) {
    addName("OutD", "OName", "餐饮", "CY");
    std::int64_t id = dm.myRetID("OutD");
    dm.myState("OutD", "停用", id);
    EXPECT_EQ(one("SELECT theState FROM OutD"), "停用");
    dm.myState("OutD", "启用", id);
    EXPECT_EQ(one("SELECT theState FROM OutD"), "启用");
    EXPECT_THROW(dm.myState("OutD", "删除", id), std::invalid_argument);
}

TEST_F(SharedOperations, NewestIdIsTheHighestOfTheWholeTable) {
    EXPECT_EQ(dm.myRetID("InTable"), 0);
    addName("InD", "IName", "工资", "GZ", "启用", 0, "另一本");
    addName("InD", "IName", "奖金", "JJ");
    EXPECT_EQ(dm.myRetID("InD"), 2);
    EXPECT_EQ(dm.myRetID("InD"), db.lastInsertId());
}

TEST_F(SharedOperations, TableAndColumnNamesThatAreNotTheFilesAreRefused) {
    EXPECT_THROW(dm.myRetID("InD; DROP TABLE SBook"), std::invalid_argument);
    EXPECT_THROW(dm.myCountUp("InD", "IName=IName OR 1=1 --", "x"), std::invalid_argument);
    EXPECT_THROW(dm.myRetMMoney("InTable", "a", "IDate", "IMoney)--", "2024-05"),
                 std::invalid_argument);
    EXPECT_THROW(dm.mySelectCom("a", "IName", "OutD"), std::invalid_argument);
    EXPECT_EQ(one("SELECT count(*) FROM sqlite_master WHERE name='SBook'"), "1");
}

// ---- drop-down lists ----

class NameLists : public testing::BookTest {
protected:
    NameLists() {
        // Made in this order, with these use counts.
        addName("OutD", "OName", "餐饮", "CY", "启用", 5);
        addName("OutD", "OName", "交通", "JT", "启用", 1);
        addName("OutD", "OName", "日用", "RY", "启用", 9);
        addName("OutD", "OName", "旧类别", "JLB", "停用", 20);
        addName("OutD", "OName", "别本类别", "BBLB", "启用", 3, "另一本");
        addName("SFamily", "FName", "爸爸", "BB");
        addName("SFamily", "FName", "妈妈", "MM");
        addName("SFamily", "FName", "儿子", "EZ");
    }
    Names expenses(int code) {
        session.OpenBookState.thePX = code;
        return dm.ComOutType();
    }
    Names members(int code) {
        session.OpenBookState.thePX = code;
        return dm.ComFamily();
    }
};

TEST_F(NameLists, TheFiveOrderCodes) {
    EXPECT_EQ(expenses(1), (Names{"交通", "餐饮", "日用"}));
    EXPECT_EQ(expenses(2), (Names{"餐饮", "交通", "日用"}));  // in pinyin order
    EXPECT_EQ(expenses(3), (Names{"日用", "餐饮", "交通"}));
    EXPECT_EQ(expenses(4), (Names{"日用", "交通", "餐饮"}));
    EXPECT_EQ(expenses(5), (Names{"餐饮", "交通", "日用"}));
    EXPECT_EQ(expenses(0), expenses(5));
}

TEST_F(NameLists, MembersAreOrderedByNameOnlyForCodesTwoAndFour) {
    Names made = {"爸爸", "妈妈", "儿子"};
    EXPECT_EQ(members(1), made);
    EXPECT_EQ(members(3), made);
    EXPECT_EQ(members(5), made);
    Names byName = members(2);
    EXPECT_EQ(byName, (Names{"爸爸", "儿子", "妈妈"}));
    EXPECT_EQ(members(4), (Names{"妈妈", "儿子", "爸爸"}));
}

TEST_F(NameLists, DisabledNamesAreMissingButTheirRowsStay) {
    Names listed = expenses(5);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "旧类别"), 0);
    EXPECT_EQ(one("SELECT count(*) FROM OutD WHERE OName='旧类别'"), "1");
    EXPECT_FALSE(dm.mySelectCom("JLB", "OName", "OutD").has_value());
}

TEST_F(NameLists, EachListReadsItsOwnTable) {
    addName("InD", "IName", "工资", "GZ");
    addName("TD", "TName", "基金", "JJ");
    addName("PD", "PName", "张三", "ZS");
    addAccount("现金", "0");
    EXPECT_EQ(dm.ComInType(), Names{"工资"});
    EXPECT_EQ(dm.ComTZType(), Names{"基金"});
    EXPECT_EQ(dm.ComPType(), Names{"张三"});
    EXPECT_EQ(dm.ComAccount(), Names{"现金"});
    EXPECT_EQ(dm.DBComSAType(), (Names{"现金", "银行卡", "信用卡", "电子账户", "其它"}));
}

TEST_F(NameLists, BooksAreListedInTheOrderTheyWereMade) {
    db.execute("INSERT INTO SBook(BName) VALUES('甲')");
    db.execute("INSERT INTO SBook(BName) VALUES('乙')");
    EXPECT_EQ(dm.DBComSBook(), (Names{"甲", "乙"}));
}

TEST_F(NameLists, MovementKindsComeOnlyFromTheOpenBooksLog) {
    auto log = [&](const char* book, const char* type) {
        db.execute("INSERT INTO UList(theDate,theType,BName) VALUES('2024-01-01',?1,?2)", type,
                   book);
    };
    log("家庭账簿", "餐饮");
    log("家庭账簿", "开户");
    log("家庭账簿", "餐饮");
    log("私房钱", "秘密开销");
    EXPECT_EQ(dm.DBComSZType(), (Names{"开户", "餐饮"}));
}

// ---- type-ahead ----

TEST_F(NameLists, TypeAheadCompletesTheOneMatchingName) {
    EXPECT_EQ(dm.mySelectCom("餐", "OName", "OutD").value(), "餐饮");
    EXPECT_EQ(dm.mySelectCom("RY", "OName", "OutD").value(), "日用");
    EXPECT_EQ(dm.mySelectCom("ry", "OName", "OutD").value(), "日用");
    EXPECT_EQ(dm.mySelectCom("儿", "FName", "SFamily").value(), "儿子");
}

TEST_F(NameLists, TypeAheadLeavesTheTextWhenSeveralOrNoneMatch) {
    addAccount("AB", "0");
    addAccount("CA", "0");
    EXPECT_FALSE(dm.mySelectCom("A", "AName", "SAccount").has_value());
    EXPECT_EQ(dm.mySelectCom("AB", "AName", "SAccount").value(), "AB");
    EXPECT_FALSE(dm.mySelectCom("Z", "AName", "SAccount").has_value());
    EXPECT_FALSE(dm.mySelectCom("", "AName", "SAccount").has_value());
    // Another book's name is not offered.
    EXPECT_FALSE(dm.mySelectCom("BBLB", "OName", "OutD").has_value());
}

TEST_F(NameLists, TypeAheadTakesWildcardsLiterally) {
    addAccount("100%账户", "0");
    addAccount("a_b", "0");
    addAccount("axb", "0");
    EXPECT_EQ(dm.mySelectCom("%", "AName", "SAccount").value(), "100%账户");
    EXPECT_EQ(dm.mySelectCom("a_", "AName", "SAccount").value(), "a_b");
    EXPECT_FALSE(dm.mySelectCom("\\", "AName", "SAccount").has_value());
    addAccount("C:\\盘", "0");
    EXPECT_EQ(dm.mySelectCom("\\", "AName", "SAccount").value(), "C:\\盘");
    EXPECT_EQ(dm.mySelectCom("'", "AName", "SAccount"), std::nullopt);
}

}  // namespace
}  // namespace fennory

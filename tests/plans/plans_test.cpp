#include <gtest/gtest.h>

#include "plans/plans.h"
#include "support/test_data_file.h"

namespace fennory {
namespace {

// ---- the dates an entry's repetition gives ----

struct DatesCase {
    const char* what;
    RepeatRule rule;
    const char* start;
    const char* end;
    std::size_t count;
    const char* first;
    const char* last;
};

RepeatRule rule(Repeat r, int n = 0, int month = 1, int day = 20) {
    RepeatRule x;
    x.repeat = r;
    x.days = r == Repeat::EveryNDays ? n : 7;
    x.months = r == Repeat::EveryNMonths ? n : 3;
    x.month = month;
    x.day = day;
    return x;
}

class PlanDates : public ::testing::TestWithParam<DatesCase> {};

TEST_P(PlanDates, GiveTheOccurrencesOfTheRange) {
    const DatesCase& c = GetParam();
    std::vector<std::string> d = planDates(c.rule, c.start, c.end);
    ASSERT_EQ(d.size(), c.count) << c.what;
    EXPECT_EQ(d.front(), c.first) << c.what;
    EXPECT_EQ(d.back(), c.last) << c.what;
    EXPECT_TRUE(std::is_sorted(d.begin(), d.end())) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    EveryRule, PlanDates,
    ::testing::Values(DatesCase{"daily, January", rule(Repeat::Daily), "2024-01-01", "2024-01-31",
                                31, "2024-01-01", "2024-01-31"},
                      DatesCase{"daily over a leap day", rule(Repeat::Daily), "2024-02-28",
                                "2024-03-01", 3, "2024-02-28", "2024-03-01"},
                      DatesCase{"every 7 days, 91 days", rule(Repeat::EveryNDays, 7), "2024-01-01",
                                "2024-04-01", 14, "2024-01-08", "2024-04-08"},
                      DatesCase{"every 31 days, one day", rule(Repeat::EveryNDays, 31),
                                "2024-01-31", "2024-02-01", 1, "2024-03-02", "2024-03-02"},
                      DatesCase{"monthly, 60 days", rule(Repeat::Monthly), "2024-01-05",
                                "2024-03-05", 2, "2024-02-20", "2024-03-20"},
                      DatesCase{"monthly, 365 days", rule(Repeat::Monthly), "2024-03-01",
                                "2025-03-01", 12, "2024-04-20", "2025-03-20"},
                      DatesCase{"monthly, 366 days", rule(Repeat::Monthly), "2023-03-01",
                                "2024-03-01", 13, "2023-04-20", "2024-04-20"},
                      DatesCase{"monthly from a month's end into the next year",
                                rule(Repeat::Monthly, 0, 1, 28), "2024-11-30", "2025-01-31", 3,
                                "2024-12-28", "2025-02-28"},
                      DatesCase{"yearly, 1826 days", rule(Repeat::Yearly, 0, 1, 20), "2024-06-01",
                                "2029-06-01", 5, "2025-01-20", "2029-01-20"},
                      DatesCase{"yearly from a leap day", rule(Repeat::Yearly, 0, 2, 28),
                                "2024-02-29", "2025-03-01", 2, "2025-02-28", "2026-02-28"},
                      DatesCase{"every 3 months, 366 days", rule(Repeat::EveryNMonths, 3),
                                "2024-01-01", "2025-01-01", 4, "2024-04-20", "2025-01-20"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PlanDatesEdges, ARangeShorterThanTheRepetitionGivesNothingAndAnEmptyRangeNothing) {
    EXPECT_TRUE(planDates(rule(Repeat::EveryNMonths, 12), "2024-01-01", "2024-06-01").empty());
    EXPECT_TRUE(planDates(rule(Repeat::Daily), "2024-01-01", "2024-01-01").empty());
    EXPECT_TRUE(planDates(rule(Repeat::Daily), "2024-01-02", "2024-01-01").empty());
}

TEST(PlanDatesEdges, EveryThreeMonthsFallsOnTheThirdSixthNinthAndTwelfthMonth) {
    EXPECT_EQ(planDates(rule(Repeat::EveryNMonths, 3), "2024-01-01", "2025-01-01"),
              (std::vector<std::string>{"2024-04-20", "2024-07-20", "2024-10-20", "2025-01-20"}));
}

TEST(PlanDatesEdges, ChoosingARuleProposesItsEndDate) {
    EXPECT_EQ(proposedEnd(Repeat::Daily, "2024-01-31"), "2024-02-29");
    EXPECT_EQ(proposedEnd(Repeat::EveryNDays, "2024-01-15"), "2024-04-15");
    EXPECT_EQ(proposedEnd(Repeat::Monthly, "2024-02-29"), "2025-02-28");
    EXPECT_EQ(proposedEnd(Repeat::Yearly, "2024-06-01"), "2029-06-01");
    EXPECT_EQ(proposedEnd(Repeat::EveryNMonths, "2024-06-01"), "2025-06-01");
}

// ---- saving, executing, listing ----

class Plans : public testing::BookTest {
protected:
    Plans() : list(dm) {
        session.StartupDate = "2024-05-31";
        addAccount("现金", "1000");
        addName("SFamily", "FName", "爸爸", "bb");
    }

    PlanInput input(const char* kind, const char* amount = "100") {
        PlanInput in = newPlanInput(dm, *planKind(kind), "2024-05-01");
        in.name = std::string(kind) == "债务" || std::string(kind) == "债权" ? "老王" : "工资";
        in.amount = amount;
        in.account = "现金";
        in.member = "爸爸";
        in.remark = "计划";
        in.end = "2024-05-03";
        return in;
    }
    std::string balance() { return dm.RetAMoney("现金").toPlain(); }
    std::string plans(const std::string& where = "1") {
        return one("SELECT count(*) FROM UPlan WHERE " + where);
    }
    void listKind(const char* kind) {
        PlanFilter f = PlanListModel::initialFilter("2024-05-01");
        f.kind = planKind(kind);
        list.setFilter(f);
    }

    PlanListModel list;
};

TEST_F(Plans, ANewPlanStartsFromTheBookDefaultsAndTodayToAMonthOn) {
    session.OpenBookState.IName = "工资";
    session.OpenBookState.PName = "老王";
    session.OpenBookState.AName = "现金";
    PlanInput in = newPlanInput(dm, *planKind("收入"), "2024-01-31");
    EXPECT_EQ(in.name, "工资");
    EXPECT_EQ(in.account, "现金");
    EXPECT_EQ(in.start, "2024-01-31");
    EXPECT_EQ(in.end, "2024-02-29");
    EXPECT_EQ(newPlanInput(dm, *planKind("债权"), "2024-01-31").name, "老王");
}

TEST_F(Plans, ChecksRunInOrderAndStoreNothing) {
    const std::string before = dump();
    PlanInput in = input("收入", "");
    in.name.clear();
    in.account.clear();
    EXPECT_EQ(savePlans(dm, in).message, "请选择 收入类别！");
    in.name = "工资";
    EXPECT_EQ(savePlans(dm, in).message, "金额不能为空！请重新录入！");
    EXPECT_EQ(savePlans(dm, in).field, PlanField::Amount);
    in.amount = "1.2.3";
    EXPECT_EQ(savePlans(dm, in).message, "金额 必须是数字！请重新录入！");
    in.amount = "100";
    EXPECT_EQ(savePlans(dm, in).message, "请选择 账户名称！");
    in.account = "现金";
    in.member.clear();
    EXPECT_EQ(savePlans(dm, in).message, "请选择 家庭成员！");
    in.member = "爸爸";
    in.end = in.start;
    PlanCheck r = savePlans(dm, in);
    EXPECT_EQ(r.message, "结束日期 不能小于或等于 开始日期，请重新选择日期！");
    EXPECT_EQ(r.field, PlanField::End);
    PlanInput out = input("支出");
    out.name.clear();
    EXPECT_EQ(savePlans(dm, out).message, "请选择 支出类别！");
    EXPECT_EQ(dump(), before);
}

TEST_F(Plans, ABareZeroCountsAsNoAmountButDoubleZeroIsAZeroPlan) {
    for (const char* zero : {"0", "0.", ".0"}) {
        EXPECT_EQ(savePlans(dm, input("收入", zero)).message, "金额不能为空！请重新录入！") << zero;
    }
    ASSERT_TRUE(savePlans(dm, input("收入", "00")).ok);
    EXPECT_EQ(plans("PMoney=0"), "3");
}

TEST_F(Plans, InvestmentsAndLoansMayBeSavedWithoutAName) {
    for (const char* kind : {"投资", "债务", "债权"}) {
        PlanInput in = input(kind);
        in.name.clear();
        EXPECT_TRUE(savePlans(dm, in).ok) << kind;
    }
    EXPECT_EQ(plans("PName=''"), "9");
}

TEST_F(Plans, SavingStoresOneUnexecutedRowPerDate) {
    ASSERT_TRUE(savePlans(dm, input("支出", "12.5")).ok);
    EXPECT_EQ(
        rows("SELECT BName,PType,PDate,PName,PMoney,AName,FName,PState,Remark FROM UPlan "
             "ORDER BY ID"),
        (std::vector<std::vector<std::string>>{
            {"家庭账簿", "支出", "2024-05-01", "工资", "125000", "现金", "爸爸", "否", "计划"},
            {"家庭账簿", "支出", "2024-05-02", "工资", "125000", "现金", "爸爸", "否", "计划"},
            {"家庭账簿", "支出", "2024-05-03", "工资", "125000", "现金", "爸爸", "否", "计划"},
        }));
}

TEST_F(Plans, AFailureWhileSavingStoresNoneOfTheEntrysPlans) {
    db.execute(
        "CREATE TEMP TRIGGER refuse_third BEFORE INSERT ON UPlan WHEN NEW.PDate='2024-05-03' "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(savePlans(dm, input("收入")), std::exception);
    EXPECT_EQ(plans(), "0");
}

struct BookedKind {
    const char* kind;
    const char* recordQuery;  // the record booked, as text
    const char* balanceAfter;
    const char* logType;
    const char* in;
    const char* out;
    const char* table;
};

class ExecutingAPlan : public Plans, public ::testing::WithParamInterface<BookedKind> {};

TEST_P(ExecutingAPlan, BooksItsRecordBalanceAndLogEntryAndMarksItExecuted) {
    const BookedKind& k = GetParam();
    PlanInput in = input(k.kind, "100");
    in.end = "2024-05-02";
    ASSERT_TRUE(savePlans(dm, in).ok);
    const std::int64_t id = std::stoll(one("SELECT min(ID) FROM UPlan"));
    ASSERT_TRUE(executePlan(dm, id).ok);

    EXPECT_EQ(one(std::string(k.recordQuery)), "2024-05-01|100|现金|爸爸|计划");
    EXPECT_EQ(balance(), k.balanceAfter);
    EXPECT_EQ(rows("SELECT theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,theT,theID,"
                   "theE FROM UList"),
              (std::vector<std::vector<std::string>>{
                  {"2024-05-01", k.logType, "计划", k.in, k.out, "现金",
                   std::to_string(std::stoll(k.balanceAfter) * 10000), "爸爸", k.table,
                   one(std::string("SELECT max(ID) FROM ") + k.table), "新增"}}));
    EXPECT_EQ(one("SELECT PState FROM UPlan WHERE ID=" + std::to_string(id)), "是");
    EXPECT_EQ(plans("PState='否'"), "1");
    // Once executed it cannot be booked a second time.
    EXPECT_FALSE(executePlan(dm, id).ok);
    EXPECT_EQ(balance(), k.balanceAfter);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ExecutingAPlan,
    ::testing::Values(
        BookedKind{"收入",
                   "SELECT IDate||'|'||(IMoney/10000)||'|'||AName||'|'||FName||'|'||Remark FROM "
                   "InTable WHERE IName='工资'",
                   "1100", "工资", "1000000", "0", "InTable"},
        BookedKind{"支出",
                   "SELECT ODate||'|'||(OMoney/10000)||'|'||AName||'|'||FName||'|'||Remark FROM "
                   "OutTable WHERE OName='工资'",
                   "900", "工资", "0", "1000000", "OutTable"},
        BookedKind{"投资",
                   "SELECT TDate||'|'||(TMoney/10000)||'|'||AName||'|'||FName||'|'||Remark FROM "
                   "TTable WHERE TName='工资' AND RMoney=0",
                   "900", "工资", "0", "1000000", "TTable"},
        BookedKind{"债务",
                   "SELECT BDate||'|'||(BMoney/10000)||'|'||AName||'|'||FName||'|'||Remark FROM "
                   "Borrow WHERE BPro='老王' AND RMoney=0",
                   "1100", "债务", "1000000", "0", "Borrow"},
        BookedKind{"债权",
                   "SELECT DDate||'|'||(DMoney/10000)||'|'||AName||'|'||FName||'|'||Remark FROM "
                   "Debt WHERE DPro='老王' AND RMoney=0",
                   "900", "债权", "0", "1000000", "Debt"}),
    [](const auto& info) { return std::string(info.param.table); });

TEST_F(Plans, ExecutingTheListLeavesPlansAfterTheStartupDateListed) {
    PlanInput in = input("收入", "10");
    in.start = "2024-05-29";
    in.end = "2024-06-02";  // five days, two of them after 2024-05-31
    ASSERT_TRUE(savePlans(dm, in).ok);
    listKind("收入");
    ASSERT_EQ(list.count(), 5u);
    EXPECT_EQ(list.total()->toPlain(), "50");

    std::vector<std::size_t> progress;
    ExecutionResult r = list.executeListed("2024-05-31", [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 5u);
        progress.push_back(done);
    });
    EXPECT_TRUE(r.failure.empty());
    EXPECT_EQ(r.executed, 3u);
    EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(balance(), "1030");
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.text(PlanColumn::Date), "2024-06-01");
}

TEST_F(Plans, ExecutingStopsAtTheFirstPlanThatCannotBeBookedAndKeepsTheRestDue) {
    addAccount("银行卡", "0");
    PlanInput in = input("支出", "10");
    ASSERT_TRUE(savePlans(dm, in).ok);
    // The second plan's account was deleted after the plan was made.
    db.execute("UPDATE UPlan SET AName='银行卡' WHERE PDate='2024-05-02'");
    db.execute("DELETE FROM SAccount WHERE AName='银行卡'");
    listKind("支出");
    ExecutionResult r = list.executeListed("2024-05-31", {});
    EXPECT_EQ(r.executed, 1u);
    EXPECT_EQ(r.failure, "账户“银行卡”已不存在，2024-05-02 的计划没有执行！请先新增该账户。");
    EXPECT_EQ(balance(), "990");
    EXPECT_EQ(one("SELECT count(*) FROM OutTable"), "1");
    EXPECT_EQ(list.count(), 2u);  // the failed plan and the one after it stay due
}

TEST_F(Plans, AFailureOfTheDataFileLeavesThatPlanDueAndTheListReloaded) {
    ASSERT_TRUE(savePlans(dm, input("收入", "10")).ok);
    db.execute(
        "CREATE TEMP TRIGGER refuse BEFORE INSERT ON InTable WHEN NEW.IDate='2024-05-02' "
        "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    listKind("收入");
    EXPECT_THROW(list.executeListed("2024-05-31", {}), std::exception);
    EXPECT_EQ(balance(), "1010");
    EXPECT_EQ(plans("PState='否'"), "2");
    EXPECT_EQ(list.count(), 2u);
}

TEST_F(Plans, TheListShowsNothingBeforeTheFirstQueryAndThenOnlyTheKindAndCriteria) {
    ASSERT_TRUE(savePlans(dm, input("收入")).ok);
    ASSERT_TRUE(savePlans(dm, input("债务")).ok);
    list.refresh();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_FALSE(list.total());

    listKind("债务");
    EXPECT_EQ(list.count(), 3u);
    EXPECT_EQ(list.nameCaption(), "债权人");
    EXPECT_EQ(list.rows().columns[static_cast<std::size_t>(PlanColumn::Name)], "债权人");

    PlanFilter f = PlanListModel::initialFilter("2024-05-01");
    f.kind = planKind("收入");
    f.criteria.dates("2024-05-02", "2024-05-31").tick(Criterion::Remark, "计");
    list.setFilter(f);
    EXPECT_EQ(list.count(), 2u);
    f.criteria.tick(Criterion::Remark, "%");
    list.setFilter(f);
    EXPECT_EQ(list.count(), 0u);
}

TEST_F(Plans, DeleteAllAfterAnAccountFilterDeletesOnlyThatAccountsUnexecutedPlansOfTheKind) {
    addAccount("银行卡", "0");
    ASSERT_TRUE(savePlans(dm, input("收入")).ok);
    PlanInput bank = input("收入");
    bank.account = "银行卡";
    ASSERT_TRUE(savePlans(dm, bank).ok);
    PlanInput other = input("支出");
    other.account = "银行卡";
    ASSERT_TRUE(savePlans(dm, other).ok);
    // One of the bank's income plans was executed already and stays on record.
    ASSERT_TRUE(executePlan(dm, std::stoll(one("SELECT min(ID) FROM UPlan WHERE "
                                               "AName='银行卡' AND PType='收入'")))
                    .ok);

    PlanFilter f = PlanListModel::initialFilter("2024-05-01");
    f.criteria.tick(Criterion::Account, "银行卡");
    list.setFilter(f);
    EXPECT_EQ(list.count(), 2u);
    list.removeAllListed();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(plans("AName='银行卡' AND PType='收入'"), "1");  // the executed one
    EXPECT_EQ(plans("AName='银行卡' AND PType='支出'"), "3");
    EXPECT_EQ(plans("AName='现金'"), "3");
}

TEST_F(Plans, DeletingOnePlanLeavesTheOthers) {
    ASSERT_TRUE(savePlans(dm, input("收入")).ok);
    listKind("收入");
    list.remove(list.currentId());
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(plans(), "2");
}

TEST_F(Plans, APlanDatedOnTheStartupDateIsDueAndOneTheDayAfterIsNot) {
    PlanInput in = input("收入");
    in.start = "2024-05-31";
    in.end = "2024-06-01";
    ASSERT_TRUE(savePlans(dm, in).ok);
    EXPECT_TRUE(hasDuePlans(dm, "2024-05-31"));
    EXPECT_FALSE(hasDuePlans(dm, "2024-05-30"));

    list.setDue("2024-05-31");
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.text(PlanColumn::Date), "2024-05-31");
    EXPECT_EQ(list.nameCaption(), "计划名称");
    ASSERT_EQ(list.executeListed("2024-05-31", {}).executed, 1u);
    EXPECT_FALSE(hasDuePlans(dm, "2024-05-31"));
    EXPECT_EQ(list.count(), 0u);
}

TEST_F(Plans, TheDueListHoldsEveryKindNewestFirstAndOtherBooksStayOut) {
    ASSERT_TRUE(savePlans(dm, input("收入")).ok);
    ASSERT_TRUE(savePlans(dm, input("债权")).ok);
    db.execute(
        "INSERT INTO UPlan(BName,PType,PDate,PName,PMoney,AName,FName) "
        "VALUES('别的账簿','收入','2024-01-01','x',1,'现金','爸爸')");
    list.setDue("2024-05-31");
    ASSERT_EQ(list.count(), 6u);
    EXPECT_EQ(cellText(list.rows(), 0, PlanColumn::Date), "2024-05-03");
    EXPECT_EQ(cellText(list.rows(), 5, PlanColumn::Date), "2024-05-01");
    ASSERT_EQ(list.executeListed("2024-05-31", {}).executed, 6u);
    EXPECT_EQ(balance(), "1000");  // three incomes and three credits of 100
    EXPECT_EQ(plans("BName='别的账簿' AND PState='否'"), "1");
}

TEST_F(Plans, TheSheetListsThePlansWithTheirCountAndTotal) {
    ASSERT_TRUE(savePlans(dm, input("债权", "12.5")).ok);
    listKind("债权");
    Sheet s = list.sheet();
    auto cell = [&](int r, int c) { return s.cells().at({r, c}); };
    EXPECT_EQ(cell(0, 0).text, "家庭账簿-计划表");
    EXPECT_EQ(cell(1, 3).text, "债务人");
    EXPECT_EQ(cell(2, 0).number, 1.0);
    EXPECT_EQ(cell(2, 1).text, "债权");
    EXPECT_EQ(cell(2, 4).number, 12.5);
    EXPECT_EQ(cell(5, 0).text, "合计");
    EXPECT_EQ(cell(5, 1).number, 3.0);
    EXPECT_EQ(cell(5, 4).number, 37.5);
    EXPECT_EQ(s.columnWidths().at(7), 14);
    EXPECT_TRUE(s.styleAt(5, 7).border);
    EXPECT_EQ(s.styleAt(1, 3).halign, HAlign::Center);
}

}  // namespace
}  // namespace fennory

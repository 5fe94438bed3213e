#include "reports/ui/screens.h"

#include "reports/analysis.h"
#include "reports/ui/analysis_screen.h"
#include "reports/ui/fund_flow_screen.h"
#include "reports/ui/loan_statistics_screen.h"
#include "reports/ui/movement_query_screen.h"
#include "reports/ui/period_report_screen.h"
#include "reports/ui/record_query_screen.h"
#include "reports/ui/statistics_screen.h"

#include "core/ui/navigation.h"

namespace fennory::ui {

void installReportNavigation() {
    navigation().setFundFlow([](TfrmDM& dm, Prompter& prompter, Navigation::Opener opener,
                                QWidget* from, Criterion which, const std::string& name) {
        TfrmPage3::openWindow(dm, prompter, std::move(opener), from,
                              which == Criterion::Account ? FundFlowLog::forAccount(name)
                                                          : FundFlowLog::forMember(name));
    });
}

namespace {

// A report screen: the book, the prompter and the desktop that opens its exports.
template <class Screen>
Shell::ScreenFactory reportScreen() {
    return [](Shell& w) -> QWidget* { return new Screen(w.dm(), w.prompter(), desktopOpener()); };
}

}  // namespace

// The reports, queries and logs.
constexpr MenuRow kMenuRows[] = {
    {.id = "accountQuery", .menu = "报表中心【&R】", .order = 100, .caption = "账户查询 &X"},
    {.id = "reportMonth",
     .menu = "报表中心【&R】",
     .order = 200,
     .caption = "月报表 &M",
     .submenu = "收支报表 &F"},
    {.id = "reportYear",
     .menu = "报表中心【&R】",
     .order = 201,
     .caption = "年报表 &Y",
     .submenu = "收支报表 &F"},
    {.id = "statistics", .menu = "报表中心【&R】", .order = 202, .caption = "收支统计表 &R"},
    {.id = "analysisIncome",
     .menu = "报表中心【&R】",
     .order = 203,
     .caption = "收入分析 &I",
     .submenu = "收支分析 &E"},
    {.id = "analysisExpense",
     .menu = "报表中心【&R】",
     .order = 204,
     .caption = "支出分析 &Q",
     .submenu = "收支分析 &E"},
    {.id = "debtStatistics",
     .menu = "报表中心【&R】",
     .order = 205,
     .caption = "债务债权统计表 &Z"},
    {.id = "queryIncome", .menu = "报表中心【&R】", .order = 300, .caption = "收入查询 &I"},
    {.id = "queryExpense", .menu = "报表中心【&R】", .order = 301, .caption = "支出查询 &O"},
    {.id = "queryTransfer", .menu = "报表中心【&R】", .order = 400, .caption = "转账查询 &A"},
    {.id = "queryBorrow", .menu = "报表中心【&R】", .order = 500, .caption = "债务查询 &B"},
    {.id = "queryBorrowR", .menu = "报表中心【&R】", .order = 501, .caption = "还债记录查询 &H"},
    {.id = "queryDebt", .menu = "报表中心【&R】", .order = 502, .caption = "债权查询 &D"},
    {.id = "queryDebtR", .menu = "报表中心【&R】", .order = 503, .caption = "收债记录查询 &S"},
    {.id = "queryInvest", .menu = "报表中心【&R】", .order = 600, .caption = "投资查询 &T"},
    {.id = "queryInvestR", .menu = "报表中心【&R】", .order = 601, .caption = "收益记录查询 &Y"},
    {.id = "monthIncomeKind",
     .menu = "报表中心【&R】",
     .order = 700,
     .caption = "按收入类别 &T",
     .submenu = "收入月报表 &C"},
    {.id = "monthIncomeAccount",
     .menu = "报表中心【&R】",
     .order = 701,
     .caption = "按账户名称 &A",
     .submenu = "收入月报表 &C"},
    {.id = "monthIncomeMember",
     .menu = "报表中心【&R】",
     .order = 702,
     .caption = "按家庭成员 &F",
     .submenu = "收入月报表 &C"},
    {.id = "monthExpenseKind",
     .menu = "报表中心【&R】",
     .order = 703,
     .caption = "按支出类别 &T",
     .submenu = "支出月报表 &G"},
    {.id = "monthExpenseAccount",
     .menu = "报表中心【&R】",
     .order = 704,
     .caption = "按账户名称 &A",
     .submenu = "支出月报表 &G"},
    {.id = "monthExpenseMember",
     .menu = "报表中心【&R】",
     .order = 705,
     .caption = "按家庭成员 &F",
     .submenu = "支出月报表 &G"},
    {.id = "fundFlow", .menu = "报表中心【&R】", .order = 800, .caption = "资金流动日志 &L"},
};

void registerReportScreens(Shell& shell) {
    shell.addMenuRows(kMenuRows);
    installReportNavigation();
    registerScreens(shell, {
                               {"statistics", reportScreen<TfrmPage1>()},
                               {"reportMonth", reportScreen<TfrmSZ_M>()},
                               {"reportYear", reportScreen<TfrmSZ_Y>()},
                               {"debtStatistics", reportScreen<TfrmPage2>()},
                               {"queryBorrowR", reportScreen<TfrmBR_Q>()},
                               {"queryDebtR", reportScreen<TfrmDR_Q>()},
                               {"queryInvestR", reportScreen<TfrmTR_Q>()},
                               {"queryIncome", reportScreen<TfrmP_In>()},
                               {"queryExpense", reportScreen<TfrmP_Out>()},
                               {"queryTransfer", reportScreen<TfrmP_A>()},
                               {"queryBorrow", reportScreen<TfrmP_B>()},
                               {"queryDebt", reportScreen<TfrmP_D>()},
                               {"queryInvest", reportScreen<TfrmTZ_Qu>()},
                               {"accountQuery", reportScreen<TfrmA_Q>()},
                               {"analysisIncome", reportScreen<TfrmE_I>()},
                               {"analysisExpense", reportScreen<TfrmE_O>()},
                               {"fundFlow", reportScreen<TfrmPage3>()},
                           });
    for (const MonthGroupKind& k : monthGroupKinds()) {
        shell.registerDialog(
            k.id, [&k](Shell& w) { mySumReport(w.dm(), w.prompter(), k, desktopOpener()); });
    }
}

}  // namespace fennory::ui

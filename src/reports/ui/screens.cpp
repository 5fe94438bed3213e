#include "reports/ui/screens.h"

#include <QInputDialog>

#include "reports/analysis.h"
#include "reports/journal.h"
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
constexpr MenuRow kReportRows[] = {
    {.id = "accountQuery", .order = 100, .caption = "账户查询 &X"},
    {.id = "reportMonth", .order = 200, .caption = "月报表 &M", .submenu = "收支报表 &F"},
    {.id = "reportYear", .order = 201, .caption = "年报表 &Y", .submenu = "收支报表 &F"},
    {.id = "statistics", .order = 202, .caption = "收支统计表 &R"},
    {.id = "analysisIncome", .order = 203, .caption = "收入分析 &I", .submenu = "收支分析 &E"},
    {.id = "analysisExpense", .order = 204, .caption = "支出分析 &Q", .submenu = "收支分析 &E"},
    {.id = "debtStatistics", .order = 205, .caption = "债务债权统计表 &Z"},
    {.id = "queryIncome", .order = 300, .caption = "收入查询 &I"},
    {.id = "queryExpense", .order = 301, .caption = "支出查询 &O"},
    {.id = "queryTransfer", .order = 400, .caption = "转账查询 &A"},
    {.id = "queryBorrow", .order = 500, .caption = "债务查询 &B"},
    {.id = "queryBorrowR", .order = 501, .caption = "还债记录查询 &H"},
    {.id = "queryDebt", .order = 502, .caption = "债权查询 &D"},
    {.id = "queryDebtR", .order = 503, .caption = "收债记录查询 &S"},
    {.id = "queryInvest", .order = 600, .caption = "投资查询 &T"},
    {.id = "queryInvestR", .order = 601, .caption = "收益记录查询 &Y"},
    {.id = "fundFlow", .order = 800, .caption = "资金流动日志 &L"},
};

constexpr MenuRow kToolRows[] = {
    {.id = "exportJournal", .order = 300, .caption = "导出为记账文本 &J"},
};

// "导出为记账文本": the format asked, the journal written to the Export folder
// beside the data file, and the user told where.
void exportJournalDialog(Shell& w) {
    const QStringList formats{QStringLiteral("hledger / ledger（.journal）"),
                              QStringLiteral("beancount（.beancount）")};
    bool chosen = false;
    const QString format =
        QInputDialog::getItem(w.frame(), QStringLiteral("导出为记账文本"),
                              QStringLiteral("记账文本的格式："), formats, 0, false, &chosen);
    if (!chosen) {
        return;
    }
    const bool beancount = format == formats[1];
    TfrmDM& dm = w.dm();
    std::filesystem::path file = dm.session().dataFile().parent_path() / "Export";
    std::filesystem::create_directories(file);
    file /= dm.book() + "-记账文本-" + exportStamp() + (beancount ? ".beancount" : ".journal");
    try {
        const JournalSummary s =
            exportJournal(dm, file, beancount ? JournalFormat::Beancount : JournalFormat::Ledger,
                          dm.session().currentDate());
        w.prompter().info(QStringLiteral("已导出 %1 笔交易、%2 个账户到\n%3")
                              .arg(s.transactions)
                              .arg(s.accounts)
                              .arg(QString::fromStdString(file.string())));
    } catch (const JournalFileError& e) {
        w.prompter().warn(QString::fromStdString(e.what()));
    }
}

void registerReportScreens(Shell& shell) {
    shell.addMenuRows("报表中心【&R】", kReportRows);
    shell.addMenuRows("工具【&T】", kToolRows);
    shell.registerDialog("exportJournal", exportJournalDialog);
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
    // The month reports by group sit in their submenus, before the log.
    static const std::vector<MenuRow> monthRows = [] {
        std::vector<MenuRow> rows;
        for (const MonthGroupKind& k : monthGroupKinds()) {
            rows.push_back({.id = k.id,
                            .order = 700 + static_cast<int>(rows.size()),
                            .caption = k.menuCaption,
                            .submenu = k.submenu});
        }
        return rows;
    }();
    shell.addMenuRows("报表中心【&R】", monthRows);
    for (const MonthGroupKind& k : monthGroupKinds()) {
        shell.registerDialog(
            k.id, [&k](Shell& w) { mySumReport(w.dm(), w.prompter(), k, desktopOpener()); });
    }
}

}  // namespace fennory::ui

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

void registerReportScreens(Shell& shell) {
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

#include "reports/ui/screens.h"

#include "reports/analysis.h"
#include "reports/ui/analysis_screen.h"
#include "reports/ui/fund_flow_screen.h"
#include "reports/ui/record_query_screen.h"
#include "reports/ui/statistics_screens.h"

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

void registerReportScreens(Shell& shell) {
    installReportNavigation();
    shell.registerScreen("statistics", [](Shell& w) {
        return new TfrmPage1(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("reportMonth", [](Shell& w) {
        return new TfrmSZ_M(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen(
        "reportYear", [](Shell& w) { return new TfrmSZ_Y(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen("debtStatistics", [](Shell& w) {
        return new TfrmPage2(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("queryBorrowR", [](Shell& w) {
        return new TfrmBR_Q(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen(
        "queryDebtR", [](Shell& w) { return new TfrmDR_Q(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen("queryInvestR", [](Shell& w) {
        return new TfrmTR_Q(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("queryIncome", [](Shell& w) {
        return new TfrmP_In(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("queryExpense", [](Shell& w) {
        return new TfrmP_Out(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("queryTransfer", [](Shell& w) {
        return new TfrmP_A(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen(
        "queryBorrow", [](Shell& w) { return new TfrmP_B(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen(
        "queryDebt", [](Shell& w) { return new TfrmP_D(w.dm(), w.prompter(), desktopOpener()); });
    shell.registerScreen("queryInvest", [](Shell& w) {
        return new TfrmTZ_Qu(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("accountQuery", [](Shell& w) {
        return new TfrmA_Q(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("analysisIncome", [](Shell& w) {
        return new TfrmE_I(w.dm(), w.prompter(), desktopOpener());
    });
    shell.registerScreen("analysisExpense", [](Shell& w) {
        return new TfrmE_O(w.dm(), w.prompter(), desktopOpener());
    });
    for (const MonthGroupKind& k : monthGroupKinds()) {
        shell.registerDialog(
            k.id, [&k](Shell& w) { mySumReport(w.dm(), w.prompter(), k, desktopOpener()); });
    }
    shell.registerScreen(
        "fundFlow", [](Shell& w) { return new TfrmPage3(w.dm(), w.prompter(), desktopOpener()); });
}

}  // namespace fennory::ui

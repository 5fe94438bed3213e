#include "app/screens.h"

#include "bookkeeping/ui/entry_screen.h"
#include "bookkeeping/ui/investment_screen.h"
#include "bookkeeping/ui/loan_screen.h"
#include "bookkeeping/ui/transfer_screen.h"
#include "books/ui/book_screens.h"
#include "import/ui/bill_import_dialog.h"
#include "import/ui/import_dialog.h"
#include "plans/ui/plan_screens.h"
#include "plans/ui/sound.h"
#include "plans/ui/thresholds_screen.h"
#include "reference/ui/accounts_screen.h"
#include "reference/ui/family_screen.h"
#include "reference/ui/name_list_screen.h"
#include "reports/analysis.h"
#include "reports/ui/analysis_screen.h"
#include "reports/ui/fund_flow_screen.h"
#include "reports/ui/record_query_screen.h"
#include "reports/ui/statistics_screens.h"

namespace fennory::ui {

void registerScreens(TfrmMain& window) {
    window.registerScreen("income",
                          [](TfrmMain& w) { return new TfrmInTable(w.dm(), w.prompter()); });
    window.registerScreen("expense",
                          [](TfrmMain& w) { return new TfrmOutTable(w.dm(), w.prompter()); });
    window.registerScreen("transfer",
                          [](TfrmMain& w) { return new TfrmChangeT(w.dm(), w.prompter()); });
    window.registerScreen("borrow",
                          [](TfrmMain& w) { return new TfrmBorrow(w.dm(), w.prompter()); });
    window.registerScreen("debt", [](TfrmMain& w) { return new TfrmDebt(w.dm(), w.prompter()); });
    window.registerScreen("invest", [](TfrmMain& w) { return new TfrmTZ(w.dm(), w.prompter()); });
    window.registerScreen("warn", [](TfrmMain& w) { return new TfrmUWarn(w.dm(), w.prompter()); });
    window.registerDialog("planNew", [](TfrmMain& w) {
        TfrmPlan_New dialog(w.dm(), w.prompter(), &w);
        dialog.exec();
    });
    window.registerScreen("planView", [](TfrmMain& w) {
        return new TfrmPlan_V(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("planRun",
                          [](TfrmMain& w) { return new TfrmPlan_EX(w.dm(), w.prompter()); });
    window.registerDialog("planToday", [](TfrmMain& w) {
        TfrmPlan_Now dialog(w.dm(), w.prompter(), &w);
        dialog.exec();
        w.mySum();  // executed plans moved balances
    });
    window.registerDialog(
        "sound",
        [](TfrmMain& w) {
            TfrmSound dialog(w.dm().session().ExeFolder, w.prompter(), w.soundPlayers(),
                             mp3FileChooser(), &w);
            dialog.exec();
        },
        false);
    window.registerScreen("statistics", [](TfrmMain& w) {
        return new TfrmPage1(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("reportMonth", [](TfrmMain& w) {
        return new TfrmSZ_M(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("reportYear", [](TfrmMain& w) {
        return new TfrmSZ_Y(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("debtStatistics", [](TfrmMain& w) {
        return new TfrmPage2(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryBorrowR", [](TfrmMain& w) {
        return new TfrmBR_Q(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryDebtR", [](TfrmMain& w) {
        return new TfrmDR_Q(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryInvestR", [](TfrmMain& w) {
        return new TfrmTR_Q(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryIncome", [](TfrmMain& w) {
        return new TfrmP_In(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryExpense", [](TfrmMain& w) {
        return new TfrmP_Out(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryTransfer", [](TfrmMain& w) {
        return new TfrmP_A(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryBorrow", [](TfrmMain& w) {
        return new TfrmP_B(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryDebt", [](TfrmMain& w) {
        return new TfrmP_D(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("queryInvest", [](TfrmMain& w) {
        return new TfrmTZ_Qu(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("accountQuery", [](TfrmMain& w) {
        return new TfrmA_Q(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("analysisIncome", [](TfrmMain& w) {
        return new TfrmE_I(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("analysisExpense", [](TfrmMain& w) {
        return new TfrmE_O(w.dm(), w.prompter(), desktopOpener());
    });
    for (const MonthGroupKind& k : monthGroupKinds()) {
        window.registerDialog(
            k.id, [&k](TfrmMain& w) { mySumReport(w.dm(), w.prompter(), k, desktopOpener()); });
    }
    // The imports: modal, and the totals read again after them.
    const std::pair<const char*, const ImportKind& (*)()> imports[] = {
        {"importIncome", incomeImport},     {"importExpense", expenseImport},
        {"importTransfer", transferImport}, {"importBorrow", debtImport},
        {"importDebt", creditImport},       {"importInvest", investmentImport}};
    for (const auto& [id, kind] : imports) {
        window.registerDialog(id, [kind](TfrmMain& w) {
            ImportDialog dialog(w.dm(), w.prompter(), kind(), excelFileChooser(), &w);
            dialog.exec();
            w.mySum();
        });
    }
    // The books and the preferences; some end the program after saving.
    window.registerScreen("bookManage", [](TfrmMain& w) {
        return new TfrmB_Manage(w.dm(), w.prompter(), [&w] { w.endProgram(); });
    });
    window.registerDialog("changePass", [](TfrmMain& w) {
        TfrmChangePass dialog(w.dm(), w.prompter(), &w);
        if (dialog.exec() == QDialog::Accepted) {
            w.endProgram();
        }
    });
    window.registerDialog("backup", [](TfrmMain& w) {
        TfrmBackup dialog(w.dm(), w.prompter(), backupFolderChooser(), &w);
        dialog.exec();
    });
    window.registerDialog("restore", [](TfrmMain& w) {
        bool restored = false;
        TfrmRecover dialog(
            w.dm(), w.prompter(), [&restored] { restored = true; }, backupFileChooser(), &w);
        dialog.exec();
        if (restored) {
            w.afterRestore();
        }
    });
    window.registerDialog("defaults", [](TfrmMain& w) {
        TfrmMRX dialog(w.dm(), w.prompter(), &w);
        dialog.exec();
    });
    window.registerDialog("sortOrder", [](TfrmMain& w) {
        TfrmSZ_PX dialog(
            w.dm(), w.prompter(), [&w] { w.endProgram(); }, &w);
        dialog.exec();
    });
    window.registerDialog("edition", [](TfrmMain& w) {
        TfrmSBasc dialog(
            w.dm(), w.prompter(), [&w] { w.endProgram(); }, &w);
        dialog.exec();
    });
    window.registerDialog("importBills", [](TfrmMain& w) {
        BillImportDialog dialog(w.dm(), w.prompter(), billFileChooser(), &w);
        dialog.exec();
        w.mySum();
    });
    window.registerScreen("fundFlow", [](TfrmMain& w) {
        return new TfrmPage3(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("accounts", [](TfrmMain& w) {
        return new TfrmA_Manage(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("family", [](TfrmMain& w) {
        return new TfrmFamily(w.dm(), w.prompter(), desktopOpener());
    });
    window.registerScreen("incomeKinds",
                          [](TfrmMain& w) { return new TfrmIn_Manage(w.dm(), w.prompter()); });
    window.registerScreen("expenseKinds",
                          [](TfrmMain& w) { return new TfrmOut_Manage(w.dm(), w.prompter()); });
    window.registerScreen("investKinds",
                          [](TfrmMain& w) { return new TfrmT_Manage(w.dm(), w.prompter()); });
    window.registerScreen("contacts",
                          [](TfrmMain& w) { return new TfrmP_Manage(w.dm(), w.prompter()); });
}

}  // namespace fennory::ui

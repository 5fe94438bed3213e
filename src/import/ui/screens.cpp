#include "import/ui/screens.h"

#include "import/ui/bill_import_dialog.h"
#include "import/ui/import_dialog.h"

namespace fennory::ui {

void registerImportScreens(Shell& shell) {
    // The imports: modal, and the totals read again after them.
    const std::pair<const char*, const ImportKind& (*)()> imports[] = {
        {"importIncome", incomeImport},     {"importExpense", expenseImport},
        {"importTransfer", transferImport}, {"importBorrow", debtImport},
        {"importDebt", creditImport},       {"importInvest", investmentImport}};
    for (const auto& [id, kind] : imports) {
        shell.registerDialog(id, [kind](Shell& w) {
            ImportDialog dialog(w.dm(), w.prompter(), kind(), excelFileChooser(), w.frame());
            dialog.exec();
            w.balancesMoved();
        });
    }
    shell.registerDialog("importBills", [](Shell& w) {
        BillImportDialog dialog(w.dm(), w.prompter(), billFileChooser(), w.frame());
        dialog.exec();
        w.balancesMoved();
    });
}

}  // namespace fennory::ui

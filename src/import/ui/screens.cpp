#include "import/ui/screens.h"

#include "import/ui/bill_import_dialog.h"
#include "import/ui/import_dialog.h"

namespace fennory::ui {

// The imports.
constexpr MenuRow kImportRows[] = {
    {.id = "importIncome", .order = 100, .caption = "收入导入 &I"},
    {.id = "importExpense", .order = 101, .caption = "支出导入 &O"},
    {.id = "importTransfer", .order = 200, .caption = "账户转账导入 &A"},
    {.id = "importBorrow", .order = 300, .caption = "债务导入 &B"},
    {.id = "importDebt", .order = 301, .caption = "债权导入 &D"},
    {.id = "importInvest", .order = 400, .caption = "投资导入 &T"},
    {.id = "importBills", .order = 500, .caption = "账单导入（支付宝/微信/银行） &Z"},
};

void registerImportScreens(Shell& shell) {
    shell.addMenuRows("导入【&D】", kImportRows);
    // The imports: modal, and the totals read again after them.
    const std::pair<const char*, const ImportKind& (*)()> imports[] = {
        {"importIncome", incomeImport},     {"importExpense", expenseImport},
        {"importTransfer", transferImport}, {"importBorrow", debtImport},
        {"importDebt", creditImport},       {"importInvest", investmentImport}};
    for (const auto& [id, kind] : imports) {
        shell.registerDialog(id, thenBalancesMoved(modalOf<ImportDialog>(
                                     [kind](Shell&) -> const ImportKind& { return kind(); },
                                     given(excelFileChooser()))));
    }
    shell.registerDialog("importBills",
                         thenBalancesMoved(modalOf<BillImportDialog>(given(billFileChooser()))));
}

}  // namespace fennory::ui

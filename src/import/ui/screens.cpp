#include "import/ui/screens.h"

#include "import/ui/bill_import_dialog.h"
#include "import/ui/import_dialog.h"

namespace fennory::ui {

// The imports.
constexpr MenuRow kMenuRows[] = {
    {.id = "importIncome", .menu = "导入【&D】", .order = 100, .caption = "收入导入 &I"},
    {.id = "importExpense", .menu = "导入【&D】", .order = 101, .caption = "支出导入 &O"},
    {.id = "importTransfer", .menu = "导入【&D】", .order = 200, .caption = "账户转账导入 &A"},
    {.id = "importBorrow", .menu = "导入【&D】", .order = 300, .caption = "债务导入 &B"},
    {.id = "importDebt", .menu = "导入【&D】", .order = 301, .caption = "债权导入 &D"},
    {.id = "importInvest", .menu = "导入【&D】", .order = 400, .caption = "投资导入 &T"},
    {.id = "importBills",
     .menu = "导入【&D】",
     .order = 500,
     .caption = "账单导入（支付宝/微信/银行） &Z"},
};

void registerImportScreens(Shell& shell) {
    shell.addMenuRows(kMenuRows);
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

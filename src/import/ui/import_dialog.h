#pragma once
// The import dialogs TfrmD_In, TfrmD_Out, TfrmD_A, TfrmD_B, TfrmD_D and
// TfrmD_T: one dialog given an ImportKind.

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <functional>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"
#include "import/record_import.h"

namespace fennory::ui {

// Asks for the workbook to open; "" when the user gave up. Tests answer it themselves.
using WorkbookChooser = std::function<QString(QWidget* parent)>;
WorkbookChooser excelFileChooser();

class ImportDialog : public QDialog {
    Q_OBJECT
public:
    ImportDialog(TfrmDM& dm, Prompter& prompter, const ImportKind& kind,
                 WorkbookChooser chooser = excelFileChooser(), QWidget* parent = nullptr);

    void onOpen();
    void onImport();

private:
    TfrmDM& dm_;
    Prompter& prompter_;
    const ImportKind& kind_;
    WorkbookChooser chooser_;
    SheetData sheet_;
    QLabel* hint_;
    QPushButton* open_;
    QGroupBox* sheetGroup_;
    RecordGrid* grid_;
    QPushButton* import_;
    QProgressBar* progress_;
};

#define FENNORY_IMPORT_DIALOG(Name, kindFn)                                       \
    class Name : public ImportDialog {                                            \
    public:                                                                       \
        Name(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr)           \
            : ImportDialog(dm, prompter, kindFn(), excelFileChooser(), parent) {} \
    };
FENNORY_IMPORT_DIALOG(TfrmD_In, incomeImport)
FENNORY_IMPORT_DIALOG(TfrmD_Out, expenseImport)
FENNORY_IMPORT_DIALOG(TfrmD_A, transferImport)
FENNORY_IMPORT_DIALOG(TfrmD_B, debtImport)
FENNORY_IMPORT_DIALOG(TfrmD_D, creditImport)
FENNORY_IMPORT_DIALOG(TfrmD_T, investmentImport)
#undef FENNORY_IMPORT_DIALOG

}  // namespace fennory::ui

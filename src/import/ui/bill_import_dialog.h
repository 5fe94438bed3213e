#pragma once
// "账单导入（支付宝/微信/银行）": a bill opened, every row shown with what it
// will become and where it goes, the names changeable, then booked at once.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <array>
#include <functional>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "import/bills.h"

namespace fennory::ui {

// Asks for the bill to open; "" when the user gave up. Tests answer it themselves.
using BillChooser = std::function<QString(QWidget* parent)>;
BillChooser billFileChooser();
// Asks the year of a statement's dates written without one; 0 when the user
// gives up.
using YearAsker = std::function<int(QWidget* parent)>;
YearAsker billYearAsker();

// The columns of the preview.
enum class BillColumn { Date, Direction, Amount, Remark, Category, Account, Member, Fate };

class BillImportDialog : public QDialog {
    Q_OBJECT
public:
    BillImportDialog(TfrmDM& dm, Prompter& prompter, BillChooser chooser = billFileChooser(),
                     QWidget* parent = nullptr);

    const Bill& bill() const { return bill_; }
    void setYearAsker(YearAsker ask) { askYear_ = std::move(ask); }

    void onOpen();
    void onImport();
    // A name of a row as the user changes it in the grid.
    void setName(int row, BillColumn column, const QString& name);
    // A row left out, put back or booked as the user decides.
    void setFate(int row, BillFate fate);

private:
    void setUpGrid();
    void showRead(const BillRead& read);
    void fill();
    void showTotals();

    TfrmDM& dm_;
    Prompter& prompter_;
    BillChooser chooser_;
    YearAsker askYear_ = billYearAsker();
    BillImport import_model_;
    Bill bill_;
    QPushButton* open_;
    QLabel* file_;
    QComboBox* member_;
    QTableWidget* grid_;
    QLabel* totals_;
    QProgressBar* progress_;
    QPushButton* import_;
    QPushButton* mappings_;
    QPushButton* layouts_;
    bool filling_ = false;
};

// What the book has learned from bills, to review, change or forget.
class BillMappingsDialog : public QDialog {
    Q_OBJECT
public:
    BillMappingsDialog(TfrmDM& dm, Prompter& prompter, QWidget* parent = nullptr);

private:
    void reload();
    TfrmDM& dm_;
    Prompter& prompter_;
    std::vector<BillMapping> rows_;
    QTableWidget* grid_;
};

}  // namespace fennory::ui

#include "import/ui/bill_import_dialog.h"
#include "core/field_limits.h"
#include "import/ui/bank_layout_dialogs.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/record_types.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
namespace {

bool bookable(const BillRow& r) {
    return r.fate == BillFate::Import || r.fate == BillFate::Refund;
}

// The category, account and member of a row are picked or typed in place.
class NameDelegate : public QStyledItemDelegate {
public:
    NameDelegate(BillImportDialog* dialog, BillImport& model)
        : QStyledItemDelegate(dialog), dialog_(dialog), model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        const auto column = static_cast<BillColumn>(index.column());
        const BillRow& r = dialog_->bill().rows.at(static_cast<std::size_t>(index.row()));
        if (column == BillColumn::Fate) {
            auto* fates = new QComboBox(parent);
            for (BillFate f : fateChoices(r)) {
                fates->addItem(QString::fromUtf8(fateCaption(f)), static_cast<int>(f));
            }
            // A choice takes effect at once, picked by mouse or by the arrow keys.
            auto* self = const_cast<NameDelegate*>(this);  // Qt's signals are not const
            connect(fates, &QComboBox::activated, self, [self, fates] {
                emit self->commitData(fates);
                emit self->closeEditor(fates);
            });
            return fates;
        }
        auto* names = new NameCombo(parent, limits::kName);
        names->setNames(column == BillColumn::Category  ? model_.categories(r.isIncome())
                        : column == BillColumn::Account ? model_.accounts()
                                                        : model_.members());
        return names;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* fates = qobject_cast<QComboBox*>(editor);
            fates && static_cast<BillColumn>(index.column()) == BillColumn::Fate) {
            fates->setCurrentText(index.data().toString());
            return;
        }
        static_cast<NameCombo*>(editor)->setName(index.data().toString().toStdString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (static_cast<BillColumn>(index.column()) == BillColumn::Fate) {
            const auto* fates = static_cast<QComboBox*>(editor);
            dialog_->setFate(index.row(), static_cast<BillFate>(fates->currentData().toInt()));
            return;
        }
        dialog_->setName(index.row(), static_cast<BillColumn>(index.column()),
                         QString::fromStdString(static_cast<NameCombo*>(editor)->name()));
    }

private:
    BillImportDialog* dialog_;
    BillImport& model_;
};

QString moneyText(Money m) {
    return qs(m.toDisplay());
}

}  // namespace

BillChooser billFileChooser() {
    return [](QWidget* parent) {
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("打开账单"), QString(),
            QStringLiteral("账单 (*.csv *.xlsx *.xls);;所有文件 (*)"));
    };
}

YearAsker billYearAsker() {
    return [](QWidget* parent) {
        bool ok = false;
        const int year = QInputDialog::getInt(
            parent, QStringLiteral("账单年份"),
            QStringLiteral("账单的日期没有写年份，也没有写明账单期间。\n这些日期是哪一年的？"),
            QDate::currentDate().year(), 1990, 2200, 1, &ok);
        return ok ? year : 0;
    };
}

BillImportDialog::BillImportDialog(TfrmDM& dm, Prompter& prompter, BillChooser chooser,
                                   QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      chooser_(std::move(chooser)),
      import_model_(dm),
      open_(withName("openButton", new QPushButton(QStringLiteral("打开账单")))),
      file_(new QLabel(
          QStringLiteral("支付宝、微信支付导出的账单（CSV 或 Excel），或银行的对账单。"))),
      member_(withName("memberList", new QComboBox)),
      grid_(withName("grid", new QTableWidget)),
      totals_(withName("totalsLabel", new QLabel)),
      progress_(new QProgressBar),
      import_(withName("importButton", new QPushButton(QStringLiteral("导入")))),
      mappings_(withName("mappingsButton", new QPushButton(QStringLiteral("对应设置")))),
      layouts_(withName("layoutsButton", new QPushButton(QStringLiteral("对账单格式")))) {
    setWindowTitle(QStringLiteral("账单导入（支付宝/微信/银行）"));
    fillNames(member_, dm.ComFamily(), dm.session().OpenBookState.FName);
    if (member_->currentIndex() < 0 && member_->count() > 0) {
        member_->setCurrentIndex(0);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(open_);
    top->addWidget(file_, 1);
    top->addWidget(new QLabel(QStringLiteral("家庭成员：")));
    top->addWidget(member_);

    setUpGrid();

    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addStretch(1);
    buttons->addWidget(layouts_);
    buttons->addWidget(mappings_);
    buttons->addWidget(import_);
    buttons->addWidget(exit);
    auto* hint = new QLabel(QStringLiteral(
        "双击类别、账户或家庭成员可以修改；修改过的对应关系会记住，下次导入时自动使用。"
        "双击去向可以不导入某一行，或把它放回。"
        "退款记为负数的支出，冲减原来的支出类别；原付款没有记账的退款不导入。"));
    hint->setWordWrap(true);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(grid_, 1);
    outer->addWidget(totals_);
    outer->addWidget(hint);
    outer->addLayout(buttons);
    progress_->setVisible(false);
    import_->setEnabled(false);
    resize(980, 600);

    connect(open_, &QPushButton::clicked, this, guarded(this, &BillImportDialog::onOpen));
    connect(import_, &QPushButton::clicked, this, guarded(this, &BillImportDialog::onImport));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(layouts_, &QPushButton::clicked, this, guarded([this] {
                BankLayoutsDialog d(dm_.db(), prompter_, this);
                d.exec();
            }));
    connect(mappings_, &QPushButton::clicked, this, guarded([this] {
                BillMappingsDialog d(dm_, prompter_, this);
                d.exec();
            }));
    connect(member_, &QComboBox::currentTextChanged, this, guarded([this](const QString& m) {
                for (BillRow& r : bill_.rows) {
                    r.member = m.toStdString();
                }
                fill();
            }));
}

void BillImportDialog::setUpGrid() {
    const char* headings[8] = {"日期", "收/支", "金额", "备注", "类别", "账户", "家庭成员", "去向"};
    grid_->setColumnCount(8);
    for (int c = 0; c < 8; ++c) {
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(headings[c])));
    }
    grid_->setItemDelegate(new NameDelegate(this, import_model_));
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->setColumnWidth(static_cast<int>(BillColumn::Remark), 220);
    grid_->setColumnWidth(static_cast<int>(BillColumn::Fate), 150);
}

void BillImportDialog::onOpen() {
    const QString file = chooser_ ? chooser_(this) : QString();
    if (file.isEmpty()) {
        return;
    }
    const std::string path = file.toStdString();
    std::vector<BankLayout> layouts = savedLayouts(dm_.db());
    int year = 0;
    // A statement whose dates lack a year is read again with the year asked, once.
    auto readWith = [&](const std::vector<BankLayout>& known) {
        BillRead read = readBill(path, known, year);
        if (read.needsYear && year == 0 && askYear_) {
            year = askYear_(this);
            if (year != 0) {
                read = readBill(path, known, year);
            }
        }
        return read;
    };
    BillRead read = readWith(layouts);
    if (read.needsLayout) {
        prompter_.info(qs(read.check.message));
        BankLayoutDialog layout(read.header, prompter_, this);
        if (layout.exec() != QDialog::Accepted) {
            return;
        }
        // Kept only once it has read the file: a wrong choice is not reused.
        layouts.push_back(layout.layout());
        read = readWith(layouts);
        if (!read.check.ok) {
            prompter_.warn(qs(read.check.message) + QStringLiteral("\n这种账单的各列没有保存。"));
            return;
        }
        saveLayout(dm_.db(), layouts.back());
    }
    if (!read.check.ok) {
        prompter_.warn(qs(read.check.message));
        return;
    }
    file_->setText(QFileInfo(file).fileName() + QStringLiteral("（") + qs(read.bill.source) +
                   QStringLiteral("）"));
    showRead(read);
}

void BillImportDialog::showRead(const BillRead& read) {
    bill_ = read.bill;
    import_model_.prepare(bill_, member_->currentText().toStdString());
    fill();
}

void BillImportDialog::fill() {
    filling_ = true;
    grid_->setRowCount(static_cast<int>(bill_.rows.size()));
    for (int i = 0; i < grid_->rowCount(); ++i) {
        const BillRow& r = bill_.rows[static_cast<std::size_t>(i)];
        const QString cells[8] = {
            qs(r.date),
            r.preparedFate == BillFate::Refund || r.preparedFate == BillFate::RefundOfUnbooked
                ? QStringLiteral("退款")
            : r.direction == BillDirection::Income  ? QStringLiteral("收入")
            : r.direction == BillDirection::Expense ? QStringLiteral("支出")
                                                    : QStringLiteral("不计收支"),
            moneyText(r.amount),
            qs(r.remark()),
            qs(r.bookCategory),
            qs(r.account),
            qs(r.member),
            QString::fromUtf8(fateCaption(r.fate))};
        for (int c = 0; c < 8; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            const bool editable =
                (bookable(r) && c >= static_cast<int>(BillColumn::Category) &&
                 c <= static_cast<int>(BillColumn::Member)) ||
                (c == static_cast<int>(BillColumn::Fate) && fateChoices(r).size() > 1);
            item->setFlags(editable ? item->flags() | Qt::ItemIsEditable
                                    : item->flags() & ~Qt::ItemIsEditable);
            if (c == static_cast<int>(BillColumn::Amount)) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            if (!bookable(r)) {
                item->setForeground(QColor(128, 128, 128));
            }
            grid_->setItem(i, c, item);
        }
    }
    filling_ = false;
    showTotals();
}

void BillImportDialog::showTotals() {
    totals_->setText(qs(describeTotals(import_model_.totals(bill_))));
    const bool any = std::any_of(bill_.rows.begin(), bill_.rows.end(), bookable);
    import_->setEnabled(any);
}

void BillImportDialog::setFate(int row, BillFate fate) {
    if (row < 0 || static_cast<std::size_t>(row) >= bill_.rows.size()) {
        return;
    }
    if (chooseFate(bill_.rows[static_cast<std::size_t>(row)], fate)) {
        fill();
        grid_->selectRow(row);
    }
}

void BillImportDialog::setName(int row, BillColumn column, const QString& name) {
    if (filling_ || row < 0 || static_cast<std::size_t>(row) >= bill_.rows.size()) {
        return;
    }
    BillRow& r = bill_.rows[static_cast<std::size_t>(row)];
    std::string& target = column == BillColumn::Category  ? r.bookCategory
                          : column == BillColumn::Account ? r.account
                                                          : r.member;
    target = name.toStdString();
    if (column == BillColumn::Category) {
        r.categoryInferred = false;  // the user's own choice, to be learned
    }
    grid_->item(row, static_cast<int>(column))->setText(name);
}

void BillImportDialog::onImport() {
    const std::size_t count =
        static_cast<std::size_t>(std::count_if(bill_.rows.begin(), bill_.rows.end(), bookable));
    progress_->setVisible(count > 300);
    progress_->setRange(0, static_cast<int>(count));
    std::size_t booked = 0;
    try {
        booked = import_model_.book(bill_, [this](std::size_t done, std::size_t) {
            if (done % 100 == 0) {
                progress_->setValue(static_cast<int>(done));
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        });
    } catch (const RecordRefused& e) {
        progress_->setVisible(false);
        prompter_.warn(QString::fromStdString(e.what()) + QStringLiteral("\n账单没有导入。"));
        return;
    } catch (const std::exception& e) {
        progress_->setVisible(false);
        prompter_.warn(qs(userMessage(e)) + QStringLiteral("\n账单没有导入。"));
        return;
    }
    prompter_.info(QStringLiteral("账单导入成功！共导入 %1 笔。").arg(booked));
    accept();
}

// ---- what the book has learned ----

BillMappingsDialog::BillMappingsDialog(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent), dm_(dm), prompter_(prompter), grid_(withName("grid", new QTableWidget)) {
    setWindowTitle(QStringLiteral("账单对应设置"));
    grid_->setColumnCount(4);
    const char* headings[4] = {"对应", "账单来源", "账单里写的", "记为"};
    for (int c = 0; c < 4; ++c) {
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(headings[c])));
    }
    grid_->setColumnWidth(2, 220);
    grid_->setColumnWidth(3, 160);
    auto* remove = new QPushButton(QStringLiteral("删除"));
    auto* save = new QPushButton(QStringLiteral("保存"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_, 1);
    outer->addLayout(saveExitRow(this, save));
    outer->itemAt(1)->layout()->addWidget(remove);
    resize(640, 420);
    reload();
    connect(remove, &QPushButton::clicked, this, guarded([this] {
                const int row = grid_->currentRow();
                if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) {
                    removeBillMapping(dm_, rows_[static_cast<std::size_t>(row)].id);
                    reload();
                }
            }));
    connect(save, &QPushButton::clicked, this, guarded([this] {
                for (std::size_t i = 0; i < rows_.size(); ++i) {
                    const std::string target =
                        grid_->item(static_cast<int>(i), 3)->text().trimmed().toStdString();
                    if (!target.empty() && target != rows_[i].target) {
                        setBillMapping(dm_, rows_[i].id, target);
                    }
                }
                prompter_.info(QStringLiteral("账单对应设置 保存成功！"));
                accept();
            }));
}

void BillMappingsDialog::reload() {
    rows_ = billMappings(dm_);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const BillMapping& m = rows_[i];
        const std::string cells[4] = {m.kind, m.source, m.value, m.target};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
            if (c < 3) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            }
            grid_->setItem(static_cast<int>(i), c, item);
        }
    }
}

}  // namespace fennory::ui

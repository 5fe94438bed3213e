// The import dialogs as a user drives them: open a workbook, see its rows,
// import it whole or be told which row is wrong.

#include <QtTest>

#include "core/data_module.h"
#include "import/ui/bank_layout_dialogs.h"
#include "import/ui/bill_import_dialog.h"
#include "import/ui/import_dialog.h"

#include <QTemporaryFile>
#include "modal.h"
#include "named.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class ImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aWorkbookIsShownThenImportedWhole();
    void aWrongRowIsNamedAndTheDialogStaysOpen();
    void workbooksThatCannotBeUsedAreRefusedWhenOpened();
    void aWeChatBillIsPreviewedChangedAndBooked();
    void aStatementsColumnsAreKeptOnlyOnceTheyReadIt();
    void savedStatementLayoutsAreChangedAndDeleted();
    void aRowIsLeftOutInTheGridByItsFateColumn();

private:
    QString fixture(const char* name) const {
        return QString::fromUtf8(FENNORY_TEST_DATA) + QStringLiteral("/") + QString::fromUtf8(name);
    }
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
};

void ImportDialogTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
}

void ImportDialogTest::cleanup() {
    book_.reset();
}

void ImportDialogTest::aWorkbookIsShownThenImportedWhole() {
    QString file = fixture("import/income.xlsx");
    ImportDialog d(*dm_, *prompter_, incomeImport(), [&](QWidget*) { return file; });
    QCOMPARE(d.windowTitle(), QStringLiteral("收入导入"));
    QVERIFY(named<QLabel>(d, "hintLabel")->text().endsWith(QStringLiteral("家庭成员、备注")));
    QVERIFY(!named<QPushButton>(d, "importButton")->isEnabled());
    named<QPushButton>(d, "openButton")->click();
    QCOMPARE(named<QGroupBox>(d, "sheetGroup")->title(),
             QStringLiteral("EXCEL数据  共有 4 条数据"));
    QCOMPARE(named<RecordGrid>(d, "grid")->model()->rowCount(), 4);
    QCOMPARE(named<RecordGrid>(d, "grid")->columnWidth(5), 140);
    QVERIFY(named<QPushButton>(d, "importButton")->isEnabled());
    named<QPushButton>(d, "importButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("数据导入 保存成功！"));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(dm_->RetAMoney("现金").toPlain(), std::string("1000.1"));
}

void ImportDialogTest::aWrongRowIsNamedAndTheDialogStaysOpen() {
    QString file = fixture("import/income.xls");
    ImportDialog d(*dm_, *prompter_, transferImport(), [&](QWidget*) { return file; });
    d.show();
    named<QPushButton>(d, "openButton")->click();
    QCOMPARE(named<RecordGrid>(d, "grid")->columnWidth(5), 180);
    named<QPushButton>(d, "importButton")->click();
    // A transfer sheet needs its own columns; nothing is written.
    QCOMPARE(prompter_->last(), QStringLiteral("表格缺少“原账户”列，没有导入任何数据。"));
    QVERIFY(d.isVisible());
    QVERIFY(named<QPushButton>(d, "importButton")->isEnabled());
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM ChangeT"), 0);
}

void ImportDialogTest::workbooksThatCannotBeUsedAreRefusedWhenOpened() {
    QString file = fixture("no_sheet1.xls");
    ImportDialog d(*dm_, *prompter_, incomeImport(), [&](QWidget*) { return file; });
    named<QPushButton>(d, "openButton")->click();
    QVERIFY(prompter_->last().contains(QStringLiteral("Sheet1")));
    QVERIFY(!named<QPushButton>(d, "importButton")->isEnabled());
    QCOMPARE(named<RecordGrid>(d, "grid")->model()->rowCount(), 0);
    file.clear();  // the file dialog given up: nothing changes
    named<QPushButton>(d, "openButton")->click();
    QCOMPARE(prompter_->shown.size(), 1);
}

void ImportDialogTest::aWeChatBillIsPreviewedChangedAndBooked() {
    dm_->NewFamily("妈妈");
    const QString file = book_->dir.filePath(QStringLiteral("微信支付账单.csv"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "\xEF\xBB\xBF微信支付账单明细,,,,,,,,\n"
            "----------------------微信支付账单明细列表--------------------,,,,,,,,\n"
            "交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,商户单号,"
            "备注\n"
            "2024-03-05 08:15:00,商户消费,早餐店,\"早餐\",支出,¥8.50,零钱,支付成功,"
            "4200001\t,1\t,\"/\"\n"
            "2024-03-06 20:00:00,微信红包,朋友,\"/\",收入,¥20.00,/,已存入零钱,4200002\t,"
            "\"/\",\"/\"\n"
            "2024-03-07 09:00:00,零钱提现,招商银行,\"/\",/,¥100.00,招商银行,提现已到账,"
            "4200003\t,\"/\",\"/\"\n");
    }
    BillImportDialog d(*dm_, *prompter_, [&](QWidget*) { return file; });
    named<QComboBox>(d, "memberList")->setCurrentText(QStringLiteral("妈妈"));
    named<QPushButton>(d, "openButton")->click();
    QCOMPARE(named<QTableWidget>(d, "grid")->rowCount(), 3);
    QCOMPARE(named<QTableWidget>(d, "grid")->item(0, int(BillColumn::Fate))->text(),
             QStringLiteral("将导入"));
    QCOMPARE(named<QTableWidget>(d, "grid")->item(2, int(BillColumn::Fate))->text(),
             QStringLiteral("不计收支"));
    QCOMPARE(named<QTableWidget>(d, "grid")->item(0, int(BillColumn::Member))->text(),
             QStringLiteral("妈妈"));
    QVERIFY(named<QLabel>(d, "totalsLabel")->text().startsWith(QStringLiteral("将导入 2 笔")));
    // The user books the breakfast as food, into the change purse.
    d.setName(0, BillColumn::Category, QStringLiteral("食品"));
    d.setName(0, BillColumn::Account, QStringLiteral("零钱包"));
    named<QPushButton>(d, "importButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("账单导入成功！共导入 2 笔。"));
    QCOMPARE(dm_->RetAMoney("零钱包").toPlain(), std::string("-8.5"));
    // The red packet "已存入零钱" went where 零钱 payments come from.
    QCOMPARE(dm_->RetAMoney("微信零钱").toPlain(), std::string("20"));
    QCOMPARE(dm_->db().queryText("SELECT group_concat(theType||':'||AName||':'||FName, ' ') FROM "
                                 "(SELECT * FROM UList WHERE theE='导入' ORDER BY ID)"),
             std::string("其他收入:微信零钱:妈妈 食品:零钱包:妈妈"));

    // Opened again, nothing is left to book.
    BillImportDialog again(*dm_, *prompter_, [&](QWidget*) { return file; });
    named<QPushButton>(again, "openButton")->click();
    QCOMPARE(named<QTableWidget>(again, "grid")->item(0, int(BillColumn::Fate))->text(),
             QStringLiteral("已导入"));
    QVERIFY(!named<QPushButton>(again, "importButton")->isEnabled());
}

// The user names a statement's columns: a choice that cannot read the file is
// not kept (it would be reused silently), a right one is; a year the dates
// lack is asked once.
void ImportDialogTest::aStatementsColumnsAreKeptOnlyOnceTheyReadIt() {
    const QString file = book_->dir.filePath(QStringLiteral("statement.csv"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("交易日,摘要,金额,余额\n03/05,餐厅,-120.00,880.00\n03/06,工资,1000.00,1880.00\n");
    }
    dm_->NewFamily("妈妈");
    BillImportDialog d(*dm_, *prompter_, [&](QWidget*) { return file; });
    int asked = 0;
    d.setYearAsker([&](QWidget*) {
        ++asked;
        return 2024;
    });
    auto choose = [](BankLayoutDialog& l, const char* name, int dateColumn) {
        named<QLineEdit>(l, "nameField")->setText(QString::fromUtf8(name));
        l.column(0)->setCurrentIndex(dateColumn);  // 0 is "none"; columns follow the header
        l.column(1)->setCurrentIndex(3);           // 金额
        named<QPushButton>(l, "saveButton")->click();
    };
    testing::ModalScript wrong;
    wrong.then<BankLayoutDialog>([&](BankLayoutDialog& l) { choose(l, "错选", 2); });  // 摘要
    wrong.start();
    named<QPushButton>(d, "openButton")->click();
    QVERIFY(wrong.finished());
    QVERIFY2(prompter_->last().contains(QStringLiteral("没有保存")), qPrintable(prompter_->last()));
    QVERIFY(savedLayouts(dm_->db()).empty());

    testing::ModalScript right;
    right.then<BankLayoutDialog>([&](BankLayoutDialog& l) { choose(l, "工资卡", 1); });  // 交易日
    right.start();
    named<QPushButton>(d, "openButton")->click();
    QVERIFY(right.finished());
    QCOMPARE(asked, 1);
    QCOMPARE(savedLayouts(dm_->db()).size(), std::size_t(1));
    QCOMPARE(d.bill().rows.size(), std::size_t(2));
    QCOMPARE(d.bill().rows[0].date, std::string("2024-03-05"));
}

// The layouts a book remembers are listed, changed and deleted by the user.
void ImportDialogTest::savedStatementLayoutsAreChangedAndDeleted() {
    BankLayout l;
    l.name = "工资卡";
    l.date = "记账日期";
    l.amount = "金额";
    saveLayout(dm_->db(), l);
    l.name = "信用卡";
    l.date = "交易日";
    saveLayout(dm_->db(), l);

    BankLayoutsDialog d(dm_->db(), *prompter_);
    auto* list = named<QListWidget>(d, "layoutList");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("工资卡：日期=记账日期，金额（有正负）=金额"));

    // The card's amounts are charges when positive: the user ticks it.
    list->setCurrentRow(1);
    testing::ModalScript edit;
    edit.then<BankLayoutDialog>([](BankLayoutDialog& e) {
        QCOMPARE(named<QLineEdit>(e, "nameField")->text(), QStringLiteral("信用卡"));
        QCOMPARE(e.column(0)->currentText(), QStringLiteral("交易日"));
        named<QCheckBox>(e, "positiveIsOutBox")->setChecked(true);
        named<QPushButton>(e, "saveButton")->click();
    });
    edit.start();
    named<QPushButton>(d, "changeButton")->click();
    QVERIFY(edit.finished());
    auto layouts = savedLayouts(dm_->db());
    QCOMPARE(layouts.size(), std::size_t(2));
    QCOMPARE(layouts[1].name, std::string("信用卡"));
    QVERIFY(layouts[1].positiveIsOut);
    QCOMPARE(layouts[1].date, std::string("交易日"));

    list->setCurrentRow(0);
    prompter_->answers = {true};
    named<QPushButton>(d, "deleteButton")->click();
    layouts = savedLayouts(dm_->db());
    QCOMPARE(layouts.size(), std::size_t(1));
    QCOMPARE(layouts[0].name, std::string("信用卡"));
    QCOMPARE(list->count(), 1);
}

// The user leaves a row out in the grid: the fate cell offers the row's
// choices, and the row is then neither booked nor counted among the imports.
void ImportDialogTest::aRowIsLeftOutInTheGridByItsFateColumn() {
    const QString file = book_->dir.filePath(QStringLiteral("微信.csv"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "\xEF\xBB\xBF微信支付账单明细,,,,,,,,\n"
            "交易时间,交易类型,交易对方,商品,收/支,金额(元),支付方式,当前状态,交易单号,"
            "商户单号,备注\n"
            "2024-03-05 08:15:00,商户消费,早餐店,\"早餐\",支出,¥8.50,零钱,支付成功,"
            "4200001\t,1\t,\"/\"\n"
            "2024-03-06 09:00:00,美团月付,美团,\"月付账单\",支出,¥30.00,零钱,支付成功,"
            "4200005\t,\"/\",\"/\"\n");
    }
    dm_->NewFamily("妈妈");
    BillImportDialog d(*dm_, *prompter_, [&](QWidget*) { return file; });
    named<QPushButton>(d, "openButton")->click();
    auto* grid = named<QTableWidget>(d, "grid");
    QCOMPARE(grid->rowCount(), 2);
    QVERIFY(named<QLabel>(d, "totalsLabel")->text().startsWith(QStringLiteral("将导入 2 笔")));

    d.show();
    const QModelIndex fate = grid->model()->index(1, int(BillColumn::Fate));
    grid->setCurrentIndex(fate);
    grid->edit(fate);
    auto* editor = grid->viewport()->findChild<QComboBox*>();
    QVERIFY(editor);
    QCOMPARE(editor->count(), 2);
    QCOMPARE(editor->itemText(1), QStringLiteral("不导入"));
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(grid->item(1, int(BillColumn::Fate))->text(), QStringLiteral("不导入"));
    QVERIFY(named<QLabel>(d, "totalsLabel")->text().startsWith(QStringLiteral("将导入 1 笔")));

    named<QPushButton>(d, "importButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("账单导入成功！共导入 1 笔。"));
    QCOMPARE(dm_->RetAMoney("微信零钱").toPlain(), std::string("-8.5"));
}

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"

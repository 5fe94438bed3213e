// The import dialogs as a user drives them: open a workbook, see its rows,
// import it whole or be told which row is wrong.

#include <QtTest>

#include "core/data_module.h"
#include "import/ui/import_dialog.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;

class ImportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aWorkbookIsShownThenImportedWhole();
    void aWrongRowIsNamedAndTheDialogStaysOpen();
    void workbooksThatCannotBeUsedAreRefusedWhenOpened();

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
    QVERIFY(d.hintLabel()->text().endsWith(QStringLiteral("家庭成员、备注")));
    QVERIFY(!d.importButton()->isEnabled());
    d.openButton()->click();
    QCOMPARE(d.sheetGroup()->title(), QStringLiteral("EXCEL数据  共有 4 条数据"));
    QCOMPARE(d.grid()->model()->rowCount(), 4);
    QCOMPARE(d.grid()->columnWidth(5), 140);
    QVERIFY(d.importButton()->isEnabled());
    d.importButton()->click();
    QCOMPARE(prompter_->last(), QStringLiteral("数据导入 保存成功！"));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(dm_->RetAMoney("现金").toPlain(), std::string("1000.1"));
}

void ImportDialogTest::aWrongRowIsNamedAndTheDialogStaysOpen() {
    QString file = fixture("import/income.xls");
    ImportDialog d(*dm_, *prompter_, transferImport(), [&](QWidget*) { return file; });
    d.show();
    d.openButton()->click();
    QCOMPARE(d.grid()->columnWidth(5), 180);
    d.importButton()->click();
    // A transfer sheet needs its own columns; nothing is written.
    QCOMPARE(prompter_->last(), QStringLiteral("表格缺少“原账户”列，没有导入任何数据。"));
    QVERIFY(d.isVisible());
    QVERIFY(d.importButton()->isEnabled());
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM ChangeT"), 0);
}

void ImportDialogTest::workbooksThatCannotBeUsedAreRefusedWhenOpened() {
    QString file = fixture("no_sheet1.xls");
    ImportDialog d(*dm_, *prompter_, incomeImport(), [&](QWidget*) { return file; });
    d.openButton()->click();
    QVERIFY(prompter_->last().contains(QStringLiteral("Sheet1")));
    QVERIFY(!d.importButton()->isEnabled());
    QCOMPARE(d.grid()->model()->rowCount(), 0);
    file.clear();  // the file dialog given up: nothing changes
    d.openButton()->click();
    QCOMPARE(prompter_->shown.size(), 1);
}

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"

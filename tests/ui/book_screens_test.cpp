// The book screens and preferences as a user drives them: deleting and
// renaming books, the password, backup and restore, and the three settings dialogs.

#include <QFile>
#include <QtTest>

#include "app/main_window.h"
#include "app/screens.h"
#include "books/backup.h"
#include "books/book_creation.h"
#include "books/open_book.h"
#include "books/ui/backup_dialog.h"
#include "books/ui/book_manage_screen.h"
#include "books/ui/book_rename_dialog.h"
#include "books/ui/change_password_dialog.h"
#include "books/ui/defaults_dialog.h"
#include "books/ui/edition_dialog.h"
#include "books/ui/open_book_dialog.h"
#include "books/ui/restore_dialog.h"
#include "books/ui/sort_order_dialog.h"
#include "core/data_module.h"
#include "modal.h"
#include "named.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class BookScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theOpenBookIsKeptAndAnotherIsDeletedAfterTheQuestion();
    void aRenameEndsTheProgram();
    void thePasswordDialogNamesWhatIsWrong();
    void aBackupGoesToTheChosenFolderUnderTheStartupDate();
    void aRestoreRefusesABadFileAndReplacesWithAGoodOne();
    void preferencesAreSavedAndSomeEndTheProgram();
    void aRestoredFileWithoutTheOpenBookAsksForAnother();

private:
    std::unique_ptr<testing::UiBook> book_;
    TfrmDM* dm_ = nullptr;
    testing::ScriptedPrompter* prompter_ = nullptr;
};

void BookScreensTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    dm_ = book_->dm.get();
    prompter_ = &book_->prompter;
    NewBookInput other;
    other.name = "别的";
    QVERIFY(createFirstBook(*dm_, other).ok);
    QVERIFY(openBook(*dm_, {"家", "", false, false}).ok);
}

void BookScreensTest::cleanup() {
    book_.reset();
}

void BookScreensTest::theOpenBookIsKeptAndAnotherIsDeletedAfterTheQuestion() {
    int ended = 0;
    TfrmB_Manage s(*dm_, *prompter_, [&] { ++ended; });
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 2);
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->index(0, 0).data().toString(),
             QStringLiteral("别的"));
    named<RecordGrid>(s, "grid")->selectRow(1);  // 家, the open book
    s.onDelete();
    QCOMPARE(prompter_->last(), QStringLiteral("不能删除当前打开账簿！"));
    named<RecordGrid>(s, "grid")->selectRow(0);
    prompter_->answers = {false};
    s.onDelete();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 2);
    QCOMPARE(prompter_->asked.back(),
             QStringLiteral("删除: 确认要删除吗？该删除将将删除该账簿所有记账数据！"));
    prompter_->answers = {true};
    s.onDelete();
    QCOMPARE(named<RecordGrid>(s, "grid")->model()->rowCount(), 1);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM InD WHERE BName='别的'"), 0);
    QCOMPARE(ended, 0);
}

void BookScreensTest::aRenameEndsTheProgram() {
    int ended = 0;
    TfrmB_Manage s(*dm_, *prompter_, [&] { ++ended; });
    named<RecordGrid>(s, "grid")->selectRow(0);
    testing::ModalScript script;
    script.then<TfrmB_M>([&](TfrmB_M& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("别的 修改"));
        named<QLineEdit>(d, "nameField")->setText(QStringLiteral("家"));
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter_->last(), QStringLiteral("账簿名称 已经存在！"));
        named<QLineEdit>(d, "nameField")->setText(QStringLiteral("新账簿"));
        named<QPushButton>(d, "saveButton")->click();
    });
    script.start();
    s.onRename();
    QTRY_VERIFY(script.finished());
    QCOMPARE(prompter_->last(), QStringLiteral("账簿名称 修改成功，请重新打开 Fennory ！"));
    QCOMPARE(ended, 1);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SBook WHERE BName='新账簿'"), 1);
}

void BookScreensTest::thePasswordDialogNamesWhatIsWrong() {
    TfrmChangePass d(*dm_, *prompter_);
    QCOMPARE(named<QLineEdit>(d, "oldField")->echoMode(), QLineEdit::Password);
    named<QLineEdit>(d, "oldField")->setText(QStringLiteral("x"));
    named<QPushButton>(d, "saveButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("原密码错误！"));
    named<QLineEdit>(d, "oldField")->clear();
    named<QLineEdit>(d, "newField")->setText(QStringLiteral("abc"));
    named<QLineEdit>(d, "confirmField")->setText(QStringLiteral("abd"));
    named<QPushButton>(d, "saveButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("新密码与确认密码不一致！"));
    named<QLineEdit>(d, "confirmField")->setText(QStringLiteral("abc"));
    named<QPushButton>(d, "saveButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("密码修改成功！请重新登录！"));
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void BookScreensTest::aBackupGoesToTheChosenFolderUnderTheStartupDate() {
    QString folder = book_->dir.path();
    TfrmBackup d(*dm_, *prompter_, [&](QWidget*) { return folder; });
    named<QPushButton>(d, "chooseButton")->click();
    QCOMPARE(named<QLineEdit>(d, "pathField")->text(), folder + QStringLiteral("/2024-05-31.eac"));
    folder.clear();  // a second choice given up empties the field
    named<QPushButton>(d, "chooseButton")->click();
    named<QPushButton>(d, "backupButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("路径不能为空！"));
    folder = book_->dir.path();
    named<QPushButton>(d, "chooseButton")->click();
    named<QPushButton>(d, "backupButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("数据备份成功！"));
    QVERIFY(QFile::exists(book_->dir.filePath(QStringLiteral("2024-05-31.eac"))));
}

void BookScreensTest::aRestoreRefusesABadFileAndReplacesWithAGoodOne() {
    const QString good = book_->dir.filePath(QStringLiteral("good.eac"));
    backupDataFile(*book_->db, good.toStdString());
    // After the backup the book "别的" goes; the restore brings it back.
    QVERIFY(deleteBook(*dm_, "别的").ok);
    const QString bad = book_->dir.filePath(QStringLiteral("bad.eac"));
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a data file");
    }
    QString chosen;
    int restored = 0;
    TfrmRecover d(
        *dm_, *prompter_, [&] { ++restored; }, [&](QWidget*) { return chosen; });
    named<QPushButton>(d, "restoreButton")->click();
    QCOMPARE(prompter_->last(), QStringLiteral("请选择备份文件"));
    chosen = bad;
    named<QPushButton>(d, "chooseButton")->click();
    prompter_->answers = {true};
    named<QPushButton>(d, "restoreButton")->click();
    QVERIFY(prompter_->last().startsWith(QStringLiteral("数据恢复失败！")));
    QVERIFY(prompter_->asked.isEmpty());  // refused before it asks
    QCOMPARE(restored, 0);
    chosen = good;
    named<QPushButton>(d, "chooseButton")->click();
    // A book made after the backup would go: the question says so first.
    dm_->db().execute("INSERT INTO SBook(BName) VALUES('新')");
    prompter_->answers = {true};
    named<QPushButton>(d, "restoreButton")->click();
    QCOMPARE(prompter_->asked.back(),
             QStringLiteral("恢复数据: 恢复后，当前数据中的账簿 新 将被删除！\n"
                            "备份文件中的账簿：家、别的，将替换当前的数据。\n确认要恢复数据吗?"));
    QCOMPARE(prompter_->last(), QStringLiteral("数据恢复成功！"));
    QCOMPARE(restored, 1);
    QCOMPARE(dm_->db().queryInt("SELECT count(*) FROM SBook WHERE BName='别的'"), 1);
}

void BookScreensTest::preferencesAreSavedAndSomeEndTheProgram() {
    dm_->NewFamily("爸爸");
    dm_->db().execute("UPDATE SMRX SET FName='爸爸' WHERE BName='家'");
    loadOpenBookState(*dm_);
    {
        TfrmMRX d(*dm_, *prompter_);
        QCOMPARE(d.windowTitle(), QStringLiteral("家 默认项设置"));
        QCOMPARE(d.list(DefaultName::Member)->currentText(), QStringLiteral("爸爸"));
        QVERIFY(!d.emptyBox(DefaultName::Member)->isChecked());
        d.emptyBox(DefaultName::Member)->setChecked(true);
        d.flag(7)->setChecked(true);  // 弹出今日计划
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter_->last(), QStringLiteral("家 默认项设置 保存成功！"));
        QCOMPARE(book_->session.OpenBookState.FName, std::string());
        QVERIFY(book_->session.OpenBookState.TX_T);
    }
    int ended = 0;
    {
        TfrmSZ_PX d(*dm_, *prompter_, [&] { ++ended; });
        QVERIFY(d.listOrder(5)->isChecked());
        d.listOrder(2)->setChecked(true);
        d.recordOrder(4)->setChecked(true);
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter_->last(), QStringLiteral("家 排序设置 保存成功，请重新打开Fennory！"));
        QCOMPARE(ended, 1);
        QCOMPARE(dm_->db().queryText("SELECT thePX||theJZPX FROM SBook WHERE BName='家'"),
                 std::string("24"));
    }
    {
        TfrmSBasc d(*dm_, *prompter_, [&] { ++ended; });
        QVERIFY(named<QRadioButton>(d, "pcButton")->isChecked());
        named<QRadioButton>(d, "usbButton")->setChecked(true);
        named<QPushButton>(d, "saveButton")->click();
        QCOMPARE(prompter_->last(), QStringLiteral("版本设置 保存成功，请重新打开Fennory！"));
        QCOMPARE(ended, 2);
    }
}

void BookScreensTest::aRestoredFileWithoutTheOpenBookAsksForAnother() {
    const std::string file = book_->dir.filePath(QStringLiteral("only-other.eac")).toStdString();
    backupDataFile(*book_->db, file);
    {
        Database copy = Database::open(file);
        Session s;
        s.CurrentBook = "别的";
        TfrmDM other(copy, s);
        QVERIFY(deleteBook(other, "家").ok);
    }
    TfrmMain window(*dm_, *prompter_);
    window.setAskOnClose(false);
    registerScreens(window);
    window.bookOpened();
    restoreDataFile(*book_->db, file, book_->dir.filePath(QStringLiteral("Backup")).toStdString(),
                    "2024-05-31-120000");
    bool asked = false;
    testing::ModalScript script;
    script.then<TfrmOpenBook>([&](TfrmOpenBook& d) {
        asked = true;
        QCOMPARE(named<QComboBox>(d, "bookList")->count(), 1);
        d.reject();
    });
    script.start();
    window.afterRestore();
    QTRY_VERIFY(script.finished());
    QVERIFY(asked);
    QVERIFY(dm_->book().empty());
}

QTEST_MAIN(BookScreensTest)
#include "book_screens_test.moc"

// What the user reads when an action fails, through the application's one
// guard: the save that committed is reported as saved, never as undone.

#include <QtTest>

#include "bookkeeping/ui/entry_screen.h"
#include "core/database.h"
#include "core/ui/application.h"
#include "named.h"
#include "ui_book.h"

using namespace fennory;
using namespace fennory::ui;
using fennory::testing::named;

class FailureTest : public QObject {
    Q_OBJECT
public:
    explicit FailureTest(Application& app) : app_(app) {}

private slots:
    void init();
    void cleanup();
    void aSaveThatCommittedIsReportedSavedWhenTheListCannotReload();
    void anActionThatFailsBeforeItsCommitSaysNothingWasChanged();
    void actionsSetOffWithoutAnEventAreCaughtAtTheirOwnBoundary();

private:
    TfrmInTable* fillIncome();
    Application& app_;
    std::unique_ptr<testing::UiBook> book_;
    std::unique_ptr<TfrmInTable> screen_;
    QStringList reported_;
};

void FailureTest::init() {
    book_ = std::make_unique<testing::UiBook>();
    QVERIFY(book_->openNew("家"));
    book_->dm->NewFamily("爸爸");
    book_->dm->NewAccount("钱包", "爸爸");
    reported_.clear();
    app_.setReporter([this](const QString& text) { reported_ << text; });
    app_.setCommitCount([this] { return book_->db->commits(); });
    app_.setErrorLog(book_->dir.filePath(QStringLiteral("Data/error.log")).toStdString());
}

void FailureTest::cleanup() {
    screen_.reset();
    book_.reset();
}

TfrmInTable* FailureTest::fillIncome() {
    screen_ = std::make_unique<TfrmInTable>(*book_->dm, book_->prompter);
    screen_->show();
    screen_->button(RecordScreen::kAdd)->click();
    named<NameCombo>(*screen_, "nameField")->setName("工资");
    named<MoneyEdit>(*screen_, "amountField")->setText(QStringLiteral("100"));
    named<NameCombo>(*screen_, "accountField")->setName("钱包");
    named<NameCombo>(*screen_, "memberField")->setName("爸爸");
    return screen_.get();
}

void FailureTest::aSaveThatCommittedIsReportedSavedWhenTheListCannotReload() {
    TfrmInTable* s = fillIncome();
    const std::uint64_t before = book_->db->commits();
    // After the save commits, reading the list back fails.
    book_->db->setStatementHook([this, before](std::string_view sql) {
        if (book_->db->commits() > before && sql.find("FROM InTable") != std::string_view::npos) {
            throw DbError(10 /* SQLITE_IOERR */, "disk I/O error", std::string(sql));
        }
    });
    QTest::mouseClick(s->button(RecordScreen::kSave), Qt::LeftButton);
    book_->db->setStatementHook({});
    QCOMPARE(reported_.size(), 1);
    QVERIFY2(reported_.front().startsWith(QStringLiteral("操作已完成并保存")),
             qPrintable(reported_.front()));
    QVERIFY(!reported_.front().contains(QStringLiteral("未作改动")));
    QCOMPARE(book_->db->queryInt("SELECT count(*) FROM InTable").value(), 1);
    QCOMPARE(book_->dm->RetAMoney("钱包"), Money::yuan(100));
    // The engine's words went to the log, not to the user.
    QFile log(book_->dir.filePath(QStringLiteral("Data/error.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("disk I/O error"));
}

void FailureTest::anActionThatFailsBeforeItsCommitSaysNothingWasChanged() {
    TfrmInTable* s = fillIncome();
    book_->db->setStatementHook([](std::string_view sql) {
        if (sql.find("INSERT INTO InTable") != std::string_view::npos) {
            throw DbError(13 /* SQLITE_FULL */, "database or disk is full", std::string(sql));
        }
    });
    QTest::mouseClick(s->button(RecordScreen::kSave), Qt::LeftButton);
    book_->db->setStatementHook({});
    QCOMPARE(reported_, QStringList{QStringLiteral("磁盘空间不足，操作没有完成，数据未作改动。")});
    QCOMPARE(book_->db->queryInt("SELECT count(*) FROM InTable").value(), 0);
    QCOMPARE(book_->dm->RetAMoney("钱包"), Money());
}

// A button's click() and a menu row's trigger() call their slots directly,
// with no event for the application to catch: the action's own guard must.
void FailureTest::actionsSetOffWithoutAnEventAreCaughtAtTheirOwnBoundary() {
    TfrmInTable* s = fillIncome();
    s->button(RecordScreen::kSave)->click();
    QCOMPARE(book_->db->queryInt("SELECT count(*) FROM InTable").value(), 1);
    reported_.clear();

    book_->db->setStatementHook([](std::string_view sql) {
        if (sql.find("DELETE FROM InTable") != std::string_view::npos) {
            throw DbError(13 /* SQLITE_FULL */, "database or disk is full", std::string(sql));
        }
    });
    QAction* deleteAll = nullptr;
    for (QAction* a : s->gridMenu()->actions()) {
        if (a->text().startsWith(QStringLiteral("全部删除"))) {
            deleteAll = a;
        }
    }
    QVERIFY(deleteAll);
    book_->prompter.answers = {true, true};
    deleteAll->trigger();
    QCOMPARE(reported_, QStringList{QStringLiteral("磁盘空间不足，操作没有完成，数据未作改动。")});
    QCOMPARE(book_->db->queryInt("SELECT count(*) FROM InTable").value(), 1);

    reported_.clear();
    book_->db->setStatementHook([](std::string_view sql) {
        if (sql.find("FROM InTable") != std::string_view::npos) {
            throw DbError(10 /* SQLITE_IOERR */, "disk I/O error", std::string(sql));
        }
    });
    QAction* thisMonth = s->gridMenu()->actions().front();
    thisMonth->trigger();
    book_->db->setStatementHook({});
    QCOMPARE(reported_.size(), 1);
    QVERIFY(!reported_.front().contains(QStringLiteral("I/O")));
    QCOMPARE(book_->dm->RetAMoney("钱包"), Money::yuan(100));
}

int main(int argc, char** argv) {
    Application app(argc, argv);
    FailureTest test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "failure_test.moc"

// The widget kit: the table model, name drop-downs, limits, criteria and the
// single-instance lock.

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QDialogButtonBox>
#include <QFile>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "core/table.h"
#include "core/ui/application.h"
#include "core/ui/inputs.h"
#include "core/ui/single_instance.h"
#include "core/ui/table_model.h"

using namespace fennory;
using namespace fennory::ui;

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void tableModelPassesTheModelTester();
    void titleClicksSortAscendingThenDescending();
    void aReloadKeepsTheColumnWidths();
    void nameComboCompletesTheOneMatch();
    void moneyEditTakesOnlyNumberCharacters();
    void criteriaBoxTicksWhenItsInputChanges();
    void aSecondInstanceIsRefusedAndAStaleLockRecovered();
    void qtsOwnTextsAreChineseAndCaptionsGetNothingAppended();
};

// Types text the way an input method delivers it, one character at a time.
static void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

static Table sampleTable() {
    Table t;
    t.columns = {"名称", "金额", "次数"};
    t.rows = {{std::string("餐饮"), Money::yuan(30), std::int64_t{2}},
              {std::string("交通"), Money::yuan(5), std::int64_t{10}},
              {std::string("日用"), *Money::parse("1234.5"), std::int64_t{1}}};
    return t;
}

void WidgetsTest::tableModelPassesTheModelTester() {
    TableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(sampleTable());
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("1,234.50"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("金额"));
    model.sort(1, Qt::AscendingOrder);
    model.setTable(Table{});
    QCOMPARE(model.rowCount(), 0);
}

void WidgetsTest::titleClicksSortAscendingThenDescending() {
    TableModel model;
    model.setTable(sampleTable());
    model.sortByTitleClick(1);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("交通"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::red));
    QVERIFY(model.headerData(1, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
    model.sortByTitleClick(1);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("日用"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(),
             QColor(Qt::blue));
    // Names sort in pinyin order, counts by value.
    model.sortByTitleClick(0);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("餐饮"));
    model.sortByTitleClick(2);
    QCOMPARE(model.data(model.index(2, 2), Qt::DisplayRole).toString(), QStringLiteral("10"));
    QVERIFY(!model.headerData(1, Qt::Horizontal, Qt::FontRole).isValid());
}

void WidgetsTest::aReloadKeepsTheColumnWidths() {
    RecordGrid grid;
    Table t;
    t.columns = {"名称", "备注"};
    t.rows = {{std::string("工资"), std::string("")}};
    grid.setTable(t);
    grid.setColumnWidth(0, 234);  // the last column stretches; the first keeps a width
    grid.setTable(t);
    QCOMPARE(grid.columnWidth(0), 234);
}

void WidgetsTest::nameComboCompletesTheOneMatch() {
    NameCombo combo;
    combo.setNames({"工资", "奖金", "工资补贴"});
    combo.setTypeAhead([](const std::string& text) -> std::vector<std::string> {
        if (text == "jj") {
            return {"奖金"};
        }
        return {};
    });
    combo.lineEdit()->setFocus();
    QTest::keyClicks(combo.lineEdit(), "jj");
    QCOMPARE(combo.currentText(), QStringLiteral("奖金"));
    combo.clearEditText();
    QTest::keyClicks(combo.lineEdit(), "gz");
    QCOMPARE(combo.currentText(), QStringLiteral("gz"));
    // Typing on after a completion refines what was typed: the whole name
    // typed out reads as the name, not as the name and more.
    combo.setTypeAhead([](const std::string& text) -> std::vector<std::string> {
        if (std::string("Wallet").rfind(text, 0) == 0 && !text.empty()) {
            return {"Wallet"};
        }
        return {};
    });
    combo.clearEditText();
    QTest::keyClicks(combo.lineEdit(), "Wallet");
    QCOMPARE(combo.currentText(), QStringLiteral("Wallet"));
    // The byte limit holds in the drop-down too.
    combo.clearEditText();
    typeText(combo.lineEdit(), QStringLiteral("一二三四五六七八九十十一"));
    QCOMPARE(combo.currentText(), QStringLiteral("一二三四五六七八九十"));
}

void WidgetsTest::moneyEditTakesOnlyNumberCharacters() {
    MoneyEdit e;
    // A third decimal can be typed, so that the save can say why it is refused.
    QTest::keyClicks(&e, "-12a3.4.5678");
    QCOMPARE(e.text(), QStringLiteral("-123.45678"));
}

void WidgetsTest::criteriaBoxTicksWhenItsInputChanges() {
    auto* edit = new QLineEdit;
    CriteriaBox box(QStringLiteral("备注"), edit);
    QVERIFY(!box.isTicked());
    QTest::keyClicks(edit, "x");
    QVERIFY(box.isTicked());
    auto* date = new DateEdit;
    CriteriaBox byDate(QStringLiteral("日期"), date);
    date->setDateText("2024-01-02");
    QVERIFY(byDate.isTicked());
    QCOMPARE(QString::fromStdString(date->dateText()), QStringLiteral("2024-01-02"));
}

void WidgetsTest::aSecondInstanceIsRefusedAndAStaleLockRecovered() {
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
    }
    // A lock left by a process that no longer runs.
    QFile stale(dir.filePath("Account.lock"));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nfennory\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    SingleInstance again(dir.path());
    QVERIFY(again.acquire());
}

void WidgetsTest::qtsOwnTextsAreChineseAndCaptionsGetNothingAppended() {
    QVERIFY(setUpChinese(*qApp, QStringLiteral("Fennory记账软件")));
    // The standard buttons and a text field's right-click menu.
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
             QStringLiteral("取消"));
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    for (QAction* a : menu->actions()) {
        if (!a->isSeparator()) {  // the shortcut after the tab stays as keys read
            QVERIFY2(!a->text()
                          .section(QLatin1Char('\t'), 0, 0)
                          .contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))),
                     qPrintable(a->text()));
        }
    }
    // No display name is fixed, so no platform appends one to the captions.
    QCoreApplication::setApplicationName(QStringLiteral("另一个"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("另一个"));
    QCoreApplication::setApplicationName(QStringLiteral("Fennory记账软件"));
}

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"

#include "reports/ui/statistics_screens.h"
#include "core/field_limits.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "core/dates.h"
#include "reporting/ui/report_preview.h"

namespace fennory::ui {
namespace {

QString u8(const std::string& s) {
    return QString::fromStdString(s);
}

std::string today(TfrmDM& dm) {
    return dm.session().startDay();
}

QString moneyOrNothing(const std::optional<Money>& m) {
    return m ? u8(m->toDisplay()) : QString();
}

}  // namespace

// ---- 收支统计表 ----

TfrmPage1::TfrmPage1(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      stats_(dm),
      criteria_(new CriteriaForm(dm, QStringLiteral("统计条件"), statCriteria("收支日期"),
                                 IncomeExpenseStats::initialCriteria(today(dm)).filter)),
      group_(withName("groupList", pickList(statGroupCaptions()))),
      sortBox_(nullptr),
      sort_(withName("sortList", pickList(statSortCaptions()))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))) {
    setWindowTitle(QStringLiteral("收支统计表"));
    // The grouping applies whether or not its box is ticked.
    auto* byGroup = new CriteriaBox(QStringLiteral("统计的项"), group_);
    byGroup->setTicked(true);
    auto* bySort = new CriteriaBox(QStringLiteral("排        序"), sort_);
    bySort->setTicked(true);
    sortBox_ = withName("sortBox", bySort->box());

    criteria_->addBox(byGroup);
    criteria_->addBox(bySort);

    auto* body = new QWidget;
    auto* panes = new QHBoxLayout(body);
    panes->setContentsMargins(0, 0, 0, 0);
    const char* titles[2] = {"收入", "支出"};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* pane = new QGroupBox(QString::fromUtf8(titles[i]));
        auto* v = new QVBoxLayout(pane);
        grids_[i] = new RecordGrid;
        counts_[i] = new QLabel(QStringLiteral("笔数："));
        sums_[i] = new QLabel(QStringLiteral("合计金额："));
        v->addWidget(grids_[i], 1);
        auto* labels = new QHBoxLayout;
        labels->addWidget(counts_[i]);
        labels->addStretch(1);
        labels->addWidget(sums_[i]);
        v->addLayout(labels);
        panes->addWidget(pane);
    }
    layOutQueryScreen(this, {.criteria = criteria_, .buttons = {run_, excel_}, .body = body});

    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, &TfrmPage1::onRun);
    connect(excel_, &QPushButton::clicked, this, &TfrmPage1::onExcel);
}

void TfrmPage1::onRun() {
    StatCriteria c;
    c.filter = criteria_->criteria();
    c.group = static_cast<StatGroup>(group_->currentIndex());
    c.sorted = sortBox_->isChecked();
    c.sort = static_cast<StatSort>(sort_->currentIndex());
    stats_.run(c);
    const StatSide* sides[2] = {&stats_.income(), &stats_.expense()};
    for (std::size_t i = 0; i < 2; ++i) {
        grids_[i]->setTable(sides[i]->rows);
        grids_[i]->setColumnWidth(static_cast<int>(StatColumn::Group), 150);
        counts_[i]->setText(QStringLiteral("笔数：%1").arg(sides[i]->count));
        sums_[i]->setText(QStringLiteral("合计金额：") + moneyOrNothing(sides[i]->sum));
    }
    excel_->setEnabled(true);
}

void TfrmPage1::onExcel() {
    lastExport_ = exportSheet(stats_.sheet(), dm_.session(), "收支统计表", prompter_, opener_);
}

// ---- 债务债权统计表 ----

TfrmPage2::TfrmPage2(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      stats_(dm),
      criteria_(new CriteriaForm(dm, QStringLiteral("统计条件"), statCriteria("日        期"),
                                 LoanStats::initialFilter(today(dm)))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      debts_(withName("debtGrid", new RecordGrid)),
      credits_(withName("creditGrid", new RecordGrid)) {
    setWindowTitle(QStringLiteral("债务债权统计表"));
    auto* body = new QWidget;
    auto* panes = new QHBoxLayout(body);
    panes->setContentsMargins(0, 0, 0, 0);
    for (auto [title, grid] : {std::pair{"债务", debts_}, {"债权", credits_}}) {
        auto* pane = new QGroupBox(QString::fromUtf8(title));
        auto* v = new QVBoxLayout(pane);
        v->addWidget(grid);
        panes->addWidget(pane);
    }
    layOutQueryScreen(this, {.criteria = criteria_, .buttons = {run_, excel_}, .body = body});
    setScreenDefault(this, run_);
    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, &TfrmPage2::onRun);
    connect(excel_, &QPushButton::clicked, this, &TfrmPage2::onExcel);
}

void TfrmPage2::onRun() {
    stats_.run(criteria_->criteria());
    debts_->setTable(stats_.debts().rows);
    credits_->setTable(stats_.credits().rows);
    excel_->setEnabled(true);
}

void TfrmPage2::onExcel() {
    lastExport_ = exportSheet(stats_.sheet(), dm_.session(), "债务债权统计表", prompter_, opener_);
}

// ---- 收支月报表 and 收支年报表 ----

PeriodReportScreen::PeriodReportScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                       const PeriodKind& kind, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      report_(dm, kind),
      criteria_(new CriteriaForm(dm, QStringLiteral("查询条件"), statCriteria("统计日期"),
                                 report_.initialFilter(today(dm)))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      print_(withName("printButton", new QPushButton(QStringLiteral("打印")))),
      progress_(withName("progressBar", new QProgressBar)),
      grid_(withName("grid", new RecordGrid)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    progress_->setMaximumHeight(8);
    progress_->setTextVisible(false);
    progress_->setValue(0);

    std::vector<QWidget*> labels;
    for (QLabel*& label : totals_) {
        label = new QLabel;
        labels.push_back(label);
    }
    layOutQueryScreen(this, {.criteria = criteria_,
                             .buttons = {run_, excel_, print_},
                             .body = grid_,
                             .totals = labels,
                             .underCriteria = progress_});
    excel_->setEnabled(false);
    print_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, &PeriodReportScreen::onRun);
    connect(excel_, &QPushButton::clicked, this, &PeriodReportScreen::onExcel);
    connect(print_, &QPushButton::clicked, this, &PeriodReportScreen::onPrint);
}

void PeriodReportScreen::onRun() {
    const CheckResult r =
        report_.run(criteria_->criteria(), [this](std::size_t done, std::size_t total) {
            progress_->setRange(0, static_cast<int>(total));
            progress_->setValue(static_cast<int>(done));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        criteria_->focus(Criterion::Date);
        return;
    }
    grid_->setTable(report_.table());
    const PeriodTotals& t = report_.totals();
    const QString texts[6] = {
        QStringLiteral("数量：%1").arg(t.periods),
        QStringLiteral("收入合计：") + u8(t.incomeSum.toDisplay()),
        QStringLiteral("收入笔数：%1").arg(t.incomeCount),
        QStringLiteral("支出合计：") + u8(t.expenseSum.toDisplay()),
        QStringLiteral("支出笔数：%1").arg(t.expenseCount),
        QStringLiteral("结余合计：") + u8(t.balance.toDisplay()),
    };
    for (std::size_t i = 0; i < totals_.size(); ++i) {
        totals_[i]->setText(texts[i]);
    }
    excel_->setEnabled(true);
    print_->setEnabled(true);
}

void PeriodReportScreen::onExcel() {
    lastExport_ =
        exportSheet(report_.sheet(), dm_.session(), report_.kind().caption, prompter_, opener_);
}

void PeriodReportScreen::onPrint() {
    showReportPreview(
        report_.printLayout(), report_.printRows(), prompter_, [this] { onExcel(); }, this);
}

// ---- 还债, 收债 and 收益记录查询 ----

MovementQueryScreen::MovementQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                         const MovementKind& kind, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      opener_(std::move(opener)),
      query_(dm, kind),
      criteria_(new CriteriaForm(dm, QStringLiteral("查询条件"), movementCriteria(kind),
                                 MovementQuery::initialFilter(today(dm)).criteria)),
      sort_(withName("sortList", pickList(movementSortCaptions(kind)))),
      direction_(withName("directionList", pickList({"升序", "降序"}))),
      run_(withName("queryButton", new QPushButton(QStringLiteral("查询")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      grid_(withName("grid", new RecordGrid)),
      count_(withName("countLabel", new QLabel(QStringLiteral("笔数：")))),
      total_(withName("totalLabel", new QLabel(QStringLiteral("合计金额：")))) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    criteria_->addBox(sortGroup(sort_, direction_), true);

    layOutQueryScreen(this, {.criteria = criteria_,
                             .buttons = {run_, excel_},
                             .body = grid_,
                             .totals = {count_, total_}});
    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, &MovementQueryScreen::onQuery);
    connect(excel_, &QPushButton::clicked, this, &MovementQueryScreen::onExcel);
}

void MovementQueryScreen::onQuery() {
    MovementFilter f{.criteria = criteria_->criteria()};
    f.sort = static_cast<MovementSort>(std::max(0, sort_->currentIndex()));
    f.descending = direction_->currentIndex() == 1;
    query_.run(f);
    grid_->setTable(query_.rows(), MovementQuery::hiddenColumns());
    grid_->setColumnWidth(static_cast<int>(MovementColumn::Remark), 200);
    count_->setText(QStringLiteral("笔数：%1").arg(query_.rows().size()));
    total_->setText(QStringLiteral("合计金额：") + moneyOrNothing(query_.total()));
    excel_->setEnabled(true);
}

void MovementQueryScreen::onExcel() {
    lastExport_ =
        exportSheet(query_.sheet(), dm_.session(), query_.kind().sheetName, prompter_, opener_);
}

}  // namespace fennory::ui

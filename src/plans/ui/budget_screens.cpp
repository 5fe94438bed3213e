#include "plans/ui/budget_screens.h"

#include <QBarSet>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QStackedBarSeries>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/criteria_form.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"
#include "core/ui/record_screen.h"
#include "reporting/ui/charts.h"
#include "reporting/ui/report_preview.h"

namespace fennory::ui {
namespace {

constexpr const char* kSettingsNote =
    "说明：在月份格中输入金额，回车保存；在“每月相同”格中输入的金额用于全年每个月。"
    "清空金额即取消该月预算。";

dates::Ymd today(TfrmDM& dm) {
    return dates::parse(dm.session().currentDate()).value_or(dates::Ymd{2000, 1, 1});
}

QSpinBox* yearField(int year) {
    auto* y = withName("yearField", new QSpinBox);
    y->setRange(1900, 9999);
    y->setValue(year);
    y->setSuffix(QStringLiteral(" 年"));
    return y;
}

double yuan(Money m) {
    return static_cast<double>(m.units()) / static_cast<double>(Money::kScale);
}

}  // namespace

// ---- 预算设置 ----

TfrmBudget::TfrmBudget(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm, BudgetKind::Expense, today(dm).year),
      expense_(withName("expenseKind", new QRadioButton(QStringLiteral("支出预算")))),
      income_(withName("incomeKind", new QRadioButton(QStringLiteral("收入目标")))),
      year_(yearField(today(dm).year)),
      copy_(withName("copyButton", new QPushButton(QStringLiteral("按去年实际(&L)")))),
      grid_(withName("grid", new QTableWidget)) {
    setWindowTitle(QStringLiteral("预算设置"));
    expense_->setChecked(true);
    auto* head = new QGroupBox(QStringLiteral("预算设置"));
    auto* row = new QHBoxLayout(head);
    row->addWidget(expense_);
    row->addWidget(income_);
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("年份：")));
    row->addWidget(year_);
    row->addSpacing(24);
    row->addWidget(copy_);
    row->addStretch(1);
    row->addWidget(screenExitButton(this));

    grid_->setColumnCount(kBudgetColumns);
    QStringList headings;
    for (int c = 0; c < kBudgetColumns; ++c) {
        headings << qs(budgetColumnCaption(static_cast<BudgetColumn>(c)));
    }
    grid_->setHorizontalHeaderLabels(headings);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(head);
    outer->addWidget(grid_, 1);
    outer->addWidget(hintLabel(kSettingsNote));

    auto changed = guarded([this] { showKindYear(); });
    connect(expense_, &QRadioButton::toggled, this, changed);
    connect(year_, &QSpinBox::valueChanged, this, changed);
    connect(copy_, &QPushButton::clicked, this, guarded(this, &TfrmBudget::onCopyLastYear));
    connect(grid_, &QTableWidget::itemChanged, this, guarded(this, &TfrmBudget::onEdited));
    fill();
}

void TfrmBudget::showKindYear() {
    model_.show(expense_->isChecked() ? BudgetKind::Expense : BudgetKind::Income, year_->value());
    fill();
}

void TfrmBudget::fill() {
    filling_ = true;
    const auto& lines = model_.lines();
    grid_->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        for (int c = 0; c < kBudgetColumns; ++c) {
            const auto column = static_cast<BudgetColumn>(c);
            QTableWidgetItem* item = grid_->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid_->setItem(r, c, item);
            }
            item->setText(qs(model_.text(static_cast<std::size_t>(r), column)));
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (BudgetYear::editable(column)) {
                flags |= Qt::ItemIsEditable;
            }
            item->setFlags(flags);
            item->setTextAlignment(column == BudgetColumn::Name
                                       ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                       : int(Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    filling_ = false;
}

void TfrmBudget::onEdited(QTableWidgetItem* item) {
    if (filling_) {
        return;
    }
    const int row = item->row();
    const int col = item->column();
    const CheckResult r = model_.edit(static_cast<std::size_t>(row), static_cast<BudgetColumn>(col),
                                      ss(item->text().trimmed()));
    fill();  // the stored amounts, or the old ones back after a refusal
    if (!r.ok && !r.message.empty()) {
        prompter_.warn(qs(r.message));
        grid_->setCurrentCell(row, col);
    }
}

void TfrmBudget::onCopyLastYear() {
    if (!prompter_.ask(qs(model_.copyQuestion()), QStringLiteral("按去年实际"))) {
        return;
    }
    const int set = model_.copyLastYear();
    fill();
    prompter_.info(set == 0 ? QStringLiteral("%1 年没有记账，没有设置预算。").arg(model_.year() - 1)
                            : QStringLiteral("已按 %1 年的实际设置 %2 个月份的预算。")
                                  .arg(model_.year() - 1)
                                  .arg(set));
}

// ---- 预算执行表 ----

TfrmBudgetReport::TfrmBudgetReport(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                   QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      model_(dm),
      expense_(withName("expenseKind", new QRadioButton(QStringLiteral("支出")))),
      income_(withName("incomeKind", new QRadioButton(QStringLiteral("收入")))),
      year_(yearField(today(dm).year)),
      period_(withName("periodField", new QComboBox)),
      index_(withName("indexField", new QComboBox)),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      print_(withName("printButton", new QPushButton(QStringLiteral("打印")))),
      grid_(withName("grid", new RecordGrid)),
      chart_(withName("chart", new QChartView(new QChart))),
      pace_(withName("paceLabel", new QLabel)) {
    setWindowTitle(QStringLiteral("预算执行表"));
    expense_->setChecked(true);
    period_->addItems({QStringLiteral("月"), QStringLiteral("季度"), QStringLiteral("年")});
    offerIndexes();
    index_->setCurrentIndex(today(dm).month - 1);
    auto* criteria = new QGroupBox(QStringLiteral("统计条件"));
    auto* row = new QHBoxLayout(criteria);
    row->addWidget(expense_);
    row->addWidget(income_);
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("年份：")));
    row->addWidget(year_);
    row->addWidget(new QLabel(QStringLiteral("期间：")));
    row->addWidget(period_);
    row->addWidget(index_);
    row->addStretch(1);

    grid_->setTitleSorting(false);  // the unbudgeted and the totals stay below
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->chart()->setBackgroundBrush(Qt::white);
    chart_->setMinimumHeight(220);
    criteria->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* body = new QSplitter(Qt::Vertical);
    body->addWidget(grid_);
    body->addWidget(chart_);
    body->setStretchFactor(0, 2);
    body->setStretchFactor(1, 3);
    layOutQueryScreen(
        this,
        {.criteria = criteria, .buttons = {run_, excel_, print_}, .body = body, .totals = {pace_}});
    excel_->setEnabled(false);
    print_->setEnabled(false);
    connect(period_, &QComboBox::currentIndexChanged, this, guarded([this] { offerIndexes(); }));
    connect(run_, &QPushButton::clicked, this, guarded(this, &TfrmBudgetReport::onRun));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &TfrmBudgetReport::onExcel));
    connect(print_, &QPushButton::clicked, this, guarded(this, &TfrmBudgetReport::onPrint));
    onRun();  // the month under way, at once
}

void TfrmBudgetReport::offerIndexes() {
    const int was = index_->currentIndex();
    index_->clear();
    if (period_->currentIndex() == 0) {
        for (int m = 1; m <= 12; ++m) {
            index_->addItem(QStringLiteral("%1月").arg(m));
        }
    } else if (period_->currentIndex() == 1) {
        for (int q = 1; q <= 4; ++q) {
            index_->addItem(QStringLiteral("第%1季度").arg(q));
        }
    }
    index_->setCurrentIndex(std::clamp(was, 0, std::max(index_->count() - 1, 0)));
    index_->setVisible(index_->count() > 0);
}

void TfrmBudgetReport::onRun() {
    const auto period = static_cast<BudgetPeriod>(period_->currentIndex());
    model_.run(expense_->isChecked() ? BudgetKind::Expense : BudgetKind::Income, year_->value(),
               period, index_->currentIndex() + 1, dm_.session().currentDate());
    grid_->setTable(model_.table());
    drawBars();
    const BudgetReport& r = model_.report();
    pace_->setText(r.rows.empty() && r.unbudgeted.empty() ? QString() : qs(model_.paceLine()));
    excel_->setEnabled(true);
    print_->setEnabled(true);
}

void TfrmBudgetReport::drawBars() {
    QChart* chart = chart_->chart();
    clearChart(chart);
    chart->setTitle(qs(model_.title()));
    const std::vector<BudgetBar> bars = model_.bars();
    if (bars.empty()) {
        chart->setTitle(qs(model_.title()) + QStringLiteral("（没有预算）"));
        return;
    }
    // One set per colour: a bar's spending goes into the set of its level,
    // the budget left beside it in grey.
    struct Part {
        const char* caption;
        QColor colour;
    };
    const Part parts[] = {{"预算内", QColor(0x43, 0xa0, 0x47)},
                          {"超过 90%", QColor(0xff, 0xb3, 0x00)},
                          {"超出预算", QColor(0xe5, 0x39, 0x35)},
                          {"剩余预算", QColor(0xe0, 0xe0, 0xe0)}};
    std::array<QBarSet*, 4> sets{};
    auto* series = new QStackedBarSeries;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        sets[i] = new QBarSet(QString::fromUtf8(parts[i].caption));
        sets[i]->setColor(parts[i].colour);
        sets[i]->setBorderColor(parts[i].colour);
    }
    QStringList names;
    for (const BudgetBar& b : bars) {
        names << qs(b.name);
        const std::size_t coloured =
            b.level == BudgetLevel::Over ? 2 : (b.level == BudgetLevel::Near ? 1 : 0);
        for (std::size_t i = 0; i < 3; ++i) {
            *sets[i] << (i == coloured ? yuan(b.spent) : 0.0);
        }
        *sets[3] << yuan(b.left);
    }
    for (QBarSet* s : sets) {
        series->append(s);
    }
    chart->addSeries(series);
    addCategoryAxes(chart, series, names);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignTop);  // upright names fill the bottom
}

void TfrmBudgetReport::onExcel() {
    exportAs(model_.sheet(), "预算执行表");
}

void TfrmBudgetReport::onPrint() {
    showReportPreview(
        model_.printLayout(), model_.printRows(), prompter_, [this] { onExcel(); }, this);
}

}  // namespace fennory::ui

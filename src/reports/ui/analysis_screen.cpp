#include "reports/ui/analysis_screen.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QMdiSubWindow>
#include <QPieSeries>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "reporting/ui/charts.h"

namespace fennory::ui {
namespace {

constexpr double kLabelledSliceShare = 0.03;  // smaller slices are named in the legend only
// Past this many bars a bar is narrower than a pixel: each is then drawn at
// least one pixel wide, so that years of days still show.
constexpr int kThinBarsFrom = 300;

double yuan(Money m) {
    return static_cast<double>(m.units()) / static_cast<double>(Money::kScale);
}

QChartView* chartView(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(false);
    chart->legend()->setVisible(false);
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

}  // namespace

PictureFileChooser pngFileChooser() {
    return [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("保存图片"), suggested,
                                            QStringLiteral("PNG 图片 (*.png)"));
    };
}

AnalysisScreen::AnalysisScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                               const AnalysisKind& kind, PictureFileChooser chooser,
                               QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      chooser_(std::move(chooser)),
      analysis_(dm, kind),
      item_(withName("itemList", pickList(kind.items))),
      run_(withName("runButton", new QPushButton(QStringLiteral("统计")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      savePicture_(withName("savePictureButton", new QPushButton(QStringLiteral("保存图片")))),
      grid_(withName("grid", new RecordGrid)),
      tabs_(withName("tabs", new QTabWidget)),
      count_(withName("countLabel", new QLabel(QStringLiteral("数量：")))),
      total_(withName("totalLabel", new QLabel(QStringLiteral("合计金额：")))) {
    const QString caption = QString::fromUtf8(kind.caption);
    setWindowTitle(caption);
    criteria_ = new CriteriaForm(dm, QStringLiteral("查询条件"), analysisCriteria(kind),
                                 Analysis::initialFilter(dm.session().startDay()).criteria);
    item_->setCurrentIndex(static_cast<int>(AnalysisItem::Month));

    // The item applies whether or not its box is ticked.
    auto* byItem = new CriteriaBox(QStringLiteral("统计的项"), item_);
    byItem->setTicked(true);
    criteria_->addBox(byItem);

    const char* tabNames[3] = {"柱图", "折线图", "饼图"};
    for (std::size_t i = 0; i < 3; ++i) {
        views_[i] = chartView(caption);
        tabs_->addTab(views_[i], QString::fromUtf8(tabNames[i]));
    }
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(grid_);
    split->addWidget(tabs_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);

    layOutQueryScreen(this, {.criteria = criteria_,
                             .buttons = {run_, excel_, savePicture_},
                             .body = split,
                             .totals = {count_, total_}});

    excel_->setEnabled(false);
    savePicture_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &AnalysisScreen::onRun));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &AnalysisScreen::onExcel));
    connect(savePicture_, &QPushButton::clicked, this,
            guarded(this, &AnalysisScreen::onSavePicture));
}

QChart* AnalysisScreen::chart(int i) const {
    return views_.at(static_cast<std::size_t>(i))->chart();
}

void AnalysisScreen::onRun() {
    AnalysisFilter f{.criteria = criteria_->criteria()};
    f.item = static_cast<AnalysisItem>(std::max(0, item_->currentIndex()));
    analysis_.run(f);
    grid_->setTable(analysis_.table());
    grid_->setColumnWidth(0, 120);
    count_->setText(QStringLiteral("数量：%1").arg(analysis_.points().size()));
    total_->setText(QStringLiteral("合计金额：") +
                    (analysis_.total() ? qs(analysis_.total()->toDisplay()) : QString()));
    excel_->setEnabled(true);
    savePicture_->setEnabled(true);
    draw();
}

void AnalysisScreen::draw() {
    const auto& points = analysis_.points();
    QStringList labels;
    for (const AnalysisPoint& p : points) {
        labels << qs(p.label);
    }
    const QString caption = QString::fromUtf8(analysis_.kind().caption);

    QChart* bars = chart(0);
    clearChart(bars);
    auto* set = new QBarSet(caption);
    for (const AnalysisPoint& p : points) {
        *set << yuan(p.amount);
    }
    auto* barSeries = new QBarSeries;
    barSeries->append(set);
    bars->addSeries(barSeries);
    if (points.size() >= static_cast<std::size_t>(kThinBarsFrom)) {
        barSeries->setBarWidth(1.0);
        // A cosmetic pen in the theme's colour: one pixel at least.
        set->setPen(QPen(set->brush().color(), 0));
    }
    addCategoryAxes(bars, barSeries, labels);

    QChart* line = chart(1);
    clearChart(line);
    auto* lineSeries = new QLineSeries;
    lineSeries->setName(caption);
    lineSeries->setPointsVisible(true);
    for (std::size_t i = 0; i < points.size(); ++i) {
        lineSeries->append(static_cast<double>(i), yuan(points[i].amount));
    }
    line->addSeries(lineSeries);
    addCategoryAxes(line, lineSeries, labels);

    // One slice per row of the grid, in its order; a slice too small for its
    // label to be read beside the others leaves it to the legend.
    QChart* pie = chart(2);
    clearChart(pie);
    auto* pieSeries = new QPieSeries;
    for (const AnalysisPoint& p : points) {
        if (p.amount > Money()) {
            pieSeries->append(qs(p.label), yuan(p.amount));
        }
    }
    for (QPieSlice* sl : pieSeries->slices()) {
        const QString name = sl->label();
        sl->setLabel(QStringLiteral("%1 %2%").arg(name).arg(sl->percentage() * 100, 0, 'f', 1));
        sl->setLabelVisible(sl->percentage() >= kLabelledSliceShare);
    }
    pie->addSeries(pieSeries);
    pie->legend()->setVisible(true);
    pie->legend()->setAlignment(Qt::AlignRight);
    QFont small = pie->legend()->font();
    small.setPointSizeF(std::min(small.pointSizeF(), 8.0));
    pie->legend()->setFont(small);
}

void AnalysisScreen::onExcel() {
    exportAs(analysis_.sheet(), analysis_.kind().sheetName);
}

void AnalysisScreen::onSavePicture() {
    auto* view = qobject_cast<QChartView*>(tabs_->currentWidget());
    if (!view || !chooser_) {
        return;
    }
    const QString suggested = QString::fromUtf8(analysis_.kind().caption) + QStringLiteral("-") +
                              tabs_->tabText(tabs_->currentIndex()) + QStringLiteral(".png");
    QString file = chooser_(this, suggested);
    if (file.isEmpty()) {
        return;
    }
    if (!file.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        file += QStringLiteral(".png");
    }
    if (!view->grab().save(file, "PNG")) {
        prompter_.warn(QStringLiteral("图片没有保存：无法写入 ") + file);
        return;
    }
    lastPicture_ = file;
    prompter_.info(QStringLiteral("图片已保存：") + file);
}

QString mySumReport(TfrmDM& dm, Prompter& prompter, const MonthGroupKind& kind,
                    const FileOpener& opener) {
    const MonthGroupTable t = monthGroupTable(dm, kind);
    return exportSheet(monthGroupSheet(dm.book(), kind, t), dm.session(), kind.title, prompter,
                       opener);
}

}  // namespace fennory::ui

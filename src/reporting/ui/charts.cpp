#include "reporting/ui/charts.h"

#include <QBarCategoryAxis>
#include <QValueAxis>

#include <algorithm>

namespace fennory::ui {
namespace {

// Past this many points the axis labels stand upright, so that every label
// stays readable; past the most labels an axis can show, only every few
// points is named.
constexpr int kUprightLabelsFrom = 12;
constexpr int kMostLabels = 40;

}  // namespace

void clearChart(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* a : chart->axes()) {
        chart->removeAxis(a);
        delete a;
    }
}

// The category axis under the bars and the line, the value axis beside them.
void addCategoryAxes(QChart* chart, QAbstractSeries* series, const QStringList& labels) {
    auto* x = new QBarCategoryAxis;
    const int step = (static_cast<int>(labels.size()) + kMostLabels - 1) / kMostLabels;
    QStringList shown;
    for (int i = 0; i < labels.size(); ++i) {
        // Categories must differ: an unnamed one is a run of zero-width spaces.
        shown << (i % std::max(step, 1) == 0 ? labels[i] : QString(i + 1, QChar(0x200B)));
    }
    x->append(shown);
    if (labels.size() >= kUprightLabelsFrom) {
        x->setLabelsAngle(-90);
        x->setTruncateLabels(false);
        QFont small = x->labelsFont();
        small.setPointSizeF(std::min(small.pointSizeF(), 8.0));
        x->setLabelsFont(small);
    }
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

}  // namespace fennory::ui

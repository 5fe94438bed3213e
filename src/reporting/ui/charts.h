#pragma once
// What the charts of the reports share: emptying one for a new run, and the
// category axis under the bars (or points) with the value axis beside them.

#include <QAbstractSeries>
#include <QChart>
#include <QStringList>

namespace fennory::ui {

// Every series and axis gone.
void clearChart(QChart* chart);
// The labels name the categories; many stand upright, and past what an axis
// can show only every few is named.
void addCategoryAxes(QChart* chart, QAbstractSeries* series, const QStringList& labels);

}  // namespace fennory::ui

#pragma once
// The reports computed the plain way: a statement per period, or per cell of
// a cross table, each scanning the book. The tests hold the reports to them
// and the benchmarks measure the reports against them.

#include <vector>

#include "core/data_module.h"
#include "reports/analysis.h"
#include "reports/period_report.h"

namespace fennory {

std::vector<PeriodRow> periodRowsByStatements(TfrmDM& dm, const PeriodKind& kind,
                                              const Criteria& f);

// The month-by-group table with one statement per cell, per row and column
// total and for the grand total.
MonthGroupTable monthGroupByStatements(TfrmDM& dm, const MonthGroupKind& kind);

}  // namespace fennory

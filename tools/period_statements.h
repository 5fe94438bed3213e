#pragma once
// The monthly and yearly report computed the plain way: two statements per
// period, each scanning the book for the period's key. The tests hold the
// report to it and the benchmarks measure the report against it.

#include <vector>

#include "core/data_module.h"
#include "reports/period_report.h"

namespace fennory {

std::vector<PeriodRow> periodRowsByStatements(TfrmDM& dm, const PeriodKind& kind,
                                              const StatFilter& f);

}  // namespace fennory

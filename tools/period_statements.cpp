#include "period_statements.h"

#include <fmt/format.h>

namespace fennory {
namespace {

struct Sums {
    Money sum;
    std::int64_t count = 0;
};

Sums periodSums(TfrmDM& dm, const PeriodKind& kind, const char* table, const char* date,
                const char* money, const std::string& key, const Criteria& f) {
    std::string sql =
        fmt::format("SELECT sum({}), count(*) FROM {} WHERE BName=?1 AND substr({},1,{})=?2", money,
                    table, date, kind.keyLength);
    const bool byAccount = f.ticked(Criterion::Account);
    const bool byMember = f.ticked(Criterion::Member);
    if (byAccount) {
        sql += " AND AName=?3";
    }
    if (byMember) {
        sql += byAccount ? " AND FName=?4" : " AND FName=?3";
    }
    Statement s = dm.db().prepare(sql);
    s.bindAll(dm.book(), key);
    int next = 3;
    if (byAccount) {
        s.bind(next++, f.text(Criterion::Account));
    }
    if (byMember) {
        s.bind(next, f.text(Criterion::Member));
    }
    Sums out;
    if (s.step()) {
        out.sum = s.isNull(0) ? Money() : s.money(0);
        out.count = s.integer(1);
    }
    return out;
}

}  // namespace

std::vector<PeriodRow> periodRowsByStatements(TfrmDM& dm, const PeriodKind& kind,
                                              const Criteria& f) {
    std::vector<PeriodRow> rows;
    for (const std::string& key : periodKeys(kind, f.from(), f.to())) {
        const Sums in = periodSums(dm, kind, "InTable", "IDate", "IMoney", key, f);
        const Sums out = periodSums(dm, kind, "OutTable", "ODate", "OMoney", key, f);
        rows.push_back(periodRow(key, in.sum, in.count, out.sum, out.count));
    }
    return rows;
}

MonthGroupTable monthGroupByStatements(TfrmDM& dm, const MonthGroupKind& k) {
    auto sum = [&](const std::string& where, const std::vector<Value>& args) {
        Statement s = dm.db().prepare(fmt::format("SELECT SUM({}) FROM {} WHERE (BName=?1){}",
                                                  k.moneyColumn, k.table, where));
        s.bind(1, dm.book());
        for (std::size_t i = 0; i < args.size(); ++i) {
            s.bind(static_cast<int>(i) + 2, args[i]);
        }
        return s.step() && !s.isNull(0) ? s.money(0) : Money();
    };
    MonthGroupTable t;
    Statement months = dm.db().prepare(
        fmt::format("SELECT substr({0},1,7) FROM {1} WHERE BName=?1 GROUP BY substr({0},1,7)",
                    k.dateColumn, k.table));
    months.bind(1, dm.book());
    while (months.step()) {
        t.months.push_back(months.text(0));
    }
    Statement groups = dm.db().prepare(
        fmt::format("SELECT {0} FROM {1} WHERE (BName=?1) GROUP BY {0}", k.groupColumn, k.table));
    groups.bind(1, dm.book());
    while (groups.step()) {
        t.groups.push_back(groups.isNull(0) ? std::nullopt
                                            : std::optional<std::string>(groups.text(0)));
    }
    auto groupValue = [](const std::optional<std::string>& g) -> Value {
        return g ? Value(*g) : Value(Null{});
    };
    const std::string month = fmt::format(" AND (substr({},1,7)=?2)", k.dateColumn);
    for (const std::string& m : t.months) {
        std::vector<Money> row;
        for (const auto& g : t.groups) {
            row.push_back(
                sum(month + fmt::format(" AND ({}=?3)", k.groupColumn), {Value(m), groupValue(g)}));
        }
        t.cells.push_back(std::move(row));
        t.monthTotals.push_back(sum(month, {Value(m)}));
    }
    for (const auto& g : t.groups) {
        t.groupTotals.push_back(sum(fmt::format(" AND ({}=?2)", k.groupColumn), {groupValue(g)}));
    }
    t.grandTotal = sum("", {});
    return t;
}

}  // namespace fennory

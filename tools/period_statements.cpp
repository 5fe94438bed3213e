#include "period_statements.h"

#include <fmt/format.h>

namespace fennory {
namespace {

struct Sums {
    Money sum;
    std::int64_t count = 0;
};

Sums periodSums(TfrmDM& dm, const PeriodKind& kind, const char* table, const char* date,
                const char* money, const std::string& key, const StatFilter& f) {
    std::string sql =
        fmt::format("SELECT sum({}), count(*) FROM {} WHERE BName=?1 AND substr({},1,{})=?2", money,
                    table, date, kind.keyLength);
    if (f.byAccount) {
        sql += " AND AName=?3";
    }
    if (f.byMember) {
        sql += f.byAccount ? " AND FName=?4" : " AND FName=?3";
    }
    Statement s = dm.db().prepare(sql);
    s.bindAll(dm.book(), key);
    int next = 3;
    if (f.byAccount) {
        s.bind(next++, f.account);
    }
    if (f.byMember) {
        s.bind(next, f.member);
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
                                              const StatFilter& f) {
    std::vector<PeriodRow> rows;
    for (const std::string& key : periodKeys(kind, f.from, f.to)) {
        const Sums in = periodSums(dm, kind, "InTable", "IDate", "IMoney", key, f);
        const Sums out = periodSums(dm, kind, "OutTable", "ODate", "OMoney", key, f);
        rows.push_back(periodRow(key, in.sum, in.count, out.sum, out.count));
    }
    return rows;
}

}  // namespace fennory

#include "reports/movement_query.h"

#include <fmt/format.h>

#include "core/condition.h"
#include "core/dates.h"

namespace fennory {

const MovementKind& repaymentQuery() {
    static const MovementKind k{.caption = "还债记录查询",
                                .table = "BorrowR",
                                .parent = "Borrow",
                                .link = "BID",
                                .partyCriterion = "债  权  人",
                                .partyColumn = "BPro",
                                .partyTitle = "债权人",
                                .parties = &TfrmDM::ComPType,
                                .accountCriterion = "账户名称",
                                .accountTitle = "账户名称",
                                .accountSortKey = "账户名称",
                                .amountColumn = "RMoney",
                                .amountTitle = "还债金额",
                                .bookTitle = "账薄名称",
                                .sheetName = "还债表"};
    return k;
}

const MovementKind& collectionQuery() {
    static const MovementKind k{.caption = "收债记录查询",
                                .table = "DebtR",
                                .parent = "Debt",
                                .link = "DID",
                                .partyCriterion = "债  务  人",
                                .partyColumn = "DPro",
                                .partyTitle = "债务人",
                                .parties = &TfrmDM::ComPType,
                                .accountCriterion = "账户名称",
                                .accountTitle = "账户名称",
                                .accountSortKey = "帐户名称",
                                .amountColumn = "RMoney",
                                .amountTitle = "收债金额",
                                .bookTitle = "账薄名称",
                                .sheetName = "收债表"};
    return k;
}

const MovementKind& returnQuery() {
    static const MovementKind k{.caption = "收益记录查询",
                                .table = "TTableR",
                                .parent = "TTable",
                                .link = "TID",
                                .partyCriterion = "投资类别",
                                .partyColumn = "TName",
                                .partyTitle = "投资类别",
                                .parties = &TfrmDM::ComTZType,
                                .accountCriterion = "帐户名称",
                                .accountTitle = "帐户名称",
                                .accountSortKey = "帐户名称",
                                .amountColumn = "SMoney",
                                .amountTitle = "收益金额",
                                .bookTitle = "帐薄名称",
                                .sheetName = "收益表"};
    return k;
}

std::vector<std::string> movementSortCaptions(const MovementKind& kind) {
    return {"日期", kind.partyTitle, kind.amountTitle, kind.accountSortKey, "家庭成员"};
}

MovementQuery::MovementQuery(TfrmDM& dm, const MovementKind& kind) : dm_(dm), kind_(kind) {}

CriteriaTable movementCriteria(const MovementKind& kind) {
    using C = Criterion;
    using I = CriterionInput;
    const std::string m = kind.table;  // the movement's columns, named by their table
    return {{C::Date, "日        期", I::Dates, "RDate"},
            {C::Name, kind.partyCriterion, I::Lookup, kind.partyColumn, kind.parties},
            {C::Account, kind.accountCriterion, I::Lookup, m + ".AName", &TfrmDM::ComAccount},
            {C::Member, "家庭成员", I::Lookup, m + ".FName", &TfrmDM::ComFamily},
            {C::Remark, "备        注", I::Text, m + ".Remark"}};
}

MovementFilter MovementQuery::initialFilter(const std::string& today) {
    return {.criteria = Criteria().dates(dates::oneMonthBack(today), today)};
}

void MovementQuery::run(const MovementFilter& f) {
    const std::string m = kind_.table;  // the movement's columns, named by their table
    const Condition c = conditionOf(movementCriteria(kind_), f.criteria);
    const std::string sortColumns[5] = {"RDate", kind_.partyColumn, m + "." + kind_.amountColumn,
                                        m + ".AName", m + ".FName"};
    // Equal keys keep the order the movements were entered in.
    const std::string order =
        fmt::format(" ORDER BY {}{}, {}.ID", sortColumns[static_cast<int>(f.sort)],
                    f.descending ? " DESC" : "", m);
    const std::string from =
        fmt::format("FROM {0} INNER JOIN {1} ON {0}.{2}={1}.ID", m, kind_.parent, kind_.link);

    Statement s = dm_.db().prepare(fmt::format(
        "SELECT {0}.BName AS {1}, RDate AS 日期, {2} AS {3}, {0}.{4} AS {5}, {0}.AName AS {6}, "
        "{0}.FName AS 家庭成员, {0}.Remark AS 备注 {7} WHERE {0}.BName=?{8}{9}",
        m, kind_.bookTitle, kind_.partyColumn, kind_.partyTitle, kind_.amountColumn,
        kind_.amountTitle, kind_.accountTitle, from, c.sql, order));
    s.bind(1, dm_.book());
    c.bind(s, 1);
    rows_ = Table::load(std::move(s), {kind_.amountTitle});

    Statement t = dm_.db().prepare(fmt::format("SELECT sum({}.{}) {} WHERE {}.BName=?{}", m,
                                               kind_.amountColumn, from, m, c.sql));
    t.bind(1, dm_.book());
    c.bind(t, 1);
    total_.reset();
    if (t.step() && !t.isNull(0)) {
        total_ = t.money(0);
    }
    last_ = f;
    ran_ = true;
}

Sheet MovementQuery::sheet() const {
    Sheet s = schemeSheet(fmt::format("{}-{}（{}至{}）", dm_.book(), kind_.sheetName,
                                      last_.criteria.from(), last_.criteria.to()),
                          7, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, 6}, centred);
    s.setColumns({4, 10, 10, 10, 10, 10, 20}, 1,
                 {"序号", "日期", kind_.partyTitle, kind_.amountTitle, kind_.accountTitle,
                  "家庭成员", "备注"});
    int r = 2;
    for (std::size_t i = 0; i < rows_.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        for (int c = 1; c < 7; ++c) {
            s.setValue(r, c, rows_.rows[i][static_cast<std::size_t>(c)]);
        }
    }
    s.setText(r, 0, "合计");
    s.setNumber(r, 1, static_cast<double>(rows_.size()));
    s.setMoney(r, 3, total_.value_or(Money()));
    s.borderRange({1, 0, r, 6});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

}  // namespace fennory

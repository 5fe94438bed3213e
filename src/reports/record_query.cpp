#include "reports/record_query.h"

#include <fmt/format.h>

#include "core/dates.h"
#include "core/main_texts.h"
#include "core/record_types.h"

namespace fennory {
namespace {

using C = Criterion;
using I = CriterionInput;
using P = QueryKind::Page;

const char* const kDetailMoney[] = {"还债金额", "收债金额", "收回本金", "收益金额"};

std::vector<std::string> moneyCaptions(const QueryKind& k) {
    std::vector<std::string> out;
    for (const QueryColumn& c : k.columns) {
        if (c.money) {
            out.emplace_back(c.caption);
        }
    }
    return out;
}

// The remark, account and member criteria most members share.
CriterionDef lookup(Criterion id, const char* caption, const char* column,
                    std::vector<std::string> (TfrmDM::*names)()) {
    return {id, caption, I::Lookup, column, names};
}
const CriterionDef kRemark{C::Remark, "备        注", I::Text, "Remark"};

}  // namespace

namespace {

// Income and expenses differ in their table, columns and words, and in their
// layout file, whose columns stand a millimetre apart.
QueryKind entryQuery(bool income) {
    const RecordTypeDef& t = recordType(income ? RecordType::Income : RecordType::Expense);
    const char* name = income ? "收入类别" : "支出类别";
    return QueryKind{
        .caption = income ? "收入查询" : "支出查询",
        .table = t.table,
        .onlyInUse = "",
        .criteria =
            {{C::Date, t.dateCaption, I::Dates, t.dateColumn},
             {C::Name, name, I::EditableList, t.nameColumn, t.nameList, t.names.table.data()},
             {C::Account, "账户名称", I::EditableList, "AName", &TfrmDM::ComAccount, "SAccount"},
             {C::Member, "家庭成员", I::EditableList, "FName", &TfrmDM::ComFamily, "SFamily"},
             kRemark},
        .columns = {{"BName", "账薄名称", false, true},
                    {t.dateColumn, "日期"},
                    {t.nameColumn, name},
                    {t.moneyColumn, "金额", true},
                    {"AName", "账户名称"},
                    {"FName", "家庭成员"},
                    {"Remark", "备注"}},
        .sortKeys = {{"日期", t.dateColumn},
                     {name, t.nameColumn},
                     {"金额", t.moneyColumn},
                     {"账户名称", "AName"},
                     {"家庭成员", "FName"}},
        .fixedOrder = "",
        .countLabel = "笔数：",
        .totalColumns = {t.moneyColumn},
        .totalLabels = {"合计金额："},
        .zeroWhenEmpty = false,
        .sheetName = income ? "收入表" : "支出表",
        .widths = {4, 10, 12, 10, 12, 12, 56},
        .totalSheetColumns = {3},
        .periodInTitle = true,
        .page = P::Landscape3007,
        .detailSql = "",
        .layoutName = income ? "Print/theSR.rf3" : "Print/theZC.rf3",
        .reportName = income ? "收入报表" : "支出报表",
        .print = {{0, "序号", "ID"},
                  {11, t.dateCaption, t.dateColumn},
                  {35, name, t.nameColumn},
                  {income ? 69.0 : 68.0, income ? "收入金额" : "支出金额", t.moneyColumn, true},
                  {income ? 92.0 : 91.0, "账户名称", "AName"},
                  {income ? 117.0 : 118.0, "家庭成员", "FName"},
                  {income ? 141.0 : 142.0, "备注", "Remark"}}};
}

}  // namespace

const QueryKind& incomeQuery() {
    static const QueryKind k = entryQuery(true);
    return k;
}

const QueryKind& expenseQuery() {
    static const QueryKind k = entryQuery(false);
    return k;
}

const QueryKind& transferQuery() {
    static const QueryKind k{
        .caption = "转帐查询",
        .table = "ChangeT",
        .onlyInUse = "",
        .criteria = {{C::Date, "转账日期", I::Dates, "CDate"},
                     lookup(C::Member, "家庭成员", "FName", &TfrmDM::ComFamily),
                     kRemark},
        .columns = {{"BName", "账薄名称", false, true},
                    {"CDate", "日期"},
                    {"OldN", "原账户"},
                    {"NewN", "到账账户"},
                    {"CMoney", "转账金额", true},
                    {"FName", "家庭成员"},
                    {"Remark", "备注"}},
        .sortKeys = {},
        .fixedOrder = " ORDER BY CDate DESC, ID DESC",
        .countLabel = "笔数：",
        .totalColumns = {"CMoney"},
        .totalLabels = {"合计金额："},
        .zeroWhenEmpty = false,
        .sheetName = "转账表",
        .widths = {4, 10, 12, 10, 12, 12, 56},
        .totalSheetColumns = {4},
        .periodInTitle = true,
        .page = P::Landscape,
        .detailSql = "",
        .layoutName = "Print/theZZ.rf3",
        .reportName = "转账报表",
        .print = {{0, "序号", "ID"},
                  {11, "转帐日期", "CDate"},
                  {35, "原始帐户", "OldN"},
                  {59, "到账账户", "NewN"},
                  {83, "转账金额", "CMoney", true},
                  {107, "家庭成员", "FName"},
                  {131, "备注", "Remark"}}};
    return k;
}

namespace {

// Debts and credits differ in their table, columns and words only.
QueryKind loanQuery(bool debt) {
    const char* date = debt ? "BDate" : "DDate";
    const char* party = debt ? "BPro" : "DPro";
    const char* money = debt ? "BMoney" : "DMoney";
    return QueryKind{
        .caption = debt ? "债务查询" : "债权查询",
        .table = debt ? "Borrow" : "Debt",
        .onlyInUse = "",
        .criteria = {{C::Date, "日        期", I::Dates, date},
                     lookup(C::Name, debt ? "债  权  人" : "债  务  人", party, &TfrmDM::ComPType),
                     lookup(C::Account, "账户名称", "AName", &TfrmDM::ComAccount),
                     lookup(C::Member, "家庭成员", "FName", &TfrmDM::ComFamily),
                     kRemark},
        .columns = {{"BName", "账薄名称", false, true},
                    {date, "日期"},
                    {party, debt ? "债权人" : "债务人"},
                    {money, debt ? "债务金额" : "债权金额", true},
                    {"AName", "账户名称"},
                    {"FName", "家庭成员"},
                    {"RMoney", debt ? "已还金额" : "已收金额", true},
                    {"Remark", "备注"},
                    {"ID", "ID", false, true}},
        .sortKeys = {{"日期", date},
                     {debt ? "债权人" : "债务人", party},
                     {"金额", money},
                     {"账户名称", "AName"},
                     {"家庭成员", "FName"}},
        .fixedOrder = "",
        .countLabel = "笔数：",
        .totalColumns = {money},
        .totalLabels = {"合计金额："},
        .zeroWhenEmpty = false,
        .sheetName = debt ? "债务表" : "债权表",
        .widths = {4, 10, 12, 10, 12, 12, 10, 46},
        .totalSheetColumns = {3},
        .periodInTitle = true,
        .page = P::Landscape3007,
        .detailSql =
            debt
                ? "SELECT RDate AS 日期, RMoney AS 还债金额, AName AS 账户名称, FName AS 家庭成员, "
                  "Remark AS 备注 FROM BorrowR WHERE BID=?1 ORDER BY RDate DESC, ID DESC"
                : "SELECT RDate AS 日期, RMoney AS 收债金额, AName AS 账户名称, FName AS 家庭成员, "
                  "Remark AS 备注 FROM DebtR WHERE DID=?1 ORDER BY RDate DESC, ID DESC",
        .layoutName = debt ? "Print/theZW.rf3" : "Print/theZQ.rf3",
        .reportName = debt ? "债务报表" : "债权报表",
        .print = {{0, "序号", "ID"},
                  {11, "日期", date},
                  {35, debt ? "债权人名" : "债务人名", party},
                  {59, debt ? "债务金额" : "债权金额", money, true},
                  {83, "账户名称", "AName"},
                  {107, "家庭成员", "FName"},
                  {131, debt ? "已还金额" : "已收金额", "RMoney", true},
                  {155, "备注", "Remark"}}};
}

}  // namespace

const QueryKind& debtQuery() {
    static const QueryKind k = loanQuery(true);
    return k;
}

const QueryKind& creditQuery() {
    static const QueryKind k = loanQuery(false);
    return k;
}

const QueryKind& investmentQuery() {
    static const QueryKind k{
        .caption = "投资查询",
        .table = "TTable",
        .onlyInUse = "",
        .criteria = {{C::Date, "日        期", I::Dates, "TDate"},
                     lookup(C::Name, "投资类别", "TName", &TfrmDM::ComTZType),
                     lookup(C::Account, "账户名称", "AName", &TfrmDM::ComAccount),
                     lookup(C::Member, "家庭成员", "FName", &TfrmDM::ComFamily),
                     kRemark},
        .columns = {{"BName", "账薄名称", false, true},
                    {"TDate", "日期"},
                    {"TName", "投资类别"},
                    {"TMoney", "投资金额", true},
                    {"RMoney", "收益金额", true},
                    {"AName", "账户名称"},
                    {"FName", "家庭成员"},
                    {"Remark", "备注"},
                    {"ID", "ID", false, true}},
        .sortKeys = {{"日期", "TDate"},
                     {"投资类别", "TName"},
                     {"投资金额", "TMoney"},
                     {"收益金额", "RMoney"},
                     {"账户名称", "AName"},
                     {"家庭成员", "FName"}},
        .fixedOrder = "",
        .countLabel = "笔数：",
        .totalColumns = {"TMoney", "RMoney"},
        .totalLabels = {"合计投资金额：", "合计收益金额："},
        .zeroWhenEmpty = false,
        .sheetName = "投资表",
        .widths = {4, 10, 10, 10, 10, 10, 10, 10},
        .totalSheetColumns = {3, 4},
        .periodInTitle = true,
        .page = P::Bottom3607,
        .detailSql =
            "SELECT RDate AS 收益日期, RMoney AS 收回本金, SMoney AS 收益金额, AName AS 账户名称, "
            "FName AS 家庭成员, Remark AS 备注 FROM TTableR WHERE TID=?1 ORDER BY RDate DESC, ID "
            "DESC",
        .layoutName = "Print/theTZ.rf3",
        .reportName = "投资报表",
        .print = {{0, "序号", "ID"},
                  {11, "投资日期", "TDate"},
                  {35, "投资类别", "TName"},
                  {59, "投资金额", "TMoney", true},
                  {83, "收益金额", "RMoney", true},
                  {107, "帐户名称", "AName"},
                  {131, "家庭成员", "FName"},
                  {155, "备注", "Remark"}}};
    return k;
}

const QueryKind& accountQuery() {
    static const QueryKind k{
        .caption = "账户查询",
        .table = "SAccount",
        .onlyInUse = " AND theState='启用'",
        .criteria = {{C::Type, "账户分类", I::TypeList, "theType", &TfrmDM::DBComSAType},
                     lookup(C::Member, "家庭成员", "FName", &TfrmDM::ComFamily),
                     lookup(C::Account, "账户名称", "AName", &TfrmDM::ComAccount),
                     kRemark},
        .columns = {{"theType", "账户分类"},
                    {"FName", "家庭成员"},
                    {"AName", "账户名称"},
                    {"AMoney", "账户余额", true},
                    {"Remark", "备注"}},
        .sortKeys = {},
        .fixedOrder = " ORDER BY theType, FName, AName",
        .countLabel = "账户记录：",
        .totalColumns = {"AMoney"},
        .totalLabels = {"账户余额："},
        .zeroWhenEmpty = true,
        .sheetName = "账户表",
        .widths = {4, 10, 12, 14, 10, 20},
        .totalSheetColumns = {4},
        .periodInTitle = false,
        .page = P::Portrait3007,
        .detailSql = "",
        .layoutName = "",
        .reportName = "",
        .print = {}};
    return k;
}

RecordQuery::RecordQuery(TfrmDM& dm, const QueryKind& kind) : dm_(dm), kind_(kind) {}

Criteria RecordQuery::initialCriteria(const std::string& today) const {
    Criteria out;
    for (const CriterionDef& c : kind_.criteria) {
        if (c.input == I::Dates) {
            out.dates(dates::oneMonthBack(today), today);
        } else if (c.input == I::TypeList) {
            out.set(c.id, {.ticked = false, .text = "现金"});
        }
    }
    return out;
}

std::string RecordQuery::order(int sortKey, bool descending) const {
    if (kind_.sortKeys.empty() || sortKey < 0 ||
        sortKey >= static_cast<int>(kind_.sortKeys.size())) {
        return kind_.fixedOrder;
    }
    // Equal keys keep the order the records were entered in.
    return fmt::format(" ORDER BY {}{}, ID",
                       kind_.sortKeys[static_cast<std::size_t>(sortKey)].second,
                       descending ? " DESC" : "");
}

void RecordQuery::run(const Criteria& criteria, int sortKey, bool descending) {
    // The export's title names the period, ticked or not.
    from_ = criteria.from();
    to_ = criteria.to();
    Condition c = conditionOf(kind_.criteria, criteria);
    std::string select;
    for (const QueryColumn& col : kind_.columns) {
        select += fmt::format("{}{} AS {}", select.empty() ? "" : ", ", col.expr, col.caption);
    }
    Statement s =
        dm_.db().prepare(fmt::format("SELECT {} FROM {} WHERE BName=?{}{}{}", select, kind_.table,
                                     kind_.onlyInUse, c.sql, order(sortKey, descending)));
    s.bind(1, dm_.book());
    c.bind(s, 1);
    rows_ = Table::load(std::move(s), moneyCaptions(kind_));

    std::string sums;
    for (const char* t : kind_.totalColumns) {
        sums += fmt::format("{}sum({})", sums.empty() ? "" : ", ", t);
    }
    Statement t = dm_.db().prepare(fmt::format("SELECT {} FROM {} WHERE BName=?{}{}", sums,
                                               kind_.table, kind_.onlyInUse, c.sql));
    t.bind(1, dm_.book());
    c.bind(t, 1);
    totals_ = {rows_.size(), {}};
    if (t.step()) {
        for (int i = 0; i < static_cast<int>(kind_.totalColumns.size()); ++i) {
            totals_.sums.push_back(t.isNull(i) ? std::nullopt : std::optional<Money>(t.money(i)));
        }
    }
    condition_ = std::move(c);
    ran_ = true;
}

std::vector<std::string> RecordQuery::totalTexts() const {
    std::vector<std::string> out{kind_.countLabel + std::to_string(totals_.count)};
    for (std::size_t i = 0; i < kind_.totalLabels.size(); ++i) {
        std::optional<Money> m = i < totals_.sums.size() ? totals_.sums[i] : std::nullopt;
        if (!m && kind_.zeroWhenEmpty) {
            m = Money();
        }
        out.push_back(kind_.totalLabels[i] + (m ? m->toDisplay() : std::string()));
    }
    return out;
}

std::vector<int> RecordQuery::hiddenColumns() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < kind_.columns.size(); ++i) {
        if (kind_.columns[i].hidden) {
            out.push_back(static_cast<int>(i));
        }
    }
    return out;
}

std::int64_t RecordQuery::idOf(const Table& shown, std::size_t row) const {
    const int col = shown.column("ID");
    if (col < 0 || row >= shown.size()) {
        return 0;
    }
    const Value& v = shown.rows[row][static_cast<std::size_t>(col)];
    const auto* id = std::get_if<std::int64_t>(&v);
    return id ? *id : 0;
}

Table RecordQuery::detail(std::int64_t id) {
    if (*kind_.detailSql == '\0') {
        return {};
    }
    Statement s = dm_.db().prepare(kind_.detailSql);
    s.bind(1, id);
    return Table::load(std::move(s), {std::begin(kDetailMoney), std::end(kDetailMoney)});
}

Sheet RecordQuery::sheet() const {
    std::vector<std::size_t> visible;
    for (std::size_t i = 0; i < kind_.columns.size(); ++i) {
        if (!kind_.columns[i].hidden) {
            visible.push_back(i);
        }
    }
    const int width = static_cast<int>(visible.size()) + 1;
    const std::string title =
        kind_.periodInTitle
            ? fmt::format("{}-{}（{}至{}）", dm_.book(), kind_.sheetName, from_, to_)
            : fmt::format("{}-{}", dm_.book(), kind_.sheetName);
    Sheet s = schemeSheet(title, width, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, width - 1}, centred);
    for (int c = 0; c < width && c < static_cast<int>(kind_.widths.size()); ++c) {
        s.setColumnWidth(c, kind_.widths[static_cast<std::size_t>(c)]);
    }
    s.setText(1, 0, "序号");
    for (std::size_t c = 0; c < visible.size(); ++c) {
        s.setText(1, static_cast<int>(c) + 1, kind_.columns[visible[c]].caption);
    }
    int r = 2;
    for (std::size_t i = 0; i < rows_.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        for (std::size_t c = 0; c < visible.size(); ++c) {
            s.setValue(r, static_cast<int>(c) + 1, rows_.rows[i][visible[c]]);
        }
    }
    s.setText(r, 0, "合计");
    s.setNumber(r, 1, static_cast<double>(rows_.size()));
    for (std::size_t i = 0; i < kind_.totalSheetColumns.size(); ++i) {
        std::optional<Money> m = i < totals_.sums.size() ? totals_.sums[i] : std::nullopt;
        if (m || kind_.zeroWhenEmpty) {
            s.setMoney(r, kind_.totalSheetColumns[i], m.value_or(Money()));
        }
    }
    s.borderRange({1, 0, r, width - 1});
    PageSetup& p = s.page();
    switch (kind_.page) {
        case P::Landscape3007:
            p.landscape = true;
            p.marginTop = p.marginBottom = p.marginLeft = p.marginRight = 300.0 / 7.0;
            break;
        case P::Landscape:
            p.landscape = true;
            break;
        case P::Bottom3607:
            p.marginBottom = kReportBottomMargin;
            break;
        case P::Portrait3007:
            p.landscape = false;
            p.marginTop = p.marginBottom = p.marginLeft = p.marginRight = 300.0 / 7.0;
            break;
    }
    return s;
}

report::Layout RecordQuery::printLayout() const {
    return report::ruledListLayout(kind_.layoutName, dm_.book() + kind_.reportName, true,
                                   kind_.print);
}

Table RecordQuery::printRows(int sortKey, bool descending) {
    std::vector<std::string> money;
    for (const PrintColumn& c : kind_.print) {
        if (c.money) {
            money.emplace_back(c.column);
        }
    }
    // The transfers print in no particular order; the others as the lists stand.
    const std::string orderBy = kind_.sortKeys.empty() ? "" : order(sortKey, descending);
    Statement s = dm_.db().prepare(fmt::format("SELECT * FROM {} WHERE BName=?{}{}{}", kind_.table,
                                               kind_.onlyInUse, condition_.sql, orderBy));
    s.bind(1, dm_.book());
    condition_.bind(s, 1);
    return Table::load(std::move(s), money);
}

}  // namespace fennory

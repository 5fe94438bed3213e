#include "reports/fund_flow.h"

#include "core/field_limits.h"

#include <fmt/format.h>

#include "core/columns.h"
#include "core/dates.h"
#include "core/gbk.h"
#include "core/main_texts.h"

namespace fennory {

namespace {

using C = FlowColumn;
constexpr ColumnDef kColumns[] = {
    {C::Date, "theDate", "日期"},
    {C::Kind, "theType", "收支类别"},
    {C::Remark, "Remark", "摘要"},
    {C::In, "theIn", "收入", true},
    {C::Out, "theOut", "支出", true},
    {C::Account, "AName", "账户名称"},
    {C::Balance, "AMoney", "本次余额", true},
    {C::Member, "FName", "家庭成员"},
    {C::Event, "theE", "事件"},
    {C::Id, "ID", "ID", false, true},
};
static_assert(columnsInOrder(kColumns));

constexpr int col(C c) {
    return static_cast<int>(c);
}

}  // namespace

std::vector<int> FundFlowLog::hiddenColumns() {
    return fennory::hiddenColumns(kColumns);
}

std::int64_t FundFlowLog::idOf(const Table& t, std::size_t row) {
    const Value& v = t.rows.at(row)[static_cast<std::size_t>(col(C::Id))];
    return std::holds_alternative<std::int64_t>(v) ? std::get<std::int64_t>(v) : 0;
}

FundFlowLog::FundFlowLog(TfrmDM& dm) : dm_(dm) {}

const CriteriaTable& fundFlowCriteria() {
    using I = CriterionInput;
    static const CriteriaTable t{
        {Criterion::Date, "日        期", I::Dates, "theDate"},
        {Criterion::Account, "账户名称", I::Lookup, "AName", &TfrmDM::ComAccount},
        {Criterion::Member, "家庭成员", I::Lookup, "FName", &TfrmDM::ComFamily},
        {.id = Criterion::Remark,
         .caption = "摘        要",
         .input = I::Text,
         .column = "Remark",
         .maxBytes = limits::kLogRemark},
        {Criterion::Kind, "收支类别", I::Lookup, "theType", &TfrmDM::DBComSZType}};
    return t;
}

const std::vector<std::string>& flowSortCaptions() {
    static const std::vector<std::string> captions{"日期", "收支类别", "账户名称", "本次余额",
                                                   "家庭成员"};
    return captions;
}

FundFlowCriteria FundFlowLog::initialCriteria(const std::string& today,
                                              const FundFlowPreset& preset) {
    FundFlowCriteria c;
    c.criteria.dates(dates::oneMonthBack(today), today, false);
    if (preset.account) {
        c.criteria.tick(Criterion::Account, *preset.account);
    }
    if (preset.member) {
        c.criteria.tick(Criterion::Member, *preset.member);
    }
    return c;
}

void FundFlowLog::query(const FundFlowCriteria& c) {
    criteria_ = c;
    condition_ = conditionOf(fundFlowCriteria(), c.criteria);
    queried_ = true;
    myRef();
}

std::string FundFlowLog::where() const {
    return " WHERE BName=?" + condition_.sql;
}

void FundFlowLog::bindWhere(Statement& s) const {
    s.bind(1, dm_.book());
    condition_.bind(s, 1);
}

std::string FundFlowLog::orderClause() const {
    if (!criteria_.sorted) {
        return " ORDER BY ID";
    }
    // In the order of FlowSort; ties keep the order of the log.
    static const char* const columns[] = {"theDate", "theType", "AName", "AMoney", "FName"};
    return fmt::format(" ORDER BY {}, ID", columns[static_cast<std::size_t>(criteria_.sort)]);
}

void FundFlowLog::myRef() {
    Statement s = dm_.db().prepare(
        fmt::format("SELECT {} FROM UList{}{}", selectList(kColumns), where(), orderClause()));
    bindWhere(s);
    list_ = loadColumns(std::move(s), kColumns);
    Statement t = dm_.db().prepare("SELECT count(*), sum(theIn), sum(theOut) FROM UList" + where());
    bindWhere(t);
    totals_ = FundFlowTotals{};
    if (t.step()) {
        totals_.count = static_cast<std::size_t>(t.integer(0));
        if (!t.isNull(1)) {
            totals_.in = t.money(1);
        }
        if (!t.isNull(2)) {
            totals_.out = t.money(2);
        }
    }
}

void FundFlowLog::deleteEntry(std::int64_t id) {
    dm_.db().execute("DELETE FROM UList WHERE ID=?1 AND BName=?2", id, dm_.book());
    myRef();
}

void FundFlowLog::deleteAllListed() {
    Statement s = dm_.db().prepare("DELETE FROM UList" + where());
    bindWhere(s);
    s.run();
    myRef();
}

FlowCheck FundFlowLog::recalculate(const std::string& account) {
    if (list_.empty()) {
        return FlowCheck::pass();
    }
    if (account.empty()) {
        return FlowCheck::fail("请选择 账户名称！", FlowField::Account);
    }
    const int in = col(C::In), out = col(C::Out), balance = col(C::Balance), id = col(C::Id);
    Transaction t(dm_.db());
    Statement up = dm_.db().prepare("UPDATE UList SET AMoney=?1 WHERE ID=?2");
    Money carried;
    for (const auto& row : list_.rows) {
        Money mIn = std::get<Money>(row[static_cast<std::size_t>(in)]);
        Money mOut = std::get<Money>(row[static_cast<std::size_t>(out)]);
        std::int64_t rowId = std::get<std::int64_t>(row[static_cast<std::size_t>(id)]);
        if (!mIn.isZero()) {
            up.reset();
            up.bindAll(carried + mIn, rowId);
            up.run();
        }
        if (!mOut.isZero()) {
            up.reset();
            up.bindAll(carried - mOut, rowId);
            up.run();
        }
        carried = std::get<Money>(row[static_cast<std::size_t>(balance)]);
    }
    t.commit();
    myRef();
    return FlowCheck::pass();
}

std::optional<FlowEdit> FundFlowLog::editOf(std::int64_t id) const {
    for (std::size_t row = 0; row < list_.size(); ++row) {
        if (idOf(list_, row) != id) {
            continue;
        }
        FlowEdit e;
        e.id = id;
        e.theDate = cellText(list_, row, C::Date);
        e.theType = cellText(list_, row, C::Kind);
        e.Remark = cellText(list_, row, C::Remark);
        e.theIn = cellText(list_, row, C::In);
        e.theOut = cellText(list_, row, C::Out);
        e.AName = cellText(list_, row, C::Account);
        e.FName = cellText(list_, row, C::Member);
        return e;
    }
    return std::nullopt;
}

FlowCheck FundFlowLog::saveEdit(const FlowEdit& e) {
    if (!dates::isValid(e.theDate)) {
        return FlowCheck::fail("日期 不是有效的日期！", FlowField::Date);
    }
    // Both amounts are checked before anything is written.
    if (e.theIn.empty()) {
        return FlowCheck::fail("收入 不能为空！请重新录入！", FlowField::In);
    }
    if (e.theOut.empty()) {
        return FlowCheck::fail("支出 不能为空！请重新录入！", FlowField::Out);
    }
    for (auto [label, text, field] : {std::tuple{"收入", &e.theIn, FlowField::In},
                                      std::tuple{"支出", &e.theOut, FlowField::Out}}) {
        if (auto tooLarge = Money::typedRangeError(label, *text)) {
            return FlowCheck::fail(*tooLarge, field);
        }
    }
    auto in = Money::parse(e.theIn);
    if (!in) {
        return FlowCheck::fail("收入 必须是数字！请重新录入！", FlowField::In);
    }
    auto out = Money::parse(e.theOut);
    if (!out) {
        return FlowCheck::fail("支出 必须是数字！请重新录入！", FlowField::Out);
    }
    dm_.db().execute(
        "UPDATE UList SET theDate=?1, theType=?2, Remark=?3, theIn=?4, theOut=?5, AName=?6, "
        "FName=?7 WHERE ID=?8 AND BName=?9",
        e.theDate, e.theType, e.Remark, *in, *out, e.AName, e.FName, e.id, dm_.book());
    myRef();
    return FlowCheck::pass();
}

Sheet FundFlowLog::sheet() const {
    const std::string book = dm_.book();
    Sheet s = schemeSheet(fmt::format("{}-资金流动日志（{}至{}）", book, criteria_.criteria.from(),
                                      criteria_.criteria.to()),
                          9, true);
    s.setColumns(
        {4, 10, 12, 40, 10, 10, 12, 10, 12}, 1,
        {"序号", "日期", "收支类别", "摘要", "收入", "支出", "账户名称", "本次余额", "家庭成员"});
    const C columns[8] = {C::Date, C::Kind,    C::Remark,  C::In,
                          C::Out,  C::Account, C::Balance, C::Member};
    int r = 2;
    for (std::size_t i = 0; i < list_.size(); ++i, ++r) {
        s.setNumber(r, 0, static_cast<double>(i + 1));
        for (int c = 0; c < 8; ++c) {
            s.setValue(r, c + 1, list_.rows[i][static_cast<std::size_t>(col(columns[c]))]);
        }
    }
    s.setText(r, 0, "合计");
    if (totals_.in) {
        s.setMoney(r, 4, *totals_.in);
    }
    if (totals_.out) {
        s.setMoney(r, 5, *totals_.out);
    }
    s.borderRange({1, 0, r, 8});
    PageSetup& p = s.page();
    p.landscape = true;
    p.marginTop = p.marginBottom = p.marginLeft = p.marginRight = 300.0 / 7.0;
    return s;
}

namespace {

// A totals band of the log's print: its label and count, then the sums of
// income and expenses under their columns, of the page or of the whole log.
void totalsBand(report::Band& b, double usable, report::Source count, const char* label,
                report::Source sum, bool bold) {
    using namespace report;
    const double inX = 16 + 24 + 28 + 65, outX = inX + 27;
    b.height = 8;
    b.rules = {{0, 0.5, usable, 0.5}};
    b.fields = {{.source = count, .text = label, .width = 60, .bold = bold}};
    for (auto [column, left] : {std::pair{"theIn", inX}, {"theOut", outX}}) {
        b.fields.push_back({.source = sum,
                            .column = column,
                            .left = left,
                            .width = 27,
                            .align = Align::Right,
                            .format = Format::Number,
                            .bold = bold});
    }
}

}  // namespace

report::Layout FundFlowLog::printLayout() const {
    using namespace report;  // the layout vocabulary: Align, Field, Format, Source
    report::Layout l{.name = "Print/thePage3.rf3",
                     .title = dm_.book() + "资金流动日志",
                     .landscape = true};                             // 10 mm margins
    const double usable = l.width() - l.marginLeft - l.marginRight;  // 277 mm

    l.pageHeader.height = 18;
    l.pageHeader.fields = {
        {.text = dm_.book() + "资金流动日志",
         .width = usable,
         .align = Align::Center,
         .bold = true,
         .fontPt = 14},
        {.source = Source::PageNumber, .text = "页数 ", .width = 40},
        {.source = Source::PrintDateTime, .left = usable - 60, .width = 60, .align = Align::Right},
    };

    struct Col {
        const char* heading;
        const char* column;
        double width;
        Align align;
        Format format;
    };
    const Col cols[9] = {{"序号", "ID", 16, Align::Left, Format::Text},
                         {"日期", "theDate", 24, Align::Left, Format::Text},
                         {"收支类别", "theType", 28, Align::Left, Format::Text},
                         {"摘要", "Remark", 65, Align::Left, Format::Text},
                         {"收入", "theIn", 27, Align::Right, Format::Number},
                         {"支出", "theOut", 27, Align::Right, Format::Number},
                         {"账户名称", "AName", 30, Align::Left, Format::Text},
                         {"账户余额", "AMoney", 30, Align::Right, Format::Number},
                         {"家庭成员", "FName", 30, Align::Left, Format::Text}};
    l.columnHeader.height = 7;
    l.data.height = 6;
    double x = 0;
    for (const Col& c : cols) {
        l.columnHeader.fields.push_back(
            {.text = c.heading, .left = x, .width = c.width, .align = c.align, .bold = true});
        l.data.fields.push_back({.source = Source::Column,
                                 .column = c.column,
                                 .left = x,
                                 .width = c.width,
                                 .align = c.align,
                                 .format = c.format});
        x += c.width;
    }
    l.columnHeader.rules = {{0, 7, usable, 7}};
    totalsBand(l.summary, usable, Source::RowCount, "合计 ", Source::Sum, true);
    totalsBand(l.pageFooter, usable, Source::PageRowCount, "本页合计 ", Source::PageSum, false);
    l.pageFooter.fields.push_back({.text = std::string(kVendorAddress),
                                   .left = usable - 70,
                                   .width = 70,
                                   .align = Align::Right,
                                   .fontPt = 8});
    return l;
}

Table FundFlowLog::printRows() const {
    Statement s = dm_.db().prepare("SELECT * FROM UList" + where() + orderClause());
    bindWhere(s);
    return Table::load(std::move(s), {"theIn", "theOut", "AMoney"});
}

}  // namespace fennory

#include "reports/period_report.h"

#include <fmt/format.h>

#include <map>

#include "core/condition.h"
#include "core/dates.h"
#include "core/main_texts.h"

namespace fennory {
namespace {

std::string monthlyFrom(const std::string& today) {
    return dates::firstOfMonth(dates::addMonths(dates::firstOfMonth(today), -11));
}
std::string monthlyTo(const std::string& today) {
    const auto d = dates::parse(today);
    return d ? dates::format(d->year, d->month, dates::daysInMonth(d->year, d->month)) : today;
}
std::string yearlyFrom(const std::string& today) {
    return dates::format(std::stoi(dates::yearOf(today)) - 1, 1, 1);
}
std::string yearlyTo(const std::string& today) {
    return dates::format(std::stoi(dates::yearOf(today)), 12, 31);
}

// The key of the period `k` periods after the one holding `date`.
std::string keyAfter(const PeriodKind& kind, const dates::Ymd& date, int k) {
    const int index = date.month - 1 + k * kind.monthsPerPeriod;
    const std::string day = dates::format(date.year + index / 12, index % 12 + 1, 1);
    return day.substr(0, static_cast<std::size_t>(kind.keyLength));
}

struct Sums {
    Money sum;
    std::int64_t count = 0;
};

// One pass over a side's records from the first key to the key after the
// last, read from the covering date index, summed by period here.
std::map<std::string, Sums> sidePeriods(TfrmDM& dm, const PeriodKind& kind, const char* table,
                                        const char* date, const char* money,
                                        const std::string& first, const std::string& afterLast,
                                        const Condition& extra) {
    Statement s = dm.db().prepare(
        fmt::format("SELECT {1}, {2} FROM {3} WHERE BName=? AND {1}>=? AND {1}<?{4}",
                    kind.keyLength, date, money, table, extra.sql));
    s.bindAll(dm.book(), first, afterLast);
    extra.bind(s, 3);
    std::map<std::string, Sums> out;
    const auto length = static_cast<std::size_t>(kind.keyLength);
    std::string key;
    Sums* current = nullptr;
    while (s.step()) {
        const std::string d = s.text(0);
        // In date order a period's rows follow one another; under another
        // index they still land in their period, only found anew.
        if (!current || d.compare(0, length, key) != 0) {
            key = d.substr(0, length);
            current = &out[key];
        }
        current->sum += s.money(1);
        ++current->count;
    }
    return out;
}

}  // namespace

const PeriodKind& monthlyReport() {
    static const PeriodKind k{.caption = "收支月报表",
                              .periodCaption = "月份",
                              .keyLength = 7,
                              .monthsPerPeriod = 1,
                              .spanNumerator = 487,
                              .spanDenominator = 16,
                              .printTitle = "收支月统计表",
                              .layoutName = "Print/theSZ_M.rf3",
                              .defaultFrom = monthlyFrom,
                              .defaultTo = monthlyTo};
    return k;
}

const PeriodKind& yearlyReport() {
    static const PeriodKind k{.caption = "收支年报表",
                              .periodCaption = "年份",
                              .keyLength = 4,
                              .monthsPerPeriod = 12,
                              .spanNumerator = 1461,
                              .spanDenominator = 4,
                              .printTitle = "收支年统计表",
                              .layoutName = "Print/theSZ_Y.rf3",
                              .defaultFrom = yearlyFrom,
                              .defaultTo = yearlyTo};
    return k;
}

std::vector<std::string> periodKeys(const PeriodKind& kind, const std::string& from,
                                    const std::string& to) {
    const auto start = dates::parse(from);
    if (!start || !dates::isValid(to) || to < from) {
        return {};
    }
    // Whole spans of 30.4375 (365.25) days between the dates, exact in integers.
    const long days = dates::dayNumber(to) - dates::dayNumber(from);
    const long n = days * kind.spanDenominator / kind.spanNumerator + 1;
    std::vector<std::string> keys;
    for (long k = 0; k < n; ++k) {
        keys.push_back(keyAfter(kind, *start, static_cast<int>(k)));
    }
    return keys;
}

PeriodRow periodRow(std::string key, Money incomeSum, std::int64_t incomeCount, Money expenseSum,
                    std::int64_t expenseCount) {
    PeriodRow r{std::move(key),         incomeSum, incomeCount, expenseSum, expenseCount,
                incomeSum - expenseSum, 0.0};
    if (!incomeSum.isZero() && !expenseSum.isZero()) {
        r.share = expenseSum.ratioTo(incomeSum);
    }
    return r;
}

PeriodReport::PeriodReport(TfrmDM& dm, const PeriodKind& kind) : dm_(dm), kind_(kind) {}

Criteria PeriodReport::initialFilter(const std::string& today) const {
    return Criteria().dates(kind_.defaultFrom(today), kind_.defaultTo(today));
}

CheckResult PeriodReport::run(const Criteria& f,
                              const std::function<void(std::size_t, std::size_t)>& progress) {
    const std::string& from = f.from();
    const std::string& to = f.to();
    if (from > to || !dates::isValid(from) || !dates::isValid(to)) {
        return CheckResult::fail("日期选择错误，请重新选择！");
    }
    const std::vector<std::string> keys = periodKeys(kind_, from, to);
    // The span is the periods' own; the account and member narrow them.
    const Condition extra = conditionOf(statCriteria(""), Criteria(f).untick(Criterion::Date));
    const std::string afterLast =
        keyAfter(kind_, *dates::parse(from), static_cast<int>(keys.size()));
    const auto in =
        sidePeriods(dm_, kind_, "InTable", "IDate", "IMoney", keys.front(), afterLast, extra);
    const auto out =
        sidePeriods(dm_, kind_, "OutTable", "ODate", "OMoney", keys.front(), afterLast, extra);

    std::vector<PeriodRow> rows;
    PeriodTotals totals;
    Transaction t(dm_.db());
    dm_.db().execute("DELETE FROM SZTable");
    Statement insert = dm_.db().prepare(
        "INSERT INTO SZTable(theDate,theSM,theSC,theZM,theZC,theJY,theBC) "
        "VALUES(?1,?2,?3,?4,?5,?6,?7)");
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto i1 = in.find(keys[i]);
        const auto o1 = out.find(keys[i]);
        const Sums si = i1 == in.end() ? Sums{} : i1->second;
        const Sums so = o1 == out.end() ? Sums{} : o1->second;
        PeriodRow r = periodRow(keys[i], si.sum, si.count, so.sum, so.count);
        insert.reset();
        insert.bindAll(r.key, r.incomeSum, r.incomeCount, r.expenseSum, r.expenseCount, r.balance);
        insert.bind(7, fmt::format("{:.6f}", r.share));
        insert.run();
        totals.incomeSum += r.incomeSum;
        totals.incomeCount += r.incomeCount;
        totals.expenseSum += r.expenseSum;
        totals.expenseCount += r.expenseCount;
        totals.balance += r.balance;
        rows.push_back(std::move(r));
        if (progress) {
            progress(i + 1, keys.size());
        }
    }
    t.commit();
    totals.periods = rows.size();
    rows_ = std::move(rows);
    totals_ = totals;
    ran_ = true;
    return CheckResult::pass();
}

Table PeriodReport::table() const {
    Table t;
    t.columns = {kind_.periodCaption, "收入金额", "收入笔数",  "支出金额",
                 "支出笔数",          "结余金额", "支出占收入"};
    for (const PeriodRow& r : rows_) {
        t.rows.push_back({r.key, r.incomeSum, r.incomeCount, r.expenseSum, r.expenseCount,
                          r.balance, fmt::format("{:.2f}", r.share)});
    }
    return t;
}

Sheet PeriodReport::sheet() const {
    Sheet s = schemeSheet(dm_.book() + "-" + kind_.caption, 8, false);
    const CellStyle centred{.halign = HAlign::Center, .valign = VAlign::Center};
    s.styleRange({0, 0, 1, 7}, centred);
    s.setColumns({4, 8, 10, 10, 10, 10, 10, 11}, 1,
                 {"序号", kind_.periodCaption, "收入金额", "收入笔数", "支出金额", "支出笔数",
                  "结余金额", "支出占收入"});
    int r = 2;
    for (std::size_t i = 0; i < rows_.size(); ++i, ++r) {
        const PeriodRow& p = rows_[i];
        s.setNumber(r, 0, static_cast<double>(i + 1));
        s.setText(r, 1, p.key);
        s.setMoney(r, 2, p.incomeSum);
        s.setNumber(r, 3, static_cast<double>(p.incomeCount));
        s.setMoney(r, 4, p.expenseSum);
        s.setNumber(r, 5, static_cast<double>(p.expenseCount));
        s.setMoney(r, 6, p.balance);
        s.setNumber(r, 7, p.share, "0.00");
    }
    s.setText(r, 0, "合计");
    s.setMoney(r, 2, totals_.incomeSum);
    s.setNumber(r, 3, static_cast<double>(totals_.incomeCount));
    s.setMoney(r, 4, totals_.expenseSum);
    s.setNumber(r, 5, static_cast<double>(totals_.expenseCount));
    s.setMoney(r, 6, totals_.balance);
    s.borderRange({1, 0, r, 7});
    s.page().marginBottom = kReportBottomMargin;
    return s;
}

namespace {

constexpr double kPrintWidth = 190;  // mm between the margins
constexpr double kPt = 0.75;         // a pixel of the layout in points

struct PrintCol {
    double left;
    const char* heading;
    const char* column;
    report::Align align;
    report::Format format;
};

double printColumnWidth(const std::vector<PrintCol>& cols, std::size_t i) {
    return (i + 1 < cols.size() ? cols[i + 1].left : kPrintWidth) - cols[i].left - 2;
}

// The vertical rules between the columns and the line under a band.
void rule(report::Band& b) {
    for (double x : {0.0, 9.0, 33.0, 57.0, 81.0, 105.0, 129.0, 153.0, kPrintWidth}) {
        b.rules.push_back({x, 0, x, b.height});
    }
    b.rules.push_back({0, b.height, kPrintWidth, b.height});
}

// A totals band: its label and count, then the sums of the money and count
// columns, of the page or of the whole report.
void totalsBand(report::Band& b, const std::vector<PrintCol>& cols, report::Source count,
                const char* label, report::Source sum) {
    using namespace report;
    b.height = 7;
    b.fields = {{.source = count, .text = label, .width = 32, .fontPt = 13 * kPt}};
    for (std::size_t i = 2; i < 7; ++i) {
        b.fields.push_back({.source = sum,
                            .column = cols[i].column,
                            .left = cols[i].left + 1,
                            .width = printColumnWidth(cols, i),
                            .align = Align::Right,
                            .format = cols[i].format,
                            .fontPt = 13 * kPt});
    }
}

}  // namespace

report::Layout PeriodReport::printLayout() const {
    using namespace report;  // the layout vocabulary: Align, Field, Format, Source
    report::Layout l{.name = kind_.layoutName, .title = kind_.printTitle};  // 10 mm margins
    const std::vector<PrintCol> cols{
        {0, "序号", "ID", Align::Right, Format::Text},
        {11, kind_.periodCaption, "theDate", Align::Left, Format::Text},
        {35, "收入金额", "theSM", Align::Right, Format::Number},
        {59, "收入笔数", "theSC", Align::Right, Format::Text},
        {83, "支出金额", "theZM", Align::Right, Format::Number},
        {107, "支出笔数", "theZC", Align::Right, Format::Text},
        {131, "结余", "theJY", Align::Right, Format::Number},
        {155, "", "theBC", Align::Right, Format::Fixed}};

    // 22 mm: the title, 9 mm down the page number and print time, 16 mm down
    // the ruled heading row (the column header band).
    l.pageHeader = report::titledPageHeader(kind_.printTitle, kPrintWidth);
    l.columnHeader.height = 6;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        l.columnHeader.fields.push_back({.text = cols[i].heading,
                                         .left = cols[i].left + 1,
                                         .width = printColumnWidth(cols, i),
                                         .align = Align::Center,
                                         .fontPt = 13 * kPt});
        l.data.fields.push_back({.source = i == 0 ? Source::RowNumber : Source::Column,
                                 .column = cols[i].column,
                                 .left = cols[i].left + 1,
                                 .width = printColumnWidth(cols, i),
                                 .align = cols[i].align,
                                 .format = cols[i].format,
                                 .fontPt = 13 * kPt});
    }
    rule(l.columnHeader);
    l.columnHeader.rules.push_back({0, 0, kPrintWidth, 0});
    l.data.height = 7;
    rule(l.data);
    totalsBand(l.summary, cols, Source::RowCount, "合计 ", Source::Sum);
    rule(l.summary);
    totalsBand(l.pageFooter, cols, Source::PageRowCount, "本页合计 ", Source::PageSum);
    l.pageFooter.fields.push_back({.text = std::string(kVendorAddress),
                                   .left = 155,
                                   .width = 35,
                                   .align = Align::Right,
                                   .fontPt = 8});
    rule(l.pageFooter);
    return l;
}

Table PeriodReport::printRows() const {
    Statement s = dm_.db().prepare(
        "SELECT ID, theDate, theSM, theSC, theZM, theZC, theJY, printf('%.4f', theBC) AS theBC "
        "FROM SZTable ORDER BY ID");
    return Table::load(std::move(s), {"theSM", "theZM", "theJY"});
}

}  // namespace fennory

#include "import/bills.h"

#include "core/record_types.h"

#include <fmt/format.h>
#include <iconv.h>
#include <re2/re2.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "core/gbk.h"
#include "core/text.h"
#include "import/record_import.h"
#include "import/refund_links.h"
#include "import/spreadsheet_reader.h"

namespace fs = std::filesystem;

namespace fennory {
namespace {

// Patterns read bytes as the text's UTF-8 holds them, "年" as three. RE2 takes
// time in proportion to the text and no stack for it: std::regex recursed
// once a character, and a date cell of a megabyte brought the program down.
const RE2::Options& bytePatterns() {
    static const RE2::Options o = [] {
        RE2::Options b;
        b.set_encoding(RE2::Options::EncodingLatin1);
        return b;
    }();
    return o;
}

bool contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int n = c < 0x80           ? 1
                      : (c >> 5) == 0x6  ? 2
                      : (c >> 4) == 0xE  ? 3
                      : (c >> 3) == 0x1E ? 4
                                         : 0;
        if (n == 0 || i + static_cast<std::size_t>(n) > s.size()) {
            return false;
        }
        for (int k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += static_cast<std::size_t>(n);
    }
    return true;
}

std::string fromGb18030(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return bytes;
    }
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                const std::size_t used = static_cast<std::size_t>(o - out.data());
                out.resize(out.size() * 2);
                o = out.data() + used;
                outLeft = out.size() - used;
                continue;
            }
            // A byte that is no character: kept out, the rest still read.
            ++in;
            --inLeft;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    iconv_close(cd);
    return out;
}

std::string readFile(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (!ec && size > kMaxBillBytes) {
        throw SpreadsheetReadError(
            fmt::format("{} 有 {} MB，不像是账单或对账单（最多 {} MB），不予读取。",
                        file.filename().string(), size >> 20, kMaxBillBytes >> 20));
    }
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

BillDirection directionOf(const std::string& text) {
    const std::string t = trimmed(text);
    if (t == "收入" || t == "贷" || t == "收") {
        return BillDirection::Income;
    }
    if (t == "支出" || t == "借" || t == "支") {
        return BillDirection::Expense;
    }
    return BillDirection::Neutral;
}

// The columns a known export names, by what they hold.
struct Columns {
    std::string source;
    std::string date, altDate, category, counterparty, description, direction, amount, method,
        status, id;
    bool refundRows = true;  // see Bill::refundRows
};

// A bill is taken for the first export whose every named column its header has.
const std::vector<Columns>& knownExports() {
    static const std::vector<Columns> c = {
        {"京东", "交易时间", "", "交易分类", "商户名称", "交易说明", "收/支", "金额", "收/付款方式",
         "交易状态", "交易订单号", false},
        {"美团", "交易成功时间", "交易创建时间", "交易类型", "", "订单标题", "收/支", "实付金额",
         "支付方式", "", "交易单号"},
        {"支付宝", "交易时间", "", "交易分类", "交易对方", "商品说明", "收/支", "金额",
         "收/付款方式", "交易状态", "交易订单号"},
        {"支付宝", "付款时间", "交易创建时间", "类型", "交易对方", "商品名称", "收/支",
         "金额（元）", "", "交易状态", "交易号"},
        {"微信", "交易时间", "", "交易类型", "交易对方", "商品", "收/支", "金额(元)", "支付方式",
         "当前状态", "交易单号"},
    };
    return c;
}

int columnOf(const std::vector<std::string>& header, const std::string& name) {
    if (name.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (trimmed(header[i]) == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool hasAll(const std::vector<std::string>& row, std::initializer_list<std::string> names) {
    return std::all_of(names.begin(), names.end(),
                       [&](const std::string& n) { return n.empty() || columnOf(row, n) >= 0; });
}

std::string cellAt(const std::vector<std::string>& row, int c) {
    return c >= 0 && static_cast<std::size_t>(c) < row.size()
               ? trimmed(row[static_cast<std::size_t>(c)])
               : std::string();
}

// Where the data ends: the dashes and counts some exports append, a total
// ("人民币合计") or a closing note ("以上数据仅供参考").
bool endsTheData(const std::vector<std::string>& row) {
    const std::string first = row.empty() ? std::string() : trimmed(row[0]);
    if (first.rfind("-", 0) == 0 || first.rfind("共", 0) == 0) {
        return true;
    }
    for (const std::string& cell : row) {
        for (const char* mark : {"合计", "总计", "以上数据", "仅供参考", "温馨提示"}) {
            if (contains(cell, mark)) {
                return true;
            }
        }
    }
    return false;
}

// A cell that says "none": empty, or dashes.
bool noneCell(const std::string& text) {
    return text.find_first_not_of("-—") == std::string::npos;
}

// The period a statement covers, from its first line that names two dates:
// the years its dates without one fall in.
struct Period {
    int fromYear = 0, fromMonth = 0, toYear = 0, toMonth = 0;
};

std::optional<Period> statementPeriod(const std::vector<std::vector<std::string>>& rows,
                                      std::size_t before) {
    // Alternatives, not brackets: a character class sees the bytes of 年 one by one.
    static const RE2 full(R"((\d{4})\s*(?:-|/|\.|年)?\s*(\d{1,2})\s*(?:-|/|\.|月)?\s*(\d{1,2}))",
                          bytePatterns());
    for (std::size_t r = 0; r < before; ++r) {
        std::string line;
        for (const std::string& c : rows[r]) {
            line += c + ' ';
        }
        std::vector<std::pair<int, int>> found;
        re2::StringPiece rest(line);
        int y = 0, m = 0;
        while (RE2::FindAndConsume(&rest, full, &y, &m)) {
            if (y >= 1990 && y <= 2200 && m >= 1 && m <= 12) {
                found.emplace_back(y, m);
            }
        }
        if (found.size() >= 2) {
            return Period{found[0].first, found[0].second, found[1].first, found[1].second};
        }
    }
    return std::nullopt;
}

// A statement's date: "2025-01-01", "2025/1/1", "20250101", "2025年1月1日",
// each perhaps with a time; or without a year ("12/29", "1月3日"), then in
// `year`, or in the period's year that holds its month. Nothing when it is no
// date; "?" when it has no year and none is known.
std::optional<std::string> statementDate(const std::string& raw,
                                         const std::optional<Period>& period, int year) {
    if (auto d = importDate(raw)) {
        return d;
    }
    const std::string text = trimmed(raw);
    static const RE2 compact(R"((\d{4})(\d{2})(\d{2})(?:\s.*)?)", bytePatterns());
    static const RE2 chinese(R"((\d{4})年(\d{1,2})月(\d{1,2})(?:日)?(?:\s.*)?)", bytePatterns());
    static const RE2 noYear(R"((\d{1,2})\s*(?:-|/|\.|月)\s*(\d{1,2})(?:日)?(?:\s.*)?)",
                            bytePatterns());
    std::string y1, m1, d1;
    if (RE2::FullMatch(text, compact, &y1, &m1, &d1) ||
        RE2::FullMatch(text, chinese, &y1, &m1, &d1)) {
        return importDate(fmt::format("{}-{}-{}", y1, m1, d1));
    }
    if (RE2::FullMatch(text, noYear, &m1, &d1)) {
        const int month = std::stoi(m1);
        int y = year;
        if (period) {
            y = period->fromYear == period->toYear || month >= period->fromMonth ? period->fromYear
                                                                                 : period->toYear;
        }
        if (y == 0) {
            return std::string("?");
        }
        return importDate(fmt::format("{}-{}-{}", y, m1, d1));
    }
    return std::nullopt;
}

std::size_t filledCells(const std::vector<std::string>& row) {
    return static_cast<std::size_t>(std::count_if(
        row.begin(), row.end(), [](const std::string& c) { return !trimmed(c).empty(); }));
}

// A fee the platform took, said only in the row's note ("服务费¥0.10" of a
// withdrawal): an expense of its own, beside the row.
std::optional<BillRow> feeOf(const BillRow& row, const std::string& note) {
    static const RE2 fee(R"(服务费\s*(?:¥|￥)?\s*(\d+(?:\.\d+)?))", bytePatterns());
    std::string figure;
    if (!RE2::PartialMatch(note, fee, &figure)) {
        return std::nullopt;
    }
    const auto amount = billAmount(figure);
    if (!amount || amount->isZero()) {
        return std::nullopt;
    }
    BillRow f = row;
    f.direction = BillDirection::Expense;
    f.amount = *amount;
    f.description = "服务费";
    if (contains(row.category, "提现")) {
        f.method = "零钱";  // a withdrawal's fee is taken from the wallet, not the card
    }
    f.category = "服务费";
    f.txId = row.txId.empty() ? std::string() : row.txId + "-服务费";
    return f;
}

// The rows of a bill under its header, read by the named columns.
CheckResult readRows(const std::vector<std::vector<std::string>>& rows, std::size_t headerRow,
                     const Columns& c, const BankLayout* bank, int year, BillRead& read) {
    Bill& bill = read.bill;
    const std::optional<Period> period = statementPeriod(rows, headerRow);
    const auto& header = rows[headerRow];
    auto col = [&](const std::string& name) { return columnOf(header, name); };
    const int date = col(c.date), altDate = col(c.altDate), category = col(c.category),
              party = col(c.counterparty), description = col(c.description),
              direction = col(c.direction), amount = col(c.amount), method = col(c.method),
              status = col(c.status), id = col(c.id);
    const int income = bank ? col(bank->income) : -1, expense = bank ? col(bank->expense) : -1;
    const int note = bank ? -1 : col("备注");
    for (std::size_t r = headerRow + 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const std::size_t line = r + 1;
        std::string when = cellAt(row, date);
        if (when.empty()) {
            when = cellAt(row, altDate);
        }
        if (when.empty() && filledCells(row) <= 2) {
            continue;  // a blank line, or a note between the rows
        }
        auto d = statementDate(when, period, year);
        if (!d && endsTheData(row)) {
            break;
        }
        if (!d) {
            return CheckResult::fail(
                fmt::format("第 {} 行 日期“{}”不是有效的日期，账单没有导入。", line, when));
        }
        if (*d == "?") {
            read.needsYear = true;
            return CheckResult::fail("账单的日期没有年份，也没有写明账单期间，请指明年份。");
        }
        BillRow b;
        b.line = line;
        b.date = *d;
        if (income >= 0 || expense >= 0) {
            const std::string inText = cellAt(row, income), outText = cellAt(row, expense);
            const auto in = noneCell(inText) ? std::nullopt : billAmount(inText);
            const auto out = noneCell(outText) ? std::nullopt : billAmount(outText);
            if ((!noneCell(inText) && !in) || (!noneCell(outText) && !out)) {
                return CheckResult::fail(fmt::format("第 {} 行 金额“{}”不是数字，账单没有导入。",
                                                     line, cellAt(row, in ? expense : income)));
            }
            const Money i = in.value_or(Money()), o = out.value_or(Money());
            b.direction = !i.isZero() ? BillDirection::Income : BillDirection::Expense;
            b.amount = !i.isZero() ? i : o;
        } else {
            const auto m = billAmount(cellAt(row, amount));
            if (!m) {
                return CheckResult::fail(fmt::format("第 {} 行 金额“{}”不是数字，账单没有导入。",
                                                     line, cellAt(row, amount)));
            }
            b.amount = *m;
            if (direction >= 0) {
                b.direction = directionOf(cellAt(row, direction));
            } else {
                const bool below = *m < Money();
                b.direction = below != (bank && bank->positiveIsOut) ? BillDirection::Expense
                                                                     : BillDirection::Income;
            }
            if (b.amount < Money()) {
                b.amount = -b.amount;
            }
        }
        b.counterparty = cellAt(row, party);
        b.description = cellAt(row, description);
        b.category = cellAt(row, category);
        b.method = cellAt(row, method);
        b.status = cellAt(row, status);
        b.txId = cellAt(row, id);
        std::optional<BillRow> fee = feeOf(b, cellAt(row, note));
        bill.rows.push_back(std::move(b));
        if (fee) {
            bill.rows.push_back(std::move(*fee));
        }
    }
    return CheckResult::pass();
}

// Sensible first choices for the 支付宝 categories among the book's defaults.
const std::map<std::string, std::string>& alipayExpenseDefaults() {
    static const std::map<std::string, std::string> m = {
        {"餐饮美食", "外出就餐"},     {"交通出行", "公共汽车费"}, {"日用百货", "日常用品"},
        {"服饰装扮", "衣服"},         {"充值缴费", "手机费"},     {"通讯物流", "邮寄费"},
        {"医疗健康", "医疗药品费"},   {"文化休闲", "娱乐费"},     {"运动户外", "娱乐费"},
        {"教育培训", "培训费"},       {"住房物业", "房租"},       {"酒店旅游", "旅游度假"},
        {"数码电器", "购买数码产品"}, {"家居家装", "购买家具"},   {"爱车养车", "汽车维护费"},
        {"保险", "交纳保费"},         {"公益捐赠", "慈善捐款"},   {"母婴亲子", "抚养费"},
        {"美容美发", "其他日常杂项"}, {"宠物", "其他日常杂项"},   {"转账红包", "礼品礼金"},
        {"微信红包", "礼品礼金"},     {"其他", "其他支出"}};
    return m;
}

const std::map<std::string, std::string>& alipayIncomeDefaults() {
    static const std::map<std::string, std::string> m = {{"投资理财", "利息收入"},
                                                         {"转账红包", "其他收入"},
                                                         {"微信红包", "其他收入"},
                                                         {"收入", "其他收入"},
                                                         {"其他", "其他收入"}};
    return m;
}

// The keys the rows are remembered by. A row with an ID is remembered by it;
// a later row of the same bill with the same ID is a row of its own (a second
// part of one order) and adds what tells it apart. Rows without an ID that
// look alike are told apart by their order in the bill.
std::vector<std::string> rowKeys(const Bill& bill) {
    std::vector<std::string> keys;
    std::map<std::string, int> repeats;
    for (const BillRow& r : bill.rows) {
        std::string key = r.key();
        const int earlier = repeats[key]++;
        if (r.txId.empty()) {
            key += fmt::format("#{}", earlier);
        } else if (earlier > 0) {
            key += fmt::format("|{}|{}|{}|{}#{}", r.date,
                               r.direction == BillDirection::Income ? "+" : "-", r.amount.toPlain(),
                               r.description, earlier);
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

std::string methodKey(const std::string& method) {
    // "招商银行信用卡(1234)&红包": the first way paid is the account.
    return trimmed(method.substr(0, method.find('&')));
}

}  // namespace

// ---- reading ----

std::string decodeBillText(const std::string& bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        return bytes.substr(3);
    }
    return validUtf8(bytes) ? bytes : fromGb18030(bytes);
}

std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false, wasQuoted = false;
    std::size_t cells = 0;
    auto endCell = [&] {
        // A cell costs memory even when empty: a file of bare separators
        // would otherwise take many times its size.
        if (++cells > kMaxCells) {
            throw SpreadsheetReadError(fmt::format(
                "账单太大：超过了能读入的 {} 个单元格，不像是账单或对账单。", kMaxCells));
        }
        row.push_back(trimmed(cell));
        cell.clear();
        wasQuoted = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += ch;
            }
        } else if (ch == '"' && trimmed(cell).empty() && !wasQuoted) {
            cell.clear();
            quoted = wasQuoted = true;
        } else if (ch == ',') {
            endCell();
        } else if (ch == '\n' || ch == '\r') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            endCell();
            if (rows.size() >= kMaxBillRows) {
                throw SpreadsheetReadError(fmt::format(
                    "账单太大：超过了能读入的 {} 行，不像是账单或对账单。", kMaxBillRows));
            }
            rows.push_back(std::move(row));
            row.clear();
        } else {
            cell += ch;
        }
    }
    if (!cell.empty() || !row.empty()) {
        endCell();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<Money> billAmount(const std::string& raw) {
    // "131.77(已退款89.84)": paid, of which some came back; what was spent is the rest.
    if (const auto open = raw.find("(已退款"); open != std::string::npos) {
        const std::size_t from = open + std::string_view("(已退款").size();
        const std::size_t close = raw.find(')', from);
        const auto paid = billAmount(raw.substr(0, open));
        const auto back =
            close == std::string::npos ? std::nullopt : billAmount(raw.substr(from, close - from));
        if (!paid || !back || *back > *paid) {
            return std::nullopt;
        }
        return *paid - *back;
    }
    if (const auto open = raw.find("(已全额退款)"); open != std::string::npos) {
        return billAmount(raw.substr(0, open)) ? std::optional(Money()) : std::nullopt;
    }
    std::string t;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw.compare(i, 2, "\xC2\xA5") == 0) {  // ¥
            ++i;
        } else if (raw.compare(i, 3, "\xEF\xBF\xA5") == 0) {  // ￥
            i += 2;
        } else if (raw[i] != ',' && raw[i] != ' ' && raw[i] != '\t') {
            t += raw[i];
        }
    }
    // "12.50(CN)", "CNY 12.50": the currency said beside the number.
    for (const char* mark : {"(CN)", "（CN）", "CNY", "RMB"}) {
        if (const auto at = t.find(mark); at != std::string::npos) {
            t.erase(at, std::strlen(mark));
        }
    }
    if (!t.empty() && t[0] == '+') {
        t.erase(0, 1);
    }
    return t.empty() ? std::nullopt : Money::parseToFen(t);
}

const std::vector<LayoutField>& bankLayoutFields() {
    static const std::vector<LayoutField> f = {
        {&BankLayout::date, "日期："},
        {&BankLayout::amount, "金额（有正负）："},
        {&BankLayout::income, "收入金额："},
        {&BankLayout::expense, "支出金额："},
        {&BankLayout::direction, "收/支："},
        {&BankLayout::counterparty, "交易对方："},
        {&BankLayout::description, "说明："},
        {&BankLayout::id, "交易单号："},
        {&BankLayout::altDate, "另一日期（日期为空时用）："},
    };
    return f;
}

// The named columns, tab-separated in field order, then "支出为正" when set. A
// layout saved before a field was added reads it as empty.
std::string encodeLayout(const BankLayout& l) {
    std::string out;
    for (const LayoutField& f : bankLayoutFields()) {
        out += l.*f.column + '\t';
    }
    return out + (l.positiveIsOut ? "支出为正" : "");
}

BankLayout decodeLayout(const std::string& name, const std::string& columns) {
    BankLayout l;
    l.name = name;
    std::size_t start = 0;
    for (const LayoutField& f : bankLayoutFields()) {
        const auto tab = columns.find('\t', start);
        l.*f.column =
            columns.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos) {
            return l;
        }
        start = tab + 1;
    }
    l.positiveIsOut = columns.substr(start) == "支出为正";
    return l;
}

std::vector<BankLayout> savedLayouts(Database& db) {
    std::vector<BankLayout> out;
    Statement s = db.prepare("SELECT theName, Columns FROM BillLayout ORDER BY ID");
    while (s.step()) {
        out.push_back(decodeLayout(s.text(0), s.text(1)));
    }
    return out;
}

void removeLayout(Database& db, const std::string& name) {
    db.execute("DELETE FROM BillLayout WHERE theName=?1", name);
}

void saveLayout(Database& db, const BankLayout& l) {
    db.execute("INSERT OR REPLACE INTO BillLayout(theName, Columns) VALUES(?1, ?2)", l.name,
               encodeLayout(l));
}

BillRead readBill(const fs::path& file, const std::vector<BankLayout>& layouts, int year) {
    BillRead out;
    std::vector<std::vector<std::string>> rows;
    try {
        const std::string bytes = readFile(file);
        if (bytes.rfind("PK\x03\x04", 0) == 0 ||
            bytes.rfind("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 0) == 0) {
            SheetData sheet = readFirstSheet(file);
            rows.push_back(sheet.header);
            for (auto& r : sheet.rows) {
                rows.push_back(std::move(r));
            }
        } else if (bytes.empty()) {
            out.check = CheckResult::fail(fmt::format("{} 是空文件。", file.filename().string()));
            return out;
        } else {
            rows = parseCsv(decodeBillText(bytes));
        }
    } catch (const std::exception& e) {
        out.check = CheckResult::fail(e.what());
        return out;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (const Columns& c : knownExports()) {
            if (hasAll(rows[r], {c.date, c.altDate, c.category, c.counterparty, c.description,
                                 c.direction, c.amount, c.method, c.status, c.id})) {
                out.bill.source = c.source;
                out.bill.refundRows = c.refundRows;
                out.check = readRows(rows, r, c, nullptr, year, out);
                if (!out.check.ok) {
                    out.bill.rows.clear();
                }
                return out;
            }
        }
        for (const BankLayout& l : layouts) {
            if (hasAll(rows[r], {l.date, l.altDate, l.amount, l.income, l.expense, l.direction,
                                 l.counterparty, l.description, l.id})) {
                Columns c{"银行：" + l.name,
                          l.date,
                          l.altDate,
                          "",
                          l.counterparty,
                          l.description,
                          l.direction,
                          l.amount,
                          "",
                          "",
                          l.id};
                out.bill.source = c.source;
                out.check = readRows(rows, r, c, &l, year, out);
                if (!out.check.ok) {
                    out.bill.rows.clear();
                }
                return out;
            }
        }
    }
    // A statement of its own: its header is the first row of three or more
    // cells with another such row under it.
    for (std::size_t r = 0; r + 1 < rows.size(); ++r) {
        if (filledCells(rows[r]) >= 3 && filledCells(rows[r + 1]) >= 3) {
            for (const auto& c : rows[r]) {
                if (!trimmed(c).empty()) {
                    out.header.push_back(trimmed(c));
                }
            }
            out.needsLayout = true;
            out.check = CheckResult::fail("这份账单的格式还不认识，请先指明它的各列。");
            return out;
        }
    }
    out.check =
        CheckResult::fail(fmt::format("{} 里没有找到账单的表头。", file.filename().string()));
    return out;
}

// ---- the rows ----

std::string billAccountType(const std::string& source, const std::string& method,
                            const std::string& account) {
    const std::string both = method + "\n" + account;
    for (const char* credit : {"信用卡", "花呗", "白条", "月付", "信用购", "先用后付"}) {
        if (contains(both, credit)) {
            return "信用卡";
        }
    }
    for (const char* wallet : {"余额宝", "零钱", "余额", "钱包", "小金库", "支付宝", "微信"}) {
        if (contains(both, wallet)) {
            return "电子账户";
        }
    }
    for (const char* bank : {"银行", "储蓄卡", "借记卡", "卡("}) {
        if (contains(both, bank)) {
            return "银行卡";
        }
    }
    return source.rfind("银行：", 0) == 0 ? "银行卡" : "现金";
}

const char* fateCaption(BillFate f) {
    switch (f) {
        case BillFate::Import:
            return "将导入";
        case BillFate::Seen:
            return "已导入";
        case BillFate::NotCounted:
            return "不计收支";
        case BillFate::Closed:
            return "交易关闭";
        case BillFate::Refund:
            return "退款（冲减支出）";
        case BillFate::RefundOfUnbooked:
            return "退款（原付款未记账）";
        case BillFate::LeftOut:
            return "不导入";
    }
    return "";
}

std::string describeTotals(const std::map<BillFate, FateTotals>& totals) {
    std::string out;
    for (const auto& [fate, n] : totals) {
        out += out.empty() ? "" : "    ";
        if (fate == BillFate::Import || fate == BillFate::Seen || fate == BillFate::LeftOut) {
            out += fmt::format("{} {} 笔（收入 {}，支出 {}）", fateCaption(fate), n.count,
                               n.income.toDisplay(), n.expense.toDisplay());
        } else {
            out += fmt::format("{} {} 笔（{}）", fateCaption(fate), n.count,
                               (n.income + n.expense).toDisplay());
        }
    }
    return out;
}

std::vector<BillFate> fateChoices(const BillRow& row) {
    const BillFate first = row.preparedFate;
    if (first == BillFate::Seen) {
        return {BillFate::Seen};
    }
    const bool refund = first == BillFate::Refund || first == BillFate::RefundOfUnbooked;
    std::vector<BillFate> out = {refund ? BillFate::Refund : BillFate::Import, BillFate::LeftOut};
    if (std::find(out.begin(), out.end(), first) == out.end()) {
        out.insert(out.begin(), first);
    }
    return out;
}

bool chooseFate(BillRow& row, BillFate fate) {
    const auto choices = fateChoices(row);
    if (std::find(choices.begin(), choices.end(), fate) == choices.end()) {
        return false;
    }
    row.fate = fate;
    return true;
}

std::string BillRow::remark() const {
    std::string r = counterparty;
    if (!description.empty() && description != "/" && description != counterparty) {
        r += (r.empty() ? "" : " ") + description;
    }
    return gbk::cutToBytes(r, 60);
}

std::string BillRow::key() const {
    if (!txId.empty()) {
        return txId;
    }
    return fmt::format("{}|{}|{}|{}|{}", date, direction == BillDirection::Income ? "+" : "-",
                       amount.toPlain(), counterparty, description);
}

// ---- what a book has learned ----

std::vector<BillMapping> billMappings(TfrmDM& dm) {
    std::vector<BillMapping> out;
    Statement s = dm.db().prepare(
        "SELECT ID, Kind, Source, BillValue, Target FROM BillMap WHERE BName=?1 "
        "ORDER BY Kind, Source, BillValue");
    s.bind(1, dm.book());
    while (s.step()) {
        out.push_back({s.integer(0), s.text(1), s.text(2), s.text(3), s.text(4)});
    }
    return out;
}

void setBillMapping(TfrmDM& dm, std::int64_t id, const std::string& target) {
    dm.db().execute("UPDATE BillMap SET Target=?1 WHERE ID=?2 AND BName=?3", target, id, dm.book());
}

void removeBillMapping(TfrmDM& dm, std::int64_t id) {
    dm.db().execute("DELETE FROM BillMap WHERE ID=?1 AND BName=?2", id, dm.book());
}

// ---- preview and booking ----

BillImport::BillImport(TfrmDM& dm) : dm_(dm) {}

std::string BillImport::mapped(const std::string& kind, const std::string& source,
                               const std::string& value) const {
    return dm_.db()
        .queryText(
            "SELECT Target FROM BillMap WHERE BName=?1 AND Kind=?2 AND Source=?3 AND "
            "BillValue=?4",
            dm_.book(), kind, source, value)
        .value_or("");
}

void BillImport::prepare(Bill& bill, const std::string& member) {
    std::set<std::string> seen;
    Statement s = dm_.db().prepare("SELECT TxKey FROM BillSeen WHERE BName=?1 AND Source=?2");
    s.bindAll(dm_.book(), bill.source);
    while (s.step()) {
        seen.insert(s.text(0));
    }
    const BookState& b = dm_.session().OpenBookState;
    const std::vector<std::string> keys = rowKeys(bill);
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        BillRow& r = bill.rows[i];
        const std::string& key = keys[i];
        const std::string& st = r.status;
        const bool refund =
            bill.refundRows && (contains(r.category, "退款") || contains(st, "退款") ||
                                contains(r.description, "退款"));
        // Paid and waiting for the goods ("等待确认收货", "等待发货") is spent; waiting
        // for the payment is not.
        if (contains(st, "关闭") || contains(st, "失败") || contains(st, "未付款") ||
            contains(st, "撤销") || contains(st, "等待付款") || contains(st, "等待买家付款")) {
            r.fate = BillFate::Closed;
        } else if (seen.contains(key)) {
            r.fate = BillFate::Seen;
        } else if (refund && r.direction != BillDirection::Expense) {
            r.fate = BillFate::Refund;
        } else if (r.direction == BillDirection::Neutral || r.amount.isZero() ||
                   contains(r.category, "还款") || contains(r.description, "还款")) {
            // Money between the household's own accounts (a credit line repaid), or
            // nothing spent once refunds are taken off.
            r.fate = BillFate::NotCounted;
        } else {
            r.fate = BillFate::Import;
        }

        const bool income = r.isIncome();
        std::string category = mapped(income ? "收入类别" : "支出类别", bill.source, r.category);
        if (category.empty() && bill.source == "支付宝") {
            const auto& defaults = income ? alipayIncomeDefaults() : alipayExpenseDefaults();
            if (auto it = defaults.find(r.category); it != defaults.end()) {
                category = it->second;
            }
        }
        if (category.empty()) {
            category = income ? b.IName : b.OName;
        }
        if (category.empty()) {
            category = income ? "其他收入" : "其他支出";
        }
        r.bookCategory = category;

        const std::string method = methodKey(r.method);
        std::string account = mapped("账户", bill.source, method);
        if (account.empty()) {
            if ((method.empty() || method == "/") && bill.source == "微信") {
                account = "微信零钱";  // "已存入零钱": where 零钱 payments come from
            } else if (method.empty() || method == "/") {
                account = bill.source.rfind("银行：", 0) == 0 ? bill.source.substr(9) : bill.source;
            } else if (method == "余额" && bill.source == "支付宝") {
                account = "支付宝余额";
            } else if (method == "零钱") {
                account = "微信零钱";
            } else {
                account = gbk::cutToBytes(method, 20);
            }
        }
        r.account = account;
        r.member = member;
    }
    linkRefunds(bill, seen);
    for (BillRow& r : bill.rows) {
        r.preparedFate = r.fate;
    }
}

// A refund takes back from the payment it belongs to (`refundPayments`).
// Booked only when that payment is booked (in this bill or an earlier one);
// it then takes the payment's category.
void BillImport::linkRefunds(Bill& bill, const std::set<std::string>& seen) {
    const std::vector<std::size_t> payments = refundPayments(bill);
    // Keys remembered from earlier bills: an ID of ten characters or more that
    // begins the refund's is its payment's.
    std::vector<std::pair<std::string_view, std::size_t>> keys;
    for (const std::string& key : seen) {
        if (key.size() >= 10) {
            keys.emplace_back(key, 0);
        }
    }
    const PrefixIndex earlier(std::move(keys));
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        BillRow& refund = bill.rows[i];
        if (refund.fate != BillFate::Refund) {
            continue;
        }
        const BillRow* paid = payments[i] == PrefixIndex::npos ? nullptr : &bill.rows[payments[i]];
        if (paid && (paid->fate == BillFate::Import || paid->fate == BillFate::Seen)) {
            refund.bookCategory = paid->bookCategory;
            refund.categoryInferred = true;
        } else if (paid || earlier.longestBeginning(refund.txId) == PrefixIndex::npos) {
            refund.fate = BillFate::RefundOfUnbooked;
        }
    }
}

std::map<BillFate, FateTotals> BillImport::totals(const Bill& bill) const {
    std::map<BillFate, FateTotals> t;
    for (const BillRow& r : bill.rows) {
        FateTotals& f = t[r.fate];
        ++f.count;
        (r.direction == BillDirection::Income ? f.income : f.expense) += r.amount;
    }
    return t;
}

std::size_t BillImport::book(const Bill& bill,
                             const std::function<void(std::size_t, std::size_t)>& progress) {
    std::vector<ImportRow> incomes, expenses;
    std::vector<const BillRow*> booked;
    std::vector<std::string> keys;
    const std::vector<std::string> allKeys = rowKeys(bill);
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        const BillRow& r = bill.rows[i];
        const std::string& key = allKeys[i];
        if (r.fate != BillFate::Import && r.fate != BillFate::Refund) {
            continue;
        }
        ImportRow row{r.line,
                      r.date,
                      gbk::cutToBytes(r.bookCategory, 20),
                      r.fate == BillFate::Refund ? -r.amount : r.amount,
                      gbk::cutToBytes(r.account, 20),
                      gbk::cutToBytes(r.member, 20),
                      r.remark()};
        if (row.first.empty() || row.second.empty() || row.member.empty()) {
            throw RecordRefused(fmt::format("第 {} 行 类别、账户和家庭成员都要选好。", r.line));
        }
        (r.isIncome() ? incomes : expenses).push_back(std::move(row));
        booked.push_back(&r);
        keys.push_back(key);
    }
    const std::size_t total = booked.size();
    Transaction t(dm_.db());
    // Accounts the bill names for the first time take the type their method says.
    for (const BillRow* r : booked) {
        const std::string account = gbk::cutToBytes(r->account, 20);
        if (!dm_.hasName(kAccounts, account)) {
            dm_.NewAccount(account, gbk::cutToBytes(r->member, 20),
                           billAccountType(bill.source, r->method, account));
        }
    }
    importRows(dm_, incomeImport(), incomes, [&](std::size_t done, std::size_t) {
        if (progress) {
            progress(done, total);
        }
    });
    importRows(dm_, expenseImport(), expenses, [&](std::size_t done, std::size_t) {
        if (progress) {
            progress(incomes.size() + done, total);
        }
    });
    Statement seen = dm_.db().prepare(
        "INSERT OR IGNORE INTO BillSeen(BName,Source,TxKey,theDate) VALUES(?1,?2,?3,?4)");
    Statement map = dm_.db().prepare(
        "INSERT OR REPLACE INTO BillMap(BName,Kind,Source,BillValue,Target) "
        "VALUES(?1,?2,?3,?4,?5)");
    for (std::size_t i = 0; i < booked.size(); ++i) {
        const BillRow& r = *booked[i];
        seen.reset();
        seen.bindAll(dm_.book(), bill.source, keys[i], r.date);
        seen.run();
        // What the user booked this bill's category and method as, for the next bill.
        if (!r.category.empty() && !r.categoryInferred) {
            map.reset();
            map.bindAll(dm_.book(), std::string(r.isIncome() ? "收入类别" : "支出类别"),
                        bill.source, r.category, r.bookCategory);
            map.run();
        }
        map.reset();
        map.bindAll(dm_.book(), std::string("账户"), bill.source, methodKey(r.method), r.account);
        map.run();
    }
    t.commit();
    return total;
}

}  // namespace fennory

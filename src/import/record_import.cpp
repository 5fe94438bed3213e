#include "import/record_import.h"

#include "core/record_types.h"

#include <fmt/format.h>

#include <charconv>
#include <map>

#include "core/dates.h"
#include "core/gbk.h"
#include "core/text.h"

namespace fennory {

const ImportKind& incomeImport() {
    static const ImportKind k{
        .caption = "收入导入",
        .headers = {"日期", "收入类别", "金额", "账户名称", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、收入类别、金额、账户名称、家庭"
            "成员、备注",
        .cut = true,
        .lastColumnWidth = 140,
        .record = RecordType::Income,
        .membersFirst = false};
    return k;
}

const ImportKind& expenseImport() {
    static const ImportKind k{
        .caption = "支出导入",
        .headers = {"日期", "支出类别", "金额", "账户名称", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、支出类别、金额、账户名称、家庭"
            "成员、备注",
        .cut = true,
        .lastColumnWidth = 140,
        .record = RecordType::Expense,
        .membersFirst = false};
    return k;
}

const ImportKind& transferImport() {
    static const ImportKind k{
        .caption = "账户转账导入",
        .headers = {"日期", "原账户", "转账金额", "到账账户", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、原账户、到账账户、转账金额、家"
            "庭成员、备注",
        .cut = true,
        .lastColumnWidth = 180,
        .record = std::nullopt,
        .membersFirst = true};
    return k;
}

const ImportKind& debtImport() {
    static const ImportKind k{
        .caption = "债务导入",
        .headers = {"日期", "债权人", "债务金额", "账户名称", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、债权人、债务金额、账户名称、家"
            "庭成员、备注",
        .cut = true,
        .lastColumnWidth = 180,
        .record = RecordType::Debt,
        .membersFirst = true};
    return k;
}

const ImportKind& creditImport() {
    static const ImportKind k{
        .caption = "债权导入",
        .headers = {"日期", "债务人", "债权金额", "账户名称", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、债务人、债权金额、账户名称、家"
            "庭成员、备注",
        .cut = true,
        .lastColumnWidth = 180,
        .record = RecordType::Credit,
        .membersFirst = true};
    return k;
}

const ImportKind& investmentImport() {
    static const ImportKind k{
        .caption = "投资导入",
        .headers = {"日期", "投资类别", "投资金额", "账户名称", "家庭成员", "备注"},
        .hint =
            "打开的EXCEL文件的底部一定是Sheet1，表格头部顺序为日期、投资类别、投资金额、账户名称、"
            "家庭成员、备注",
        .cut = false,
        .lastColumnWidth = 180,
        .record = RecordType::Investment,
        .membersFirst = false};
    return k;
}

std::optional<Money> importAmount(const std::string& raw) {
    const std::string text = trimmed(raw);
    if (text.empty()) {
        return Money();
    }
    // A numeric cell may hold more decimals than a fen (a computed value).
    return Money::parseToFen(text);
}

std::optional<std::string> importDate(const std::string& raw) {
    std::string text = trimmed(raw);
    // A date-and-time keeps its date.
    if (auto space = text.find_first_of(" T"); space != std::string::npos) {
        text = text.substr(0, space);
    }
    int parts[3] = {0, 0, 0};
    std::size_t pos = 0;
    for (int p = 0; p < 3; ++p) {
        const char* begin = text.data() + pos;
        const char* end = text.data() + text.size();
        auto [next, ec] = std::from_chars(begin, end, parts[p]);
        if (ec != std::errc() || next == begin || next - begin > (p == 0 ? 4 : 2)) {
            return std::nullopt;
        }
        pos = static_cast<std::size_t>(next - text.data());
        if (p < 2) {
            if (pos >= text.size() || (text[pos] != '-' && text[pos] != '/')) {
                return std::nullopt;
            }
            ++pos;
        }
    }
    if (pos != text.size() || parts[0] < 1000) {
        return std::nullopt;
    }
    std::string date = dates::format(parts[0], parts[1], parts[2]);
    if (!dates::isValid(date)) {
        return std::nullopt;
    }
    return date;
}

CheckResult checkImportSheet(const SheetData& sheet) {
    if (sheet.header.size() < 6) {
        return CheckResult::fail(fmt::format(
            "Sheet1 只有 {} 列，至少要有 6 列（日期、名称、金额、账户、家庭成员、备注）。",
            sheet.header.size()));
    }
    return CheckResult::pass();
}

std::string importSheetCaption(const SheetData& sheet) {
    return fmt::format("EXCEL数据  共有 {} 条数据", sheet.rowCount());
}

PreparedImport prepareImport(const ImportKind& kind, const SheetData& sheet) {
    PreparedImport out;
    std::array<std::size_t, 6> col{};
    for (std::size_t f = 0; f < 6; ++f) {
        auto c = sheet.column(kind.headers[f]);
        if (!c) {
            out.check = CheckResult::fail(
                fmt::format("表格缺少“{}”列，没有导入任何数据。", kind.headers[f]));
            return out;
        }
        col[f] = *c;
    }
    // Cutting never splits a character: the cut falls before it.
    auto cut = [&](std::string s, std::size_t bytes) {
        return kind.cut ? gbk::cutToBytes(s, bytes) : s;
    };
    auto fail = [&](std::size_t row, ImportField f, const std::string& what) {
        out.rows.clear();
        out.check = CheckResult::fail(fmt::format("第 {} 行 {} {}，没有导入任何数据。", row,
                                                  kind.headers[static_cast<int>(f)], what));
        return out;
    };
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        const auto& cells = sheet.rows[r];
        const std::size_t sheetRow = r + 2;
        auto cell = [&](ImportField f) {
            const std::size_t c = col[static_cast<std::size_t>(f)];
            return c < cells.size() ? trimmed(cells[c]) : std::string();
        };
        ImportRow row;
        row.sheetRow = sheetRow;
        const std::string date = cut(cell(ImportField::Date), 10);
        row.first = cut(cell(ImportField::First), 20);
        row.second = cut(cell(ImportField::Second), 20);
        row.member = cut(cell(ImportField::Member), 20);
        row.remark = cut(cell(ImportField::Remark), 60);
        for (auto [f, v] : {std::pair{ImportField::Date, &date},
                            {ImportField::First, &row.first},
                            {ImportField::Second, &row.second},
                            {ImportField::Member, &row.member}}) {
            if (v->empty()) {
                return fail(sheetRow, f, "为空");
            }
        }
        // The full cell, not its first 10 bytes, says whether it is a date.
        auto d = importDate(cell(ImportField::Date));
        if (!d) {
            return fail(sheetRow, ImportField::Date, fmt::format("“{}”不是有效的日期", date));
        }
        row.date = *d;
        const std::string amount = cell(ImportField::Amount);
        auto m = importAmount(amount);
        if (!m) {
            return fail(sheetRow, ImportField::Amount, fmt::format("“{}”不是数字", amount));
        }
        if (!m->withinTyped()) {
            return fail(sheetRow, ImportField::Amount, fmt::format("“{}”超出范围", amount));
        }
        row.amount = *m;
        out.rows.push_back(std::move(row));
    }
    return out;
}

namespace {

// The names of one import: each made and looked up once, then known.
class NameBook {
public:
    explicit NameBook(TfrmDM& dm) : dm_(dm) {}

    std::string member(const std::string& name) {
        return known("SFamily", name, [&] { dm_.NewFamily(name); });
    }
    std::string account(const std::string& name, const std::string& owner) {
        return known("SAccount", name, [&] { dm_.NewAccount(name, owner); });
    }
    std::string listed(const char* table, const char* column, const std::string& name) {
        return known(table, name, [&] { dm_.mySaveNew(table, column, name); });
    }

private:
    template <class Make>
    std::string known(const std::string& table, const std::string& name, Make make) {
        const std::string key = table + '\n' + foldCase(name);
        auto it = names_.find(key);
        if (it != names_.end()) {
            return it->second;
        }
        make();
        std::string stored = storedSpelling(table, name);
        names_.emplace(key, stored);
        return stored;
    }
    std::string storedSpelling(const std::string& table, const std::string& name) {
        static const std::map<std::string, const char*> columns = {
            {"SFamily", "FName"}, {"SAccount", "AName"}, {"InD", "IName"},
            {"OutD", "OName"},    {"TD", "TName"},       {"PD", "PName"}};
        return dm_.storedName(table, columns.at(table), name);
    }
    static std::string foldCase(std::string s) {
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return s;
    }

    TfrmDM& dm_;
    std::map<std::string, std::string> names_;
};

// Balances kept while the rows go, written back once per account.
class Balances {
public:
    explicit Balances(TfrmDM& dm) : dm_(dm) {}
    Money move(const std::string& account, Money amount, int direction) {
        auto [it, fresh] = balances_.try_emplace(account);
        if (fresh) {
            it->second = dm_.RetAMoney(account);
        }
        it->second = direction > 0 ? it->second + amount : it->second - amount;
        return it->second;
    }
    void write() {
        Statement s = dm_.db().prepare("UPDATE SAccount SET AMoney=?1 WHERE AName=?2 AND BName=?3");
        for (const auto& [account, balance] : balances_) {
            s.reset();
            s.bindAll(balance, account, dm_.book());
            s.run();
        }
    }

private:
    TfrmDM& dm_;
    std::map<std::string, Money> balances_;
};

}  // namespace

void importRows(TfrmDM& dm, const ImportKind& kind, const std::vector<ImportRow>& rows,
                const std::function<void(std::size_t, std::size_t)>& progress) {
    // The checks every record passes, whichever way it comes in (a bill's row
    // as a sheet's), before anything is written.
    for (const ImportRow& r : rows) {
        if (auto refused =
                recordRefusal({r.date, r.first, r.amount, r.second, r.member, r.remark})) {
            throw RecordRefused(fmt::format("第 {} 行：{}。", r.sheetRow, *refused));
        }
    }
    Transaction t(dm.db());
    NameBook names(dm);
    Balances balances(dm);
    // A transfer moves money between two accounts; every other row is a
    // record of its type.
    const RecordTypeDef* type = kind.record ? &recordType(*kind.record) : nullptr;
    Statement record = dm.db().prepare(
        type == nullptr
            ? std::string("INSERT INTO ChangeT(BName,OldN,NewN,CMoney,CDate,FName,Remark) "
                          "VALUES(?1,?2,?3,?4,?5,?6,?7)")
            : fmt::format("INSERT INTO {}(BName,{},{},{},AName,FName,Remark) "
                          "VALUES(?1,?2,?3,?4,?5,?6,?7)",
                          type->table, type->dateColumn, type->nameColumn, type->moneyColumn));
    const char* table = type ? type->table : "ChangeT";
    // The history takes the import's new records and log entries back as ranges.
    BulkAdd bulk(dm.db(), {table, "UList"});
    Statement log = dm.db().prepare(
        "INSERT INTO UList(theDate,theType,Remark,theIn,theOut,AName,AMoney,FName,BName,theT,"
        "theID,theE) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12)");
    auto entry = [&](const ImportRow& r, const std::string& logType, int direction,
                     const std::string& account, std::int64_t id) {
        const Money balance = balances.move(account, r.amount, direction);
        log.reset();
        log.bindAll(r.date, logType, r.remark, direction > 0 ? r.amount : Money(),
                    direction > 0 ? Money() : r.amount, account, balance, r.member, dm.book(),
                    table, id, logEventCaption(LogEvent::Imported));
        log.run();
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ImportRow& r = rows[i];
        record.reset();
        if (type == nullptr) {
            // Member, from account, to account: the accounts belong to the member.
            const std::string member = names.member(r.member);
            const std::string from = names.account(r.first, member);
            const std::string to = names.account(r.second, member);
            record.bindAll(dm.book(), from, to, r.amount, r.date, member, r.remark);
            record.run();
            const std::int64_t id = dm.db().lastInsertId();
            entry(r, "转账", +1, to, id);
            entry(r, "转账", -1, from, id);
        } else {
            std::string first, account, member;
            if (kind.membersFirst) {
                member = names.member(r.member);
                account = names.account(r.second, member);
                first = names.listed(type->names.table.data(), type->names.column.data(), r.first);
            } else {
                first = names.listed(type->names.table.data(), type->names.column.data(), r.first);
                account = names.account(r.second, r.member);
                member = names.member(r.member);
            }
            record.bindAll(dm.book(), r.date, first, r.amount, account, member, r.remark);
            record.run();
            entry(r, type->logsCaption ? std::string(type->caption) : first, type->sign, account,
                  dm.db().lastInsertId());
        }
        if (progress) {
            progress(i + 1, rows.size());
        }
    }
    balances.write();
    bulk.finish();
    t.commit();
}

}  // namespace fennory

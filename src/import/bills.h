#pragma once
// Bills of payment services and banks: 支付宝 and 微信支付 exports (CSV or
// .xlsx) and any statement with a header row whose columns the user names once.
// Each row is shown with what it will become before anything is booked; rows
// booked once are remembered per book and never booked again; what the user
// books a bill's category and payment method as is learned for the next bill.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/money.h"

namespace fennory {

// Text in UTF-8 from a file's bytes: UTF-8 with or without a byte-order mark,
// otherwise GB18030 (GBK).
std::string decodeBillText(const std::string& bytes);
// Comma-separated rows: quoted cells with "" inside, blanks and tabs around a
// cell removed.
std::vector<std::vector<std::string>> parseCsv(const std::string& text);
// An amount as bills write it: "¥28.16", "￥1,234.50", " 12.00 ", "-3"; nothing
// for anything else.
std::optional<Money> billAmount(const std::string& text);

// The columns of a statement a bank exports, named once by the user. A
// signed amount, or separate income and expense columns; the direction column
// (optional) says 收入 or 支出 when the amount is unsigned.
struct BankLayout {
    std::string name;
    std::string date, amount, income, expense, direction, counterparty, description, id;
    std::string altDate;         // taken when a row's date is empty (交易日 / 记账日)
    bool positiveIsOut = false;  // a signed amount above zero is a charge (a card's statement)
};
// The columns a layout names, in the order they are stored and asked for.
struct LayoutField {
    std::string BankLayout::*column;
    const char* caption;
};
const std::vector<LayoutField>& bankLayoutFields();
std::string encodeLayout(const BankLayout& l);
BankLayout decodeLayout(const std::string& name, const std::string& columns);
std::vector<BankLayout> savedLayouts(Database& db);
void saveLayout(Database& db, const BankLayout& l);
void removeLayout(Database& db, const std::string& name);

enum class BillDirection { Income, Expense, Neutral };

// What a row of the bill will become.
enum class BillFate {
    Import,      // 将导入
    Seen,        // 已导入: booked from an earlier bill
    NotCounted,  // 不计收支: moves between the household's own money
    Closed,      // 交易关闭: closed, failed or never paid
    Refund,      // 退款: booked as an expense of the amount taken back
    // 退款 of a payment that is not booked (closed, or never imported): booking
    // it alone would raise the account by money that never left it.
    RefundOfUnbooked,
    LeftOut,  // 不导入: the user left it out
};
const char* fateCaption(BillFate f);

struct BillRow {
    std::size_t line = 0;  // the row's line or row number in the file
    std::string date;      // yyyy-mm-dd
    BillDirection direction = BillDirection::Expense;
    Money amount;  // as the bill gives it, never negative
    std::string counterparty, description, category, method, status, txId;
    // Decided by the preview; the user may change the names.
    BillFate fate = BillFate::Import;
    BillFate preparedFate = BillFate::Import;  // what the preview decided, before the user
    std::string bookCategory, account, member;
    // The category was inferred for this row alone (a refund takes its
    // payment's): booking it teaches nothing for later bills. A choice of the
    // user clears it.
    bool categoryInferred = false;

    // Booked as income (an expense when not; a refund is a negative expense).
    bool isIncome() const { return fate != BillFate::Refund && direction == BillDirection::Income; }
    // What the record's remark says: the counterparty and the goods.
    std::string remark() const;
    // The key under which the row is remembered once booked.
    std::string key() const;
};

struct Bill {
    std::string source;  // "支付宝", "微信", "京东", "美团", or "银行：{layout}"
    // A refund comes as a row of its own; else (京东) a refunded payment's own
    // row says so and is not counted.
    bool refundRows = true;
    std::vector<BillRow> rows;
};

// Reading a file: the bill, or what is missing. A statement of no known layout
// gives its header so that the user can name its columns.
struct BillRead {
    Bill bill;
    CheckResult check;
    std::vector<std::string> header;  // a statement's columns, when a layout is needed
    bool needsLayout = false;
    bool needsYear = false;  // its dates have no year and it names no period
};
// `year` completes dates written without one when the statement names no
// period; 0 when not known yet (the read then says it needs one).
BillRead readBill(const std::filesystem::path& file, const std::vector<BankLayout>& layouts,
                  int year = 0);

// The type of an account a bill makes, from the way paid and the account's
// name: a credit line (a credit card, 花呗, 白条, 月付) is 信用卡, a wallet
// (余额宝, 零钱, 钱包余额) 电子账户, a bank card or a bank's statement 银行卡.
std::string billAccountType(const std::string& source, const std::string& method,
                            const std::string& account);

struct FateTotals {
    std::size_t count = 0;
    Money income, expense;
};
// "将导入 2 笔（收入 200.00，支出 35.50）    已导入 …": every fate a bill has, in order.
std::string describeTotals(const std::map<BillFate, FateTotals>& totals);

// The fates the user may give a row: left out or put back, and booked where
// the preview would not (a paid order it took for closed). A row booked
// before stays as it is: booking it again would count it twice.
std::vector<BillFate> fateChoices(const BillRow& row);
// Gives the row this fate when it is among its choices; false when not.
bool chooseFate(BillRow& row, BillFate fate);

// What the open book has learned: a bill's category or payment method and
// what it is booked as. The user reviews, changes and deletes them.
struct BillMapping {
    std::int64_t id = 0;
    std::string kind;  // "收入类别", "支出类别" or "账户"
    std::string source, value, target;
};
std::vector<BillMapping> billMappings(TfrmDM& dm);
void setBillMapping(TfrmDM& dm, std::int64_t id, const std::string& target);
void removeBillMapping(TfrmDM& dm, std::int64_t id);

// The preview and the booking of one bill into the open book.
class BillImport {
public:
    explicit BillImport(TfrmDM& dm);

    // Decides each row's fate and names: learned mappings first, then the
    // defaults of the bill's common categories, then the book's defaults.
    void prepare(Bill& bill, const std::string& member);
    // The totals per fate, with income and expense apart.
    std::map<BillFate, FateTotals> totals(const Bill& bill) const;

    // Books the rows to be imported in one transaction, remembers them and
    // what their categories and methods were booked as. Returns the number booked.
    std::size_t book(const Bill& bill,
                     const std::function<void(std::size_t, std::size_t)>& progress = {});

    std::vector<std::string> categories(bool income) {
        return income ? dm_.ComInType() : dm_.ComOutType();
    }
    std::vector<std::string> accounts() { return dm_.ComAccount(); }
    std::vector<std::string> members() { return dm_.ComFamily(); }

private:
    void linkRefunds(Bill& bill, const std::set<std::string>& seen);
    std::string mapped(const std::string& kind, const std::string& source,
                       const std::string& value) const;
    TfrmDM& dm_;
};

}  // namespace fennory

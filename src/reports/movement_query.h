#pragma once
// The queries of the money moved on loans and investments across all of them:
// repayments of debts, collections of credits and returns of investments, each
// with its creditor, debtor or category. One query, three kinds.

#include <optional>
#include <string>
#include <vector>

#include "core/criteria.h"
#include "core/data_module.h"
#include "core/table.h"
#include "reporting/sheet.h"

namespace fennory {

// Everything that tells the three queries apart.
struct MovementKind {
    const char* caption;         // "还债记录查询"
    const char* table;           // BorrowR: the movements
    const char* parent;          // Borrow: the loan or investment moved on
    const char* link;            // BID: the movement's column naming its parent
    const char* partyCriterion;  // "债  权  人"
    const char* partyColumn;     // BPro
    const char* partyTitle;      // "债权人": grid column and sort key
    std::vector<std::string> (TfrmDM::*parties)();
    const char* accountCriterion;  // "账户名称" (the investments write "帐户名称")
    const char* accountTitle;
    const char* accountSortKey;
    const char* amountColumn;  // RMoney, or SMoney: the profit of a return
    const char* amountTitle;   // "还债金额"
    const char* bookTitle;     // the hidden book column
    const char* sheetName;     // "还债表"
};
const MovementKind& repaymentQuery();
const MovementKind& collectionQuery();
const MovementKind& returnQuery();

enum class MovementColumn { Book, Date, Party, Amount, Account, Member, Remark };
enum class MovementSort { Date, Party, Amount, Account, Member };
// The sort keys as the kind's list shows them, in enum order.
std::vector<std::string> movementSortCaptions(const MovementKind& kind);

// What the query offers: date, the party (creditor, debtor or category),
// account, member and remark.
CriteriaTable movementCriteria(const MovementKind& kind);

struct MovementFilter {
    Criteria criteria;
    MovementSort sort = MovementSort::Date;
    bool descending = false;
};

class MovementQuery {
public:
    MovementQuery(TfrmDM& dm, const MovementKind& kind);
    const MovementKind& kind() const { return kind_; }
    static MovementFilter initialFilter(const std::string& today);

    // "查询": the movements the filter finds, sorted; the export keeps the filter.
    void run(const MovementFilter& f);
    bool ran() const { return ran_; }
    const Table& rows() const { return rows_; }
    std::optional<Money> total() const { return total_; }
    // The positions of the columns the grid hides.
    static std::vector<int> hiddenColumns() { return {static_cast<int>(MovementColumn::Book)}; }

    Sheet sheet() const;

private:
    TfrmDM& dm_;
    const MovementKind& kind_;
    MovementFilter last_;
    bool ran_ = false;
    Table rows_;
    std::optional<Money> total_;
};

}  // namespace fennory

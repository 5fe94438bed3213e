#pragma once
// Importing records from a worksheet: income, expenses, transfers, debts,
// credits and investments, each row booked as its screen books it (names made
// on the way, the balance moved, a "导入" log entry). Every row is checked
// before anything is written; a sheet imports whole or not at all.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/money.h"
#include "core/record_types.h"
#include "import/spreadsheet_reader.h"

namespace fennory {

// The six values of a row, in the order the checks name them.
enum class ImportField { Date, First, Amount, Second, Member, Remark };

struct ImportKind {
    const char* caption;                 // "收入导入"
    std::array<const char*, 6> headers;  // by ImportField
    const char* hint;
    bool cut;             // false: the investments keep their values whole
    int lastColumnWidth;  // the grid's sixth column
    // The record each row becomes; none for a transfer (two accounts, two
    // log entries).
    std::optional<RecordType> record;
    bool membersFirst;  // the names are made member first (loans, transfers)
};
const ImportKind& incomeImport();
const ImportKind& expenseImport();
const ImportKind& transferImport();
const ImportKind& debtImport();
const ImportKind& creditImport();
const ImportKind& investmentImport();

// A row ready to book.
struct ImportRow {
    std::size_t sheetRow;  // 2 for the row under the header
    std::string date;      // yyyy-mm-dd
    std::string first;
    Money amount;
    std::string second;
    std::string member;
    std::string remark;
};

// An amount as a cell holds it: a number, to the fen when a numeric cell
// carries more decimals than money has; empty is 0. Nothing for anything else.
std::optional<Money> importAmount(const std::string& text);
// A date as a cell holds it ("2024-3-5", "2024/03/05", "2024-03-05 08:00:00")
// written yyyy-mm-dd; nothing when it is no date.
std::optional<std::string> importDate(const std::string& text);

struct PreparedImport {
    std::vector<ImportRow> rows;
    CheckResult check;  // the first problem, naming its row and column
};

// Reads and checks every row; nothing is written.
PreparedImport prepareImport(const ImportKind& kind, const SheetData& sheet);

// Books the checked rows in one transaction; progress(done, total) as rows go.
// Throws on a failure of the data file, which leaves the book as it was.
void importRows(TfrmDM& dm, const ImportKind& kind, const std::vector<ImportRow>& rows,
                const std::function<void(std::size_t, std::size_t)>& progress = {});

// The grid's caption after a sheet is opened.
std::string importSheetCaption(const SheetData& sheet);
// A sheet must have at least six columns.
CheckResult checkImportSheet(const SheetData& sheet);

}  // namespace fennory

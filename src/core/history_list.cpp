#include "core/history_list.h"

#include <fmt/format.h>

#include <stdexcept>

namespace fennory {
namespace {

using C = HistoryColumn;

constexpr ColumnDef kColumns[] = {
    {C::Time, "theTime", "时间"},
    {C::What, "Caption", "操作"},
    {C::MoneyIn, "MoneyIn", "收入", true},
    {C::MoneyOut, "MoneyOut", "支出", true},
    {C::State, "CASE Undone WHEN 1 THEN '已撤销' ELSE '' END", "状态"},
    {C::Id, "ID", "ID", false, true},
};
static_assert(columnsInOrder(kColumns));

}  // namespace

HistoryListModel::HistoryListModel(Database& db, History& history,
                                   std::function<std::string()> book)
    : ScreenModel<HistoryColumn>(kColumns, C::Id),
      db_(db),
      history_(history),
      book_(std::move(book)) {}

Table HistoryListModel::load() {
    Statement s = db_.prepare(
        fmt::format("SELECT {} FROM UndoAction WHERE BName=?1 ORDER BY ID DESC LIMIT 1000",
                    selectList(kColumns)));
    s.bind(1, book_ ? book_() : std::string());
    return loadColumns(std::move(s), kColumns);
}

std::optional<HistoryListModel::Step> HistoryListModel::stepToCurrent() const {
    if (!hasCurrent()) {
        return std::nullopt;
    }
    Step step;
    step.undo = text(C::State).empty();
    step.count = history_.stepsTo(currentId());
    const std::string what = fmt::format("“{}”（{}）", text(C::What), text(C::Time));
    step.question =
        step.undo
            ? fmt::format("撤销到{}为止，将撤销最近的 {} 个操作。确认要撤销吗？", what, step.count)
            : fmt::format("重做到{}为止，将重做 {} 个已撤销的操作。确认要重做吗？", what,
                          step.count);
    return step;
}

int HistoryListModel::goToCurrent() {
    if (!hasCurrent()) {
        return 0;
    }
    const int steps = history_.goTo(currentId());
    refresh();
    return steps;
}

void HistoryListModel::remove(std::int64_t) {
    throw std::logic_error("the history's actions are not deleted one by one");
}

}  // namespace fennory

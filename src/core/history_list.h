#pragma once
// "操作记录": the book's actions, newest first, with what each moved, and the
// way back (or forward again) to any one of them.

#include <optional>
#include <string>

#include "core/history.h"
#include "core/screen_model.h"

namespace fennory {

enum class HistoryColumn { Time, What, MoneyIn, MoneyOut, State, Id };

class HistoryListModel : public ScreenModel<HistoryColumn> {
public:
    HistoryListModel(Database& db, History& history, std::function<std::string()> book);

    // What going to the current row takes: undoing it with every later
    // action, or doing it again with every earlier undone one.
    struct Step {
        bool undo = true;
        int count = 0;
        std::string question;  // the one question asked before
    };
    std::optional<Step> stepToCurrent() const;
    // Takes that step in one transaction; the row stays current. Returns
    // how many actions it took back or did again.
    int goToCurrent();

    // The list is the history's; no single action is deleted from it.
    void remove(std::int64_t id) override;

    // Said under the list: what the history does not hold.
    static constexpr const char* kNote =
        "删除整个账簿、修改账簿名称和恢复备份不在操作记录中：删除账簿和恢复备份前，数据文件"
        "已另存在 Backup 文件夹里。";

protected:
    Table load() override;

private:
    Database& db_;
    History& history_;
    std::function<std::string()> book_;
};

}  // namespace fennory

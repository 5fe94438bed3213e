#pragma once
// "操作记录": the open book's actions, newest first; any row can be gone back
// (or forward) to, after one question.

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <functional>

#include "core/history_list.h"
#include "core/ui/prompter.h"
#include "core/ui/table_model.h"

namespace fennory::ui {

class TfrmHistory : public QDialog {
    Q_OBJECT
public:
    // `changed` runs after each step taken, for the window to show the book anew.
    TfrmHistory(Database& db, History& history, std::function<std::string()> book,
                Prompter& prompter, std::function<void()> changed, QWidget* parent = nullptr);

    RecordGrid* grid() const { return grid_; }
    QPushButton* stepButton() const { return step_; }
    const HistoryListModel& model() const { return model_; }

private:
    void showModel();
    void followGrid();
    void onStep();

    HistoryListModel model_;
    Prompter& prompter_;
    std::function<void()> changed_;
    RecordGrid* grid_;
    QPushButton* step_;
};

}  // namespace fennory::ui

#pragma once
// TfrmInTable "收入" and TfrmOutTable "支出": one screen, two configurations.

#include "bookkeeping/entries.h"
#include "bookkeeping/ui/record_form_screen.h"

namespace fennory::ui {

class EntryScreen : public RecordFormScreen {
    Q_OBJECT
public:
    EntryScreen(TfrmDM& dm, Prompter& prompter, const EntryKind& kind, QWidget* parent = nullptr,
                std::function<std::string()> today = currentDate());
    EntryModel& model() { return model_; }

protected:
    void afterSave() override;

private:
    EntryModel model_;
};

using TfrmInTable = TwinScreen<EntryScreen, incomeEntry>;
using TfrmOutTable = TwinScreen<EntryScreen, expenseEntry>;

// The filter dialogs of the twins.
using TfrmInTable_Q = RecordFilterDialog;
using TfrmOutTable_Q = RecordFilterDialog;

}  // namespace fennory::ui

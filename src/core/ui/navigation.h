#pragma once
// Where a screen opens what another module shows, without depending on it:
// the module that shows it installs the way when its screens are registered
// (or a test installs it), and the screen only asks.

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

#include "core/criteria.h"
#include "core/money.h"
#include "core/data_module.h"
#include "core/ui/prompter.h"

namespace fennory::ui {

class Navigation {
public:
    using Opener = std::function<bool(const QString& file)>;
    using FundFlowWay = std::function<void(TfrmDM&, Prompter&, Opener, QWidget* from,
                                           Criterion which, const std::string& name)>;
    using ReminderWay = std::function<void(TfrmDM&, const std::string& kind, QWidget* from)>;
    using SavedWay = std::function<void(TfrmDM&, const std::string& kind, const std::string& name,
                                        const std::string& date, Money added, QWidget* from)>;

    void setFundFlow(FundFlowWay way) { fundFlow_ = std::move(way); }
    void setReminders(ReminderWay way) { reminders_ = std::move(way); }
    void setAfterSave(SavedWay way) { afterSave_ = std::move(way); }

    // The fund-flow log in a window of its own beside `from`, with an account
    // or a member ticked.
    void openFundFlow(TfrmDM& dm, Prompter& prompter, Opener opener, QWidget* from, Criterion which,
                      const std::string& name) const {
        if (fundFlow_) {
            fundFlow_(dm, prompter, std::move(opener), from, which, name);
        }
    }
    // The monthly threshold reminders of a record screen the first time it shows.
    void remind(TfrmDM& dm, const std::string& kind, QWidget* from) const {
        if (reminders_) {
            reminders_(dm, kind, from);
        }
    }

    // After an entry screen's save added `added` to a category in the month
    // of `date`: the budget's reminder, when the save took it past.
    void saved(TfrmDM& dm, const std::string& kind, const std::string& name,
               const std::string& date, Money added, QWidget* from) const {
        if (afterSave_) {
            afterSave_(dm, kind, name, date, added, from);
        }
    }

private:
    FundFlowWay fundFlow_;
    ReminderWay reminders_;
    SavedWay afterSave_;
};

// The program's one navigation; a way not installed does nothing.
Navigation& navigation();

}  // namespace fennory::ui

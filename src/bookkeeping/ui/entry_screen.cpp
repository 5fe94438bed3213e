#include "bookkeeping/ui/entry_screen.h"

#include "plans/ui/thresholds_screen.h"

namespace fennory::ui {
namespace {

FormLabels labelsOf(TfrmDM& dm, const EntryKind& k) {
    return {.group = QString::fromUtf8(k.caption),
            .dateLabel = QString::fromUtf8(k.dateLabel),
            .nameLabel = QString::fromUtf8(k.nameLabel),
            .amountLabel = QStringLiteral("金        额："),
            .nameTable = recordType(k.type).names.table.data(),
            .nameColumn = recordType(k.type).names.column.data(),
            .names = (dm.*k.names)()};
}

}  // namespace

EntryScreen::EntryScreen(TfrmDM& dm, Prompter& prompter, const EntryKind& kind, QWidget* parent,
                         std::function<std::string()> today)
    : RecordFormScreen(dm, model_, model_, model_, prompter, labelsOf(dm, kind), today(), parent),
      model_(dm, kind, std::move(today)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    setOnFirstShow([this, k = kind.caption] { showReminders(dm_, k, this); });
    addMonthScopes();
    Ref();
}

bool EntryScreen::runFilter() {
    const EntryKind& k = model_.kind();
    return BookkeepingScreen::runFilter(dm_,
                                        {.caption = QString::fromUtf8(k.filterCaption),
                                         .dateTick = QString::fromUtf8(k.dateTick),
                                         .nameTick = QString::fromUtf8(k.nameTick),
                                         .nameTable = recordType(k.type).names.table.data(),
                                         .nameColumn = recordType(k.type).names.column.data(),
                                         .names = model_.names()},
                                        model_.initialFilter(),
                                        [this](const RecordFilter& f) { model_.setFilter(f); });
}

}  // namespace fennory::ui

#include "bookkeeping/ui/entry_screen.h"

#include "core/ui/navigation.h"

namespace fennory::ui {
namespace {

FormLabels labelsOf(TfrmDM& dm, const EntryKind& k) {
    return {.group = QString::fromUtf8(k.caption),
            .dateLabel = QString::fromUtf8(k.dateLabel),
            .nameLabel = QString::fromUtf8(k.nameLabel),
            .amountLabel = QStringLiteral("金        额："),
            .nameTable = recordType(k.type).names.table.data(),
            .nameColumn = recordType(k.type).names.column.data(),
            .names = (dm.*recordType(k.type).nameList)()};
}

}  // namespace

EntryScreen::EntryScreen(TfrmDM& dm, Prompter& prompter, const EntryKind& kind, QWidget* parent,
                         std::function<std::string()> today)
    : RecordFormScreen(dm, model_, model_, model_, prompter, labelsOf(dm, kind), today(), parent),
      model_(dm, kind, std::move(today)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    setOnFirstShow([this, k = kind.caption] { navigation().remind(dm_, k, this); });
    addMonthScopes();
    Ref();
}

void EntryScreen::afterSave() {
    if (const auto s = model_.lastSaved()) {
        navigation().saved(dm_, model_.kind().caption, s->name, s->date, s->added, this);
    }
}

}  // namespace fennory::ui

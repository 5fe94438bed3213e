#include "reports/ui/movement_query_screen.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "reporting/ui/report_preview.h"
#include "reports/ui/report_parts.h"

namespace fennory::ui {
using namespace report_parts;
// ---- 还债, 收债 and 收益记录查询 ----

MovementQueryScreen::MovementQueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener,
                                         const MovementKind& kind, QWidget* parent)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      query_(dm, kind),
      criteria_(new CriteriaForm(dm, QStringLiteral("查询条件"), movementCriteria(kind),
                                 MovementQuery::initialFilter(today(dm)).criteria)),
      sort_(withName("sortList", pickList(movementSortCaptions(kind)))),
      direction_(withName("directionList", pickList({"升序", "降序"}))),
      run_(withName("queryButton", new QPushButton(QStringLiteral("查询")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      grid_(withName("grid", new RecordGrid)),
      count_(withName("countLabel", new QLabel(QStringLiteral("笔数：")))),
      total_(withName("totalLabel", new QLabel(QStringLiteral("合计金额：")))) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    criteria_->addBox(sortGroup(sort_, direction_), true);

    layOutQueryScreen(this, {.criteria = criteria_,
                             .buttons = {run_, excel_},
                             .body = grid_,
                             .totals = {count_, total_}});
    excel_->setEnabled(false);
    connect(run_, &QPushButton::clicked, this, guarded(this, &MovementQueryScreen::onQuery));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &MovementQueryScreen::onExcel));
}

void MovementQueryScreen::onQuery() {
    MovementFilter f{.criteria = criteria_->criteria()};
    f.sort = static_cast<MovementSort>(std::max(0, sort_->currentIndex()));
    f.descending = direction_->currentIndex() == 1;
    query_.run(f);
    grid_->setTable(query_.rows(), MovementQuery::hiddenColumns());
    grid_->setColumnWidth(static_cast<int>(MovementColumn::Remark), 200);
    count_->setText(QStringLiteral("笔数：%1").arg(query_.rows().size()));
    total_->setText(QStringLiteral("合计金额：") + moneyOrNothing(query_.total()));
    excel_->setEnabled(true);
}

void MovementQueryScreen::onExcel() {
    exportAs(query_.sheet(), query_.kind().sheetName);
}

}  // namespace fennory::ui

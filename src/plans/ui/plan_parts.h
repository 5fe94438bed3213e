#pragma once
// The pieces the plan screens share: totals, execution with its progress,
// number fields.

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>

#include <algorithm>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "plans/plans.h"

namespace fennory::ui::plan_parts {

inline QString u8(const char* s) {
    return QString::fromUtf8(s);
}

inline std::string startupDate(TfrmDM& dm) {
    return dm.session().startDay();
}

// "笔数：" and "合计金额：" of a list; the total as stored, empty for no plan.
inline void showTotals(const PlanListModel& m, QLabel* count, QLabel* total) {
    count->setText(QStringLiteral("笔数：%1").arg(m.count()));
    total->setText(QStringLiteral("合计金额：") +
                   (m.total() ? qs(m.total()->toPlain()) : QString()));
}

inline QHBoxLayout* totalsRow(QLabel* count, QLabel* total) {
    auto* row = new QHBoxLayout;
    row->addWidget(count);
    row->addSpacing(40);
    row->addWidget(total);
    row->addStretch(1);
    return row;
}

enum class Executed { NotAsked, Stopped, All };

// "执行": asks, then executes the listed plans due on the start-up date with
// the progress bar, and says how it went.
inline Executed executeWithProgress(PlanListModel& m, TfrmDM& dm, QProgressBar* bar, Prompter& p) {
    if (!p.ask(QStringLiteral("确认要执行全部计划吗？该执行将不可恢复！"),
               QStringLiteral("执行计划"))) {
        return Executed::NotAsked;
    }
    bar->setRange(0, static_cast<int>(std::max<std::size_t>(m.count(), 1)));
    bar->setValue(0);
    const ExecutionResult r =
        m.executeListed(startupDate(dm), [bar](std::size_t done, std::size_t) {
            bar->setValue(static_cast<int>(done));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    if (!r.failure.empty()) {
        p.warn(qs(r.failure) +
               QStringLiteral("\n已执行 %1 笔计划，其余计划没有执行。").arg(r.executed));
        return Executed::Stopped;
    }
    p.info(QStringLiteral("计划执行成功！"));
    return Executed::All;
}

inline QSpinBox* numberField(NumberRange range, int value) {
    auto* s = new QSpinBox;
    s->setRange(range.min, range.max);
    s->setValue(value);
    return s;
}

}  // namespace fennory::ui::plan_parts

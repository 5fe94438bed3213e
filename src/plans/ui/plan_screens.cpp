#include "plans/ui/plan_screens.h"
#include "core/field_limits.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/record_screen.h"

namespace fennory::ui {
namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

std::string startupDate(TfrmDM& dm) {
    return dm.session().startDay();
}

// "笔数：" and "合计金额：" of a list; the total as stored, empty for no plan.
void showTotals(const PlanListModel& m, QLabel* count, QLabel* total) {
    count->setText(QStringLiteral("笔数：%1").arg(m.count()));
    total->setText(QStringLiteral("合计金额：") +
                   (m.total() ? qs(m.total()->toPlain()) : QString()));
}

QHBoxLayout* totalsRow(QLabel* count, QLabel* total) {
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
Executed executeWithProgress(PlanListModel& m, TfrmDM& dm, QProgressBar* bar, Prompter& p) {
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

QSpinBox* numberField(NumberRange range, int value) {
    auto* s = new QSpinBox;
    s->setRange(range.min, range.max);
    s->setValue(value);
    return s;
}

}  // namespace

// ---- the shared pieces ----

PlanNamePicker::PlanNamePicker(TfrmDM& dm, bool withDefaults, QWidget* parent)
    : QStackedWidget(parent) {
    const BookState& b = dm.session().OpenBookState;
    for (const PlanKind& k : planKinds()) {
        auto* c = new QComboBox;
        fillNames(c, (dm.*k.names)(), withDefaults ? b.*k.defaultName : std::string());
        lists_.push_back(c);
        addWidget(c);
    }
}

void PlanNamePicker::show(const PlanKind& kind) {
    setCurrentWidget(list(kind));
}

QComboBox* PlanNamePicker::list(const PlanKind& kind) const {
    return lists_.at(static_cast<std::size_t>(&kind - planKinds().data()));
}

QComboBox* PlanNamePicker::current() const {
    return qobject_cast<QComboBox*>(currentWidget());
}

PlanKindButtons::PlanKindButtons(QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    int id = 0;
    for (const PlanKind& k : planKinds()) {
        auto* b = new QRadioButton(u8(k.name));
        group_->addButton(b, id++);
        row->addWidget(b);
    }
    row->addStretch(1);
    group_->button(0)->setChecked(true);
    connect(group_, &QButtonGroup::idClicked, this,
            [this](int i) { emit chosen(planKinds().at(static_cast<std::size_t>(i))); });
}

const PlanKind& PlanKindButtons::kind() const {
    return planKinds().at(static_cast<std::size_t>(std::max(0, group_->checkedId())));
}

QRadioButton* PlanKindButtons::button(const QString& kind) const {
    for (QAbstractButton* b : group_->buttons()) {
        if (b->text() == kind) {
            return qobject_cast<QRadioButton*>(b);
        }
    }
    return nullptr;
}

// ---- 新建计划 ----

TfrmPlan_New::TfrmPlan_New(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      kinds_(new PlanKindButtons),
      nameLabel_(new QLabel),
      names_(new PlanNamePicker(dm, true)),
      amount_(new QLineEdit),
      account_(new QComboBox),
      member_(new QComboBox),
      remark_(new QLineEdit),
      repeats_(new QButtonGroup(this)),
      everyDays_(numberField(kEveryDays, 7)),
      monthlyDay_(numberField(kDayOfMonth, 20)),
      yearlyMonth_(numberField(kMonthOfYear, 1)),
      yearlyDay_(numberField(kDayOfMonth, 20)),
      everyMonths_(numberField(kEveryMonths, 3)),
      everyMonthsDay_(numberField(kDayOfMonth, 20)),
      start_(new DateEdit),
      end_(new DateEdit),
      save_(new QPushButton(QStringLiteral("保存"))) {
    setWindowTitle(QStringLiteral("新建计划"));
    const PlanInput in = newPlanInput(dm_, kinds_->kind(), startupDate(dm_));
    fillNames(account_, dm_.ComAccount(), in.account);
    fillNames(member_, dm_.ComFamily(), in.member);
    // Digits and points only, ten at most.
    amount_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^[0-9.]{0,10}$")), amount_));
    limitGbk(remark_, limits::kShortRemark);
    start_->setDateText(in.start);
    end_->setDateText(in.end);

    auto* first = new QGroupBox(QStringLiteral("第一步"));
    auto* f = new QFormLayout(first);
    f->addRow(kinds_);
    f->addRow(nameLabel_, names_);
    f->addRow(QStringLiteral("金        额："), amount_);
    f->addRow(QStringLiteral("账户名称："), account_);
    f->addRow(QStringLiteral("家庭成员："), member_);
    f->addRow(QStringLiteral("备        注："), remark_);

    auto* third = new QGroupBox(QStringLiteral("第三步"));
    auto* t = new QFormLayout(third);
    t->addRow(QStringLiteral("开始日期："), start_);
    t->addRow(QStringLiteral("结束日期："), end_);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(first);
    outer->addWidget(repeatGroup());
    outer->addWidget(third);
    outer->addLayout(saveExitRow(this, save_));

    auto showKind = [this](const PlanKind& k) {
        nameLabel_->setText(u8(k.nameLabel));
        names_->show(k);
    };
    showKind(kinds_->kind());
    connect(kinds_, &PlanKindButtons::chosen, this, [this, showKind](const PlanKind& k) {
        showKind(k);
        names_->current()->setFocus();
    });
    connect(save_, &QPushButton::clicked, this, &TfrmPlan_New::onSave);
}

QWidget* TfrmPlan_New::repeatGroup() {
    auto* group = new QGroupBox(QStringLiteral("第二步"));
    auto* g = new QVBoxLayout(group);
    // Each rule: its radio button, then its number fields between their words.
    auto addRule = [&](Repeat r, const char* caption, std::vector<QWidget*> parts) {
        auto* row = new QHBoxLayout;
        auto* b = new QRadioButton(u8(caption));
        repeats_->addButton(b, static_cast<int>(r));
        row->addWidget(b);
        for (QWidget* w : parts) {
            row->addWidget(w);
        }
        row->addStretch(1);
        g->addLayout(row);
        connect(b, &QRadioButton::toggled, this, [this, r](bool on) {
            if (on) {
                end_->setDateText(proposedEnd(r, start_->dateText()));
            }
        });
    };
    auto word = [](const char* w) { return new QLabel(u8(w)); };
    addRule(Repeat::Daily, "每天 执行", {});
    addRule(Repeat::EveryNDays, "每", {everyDays_, word("日 执行")});
    addRule(Repeat::Monthly, "每月", {monthlyDay_, word("日 执行")});
    addRule(Repeat::Yearly, "每年", {yearlyMonth_, word("月"), yearlyDay_, word("日 执行")});
    addRule(Repeat::EveryNMonths, "每",
            {everyMonths_, word("月"), everyMonthsDay_, word("日 执行")});
    // Preselected without proposing an end: the third step starts a month on.
    repeats_->blockSignals(true);
    repeatButton(Repeat::Daily)->setChecked(true);
    repeats_->blockSignals(false);
    return group;
}

QRadioButton* TfrmPlan_New::repeatButton(Repeat r) const {
    return qobject_cast<QRadioButton*>(repeats_->button(static_cast<int>(r)));
}

RepeatRule TfrmPlan_New::rule() const {
    RepeatRule r;
    r.repeat = static_cast<Repeat>(std::max(0, repeats_->checkedId()));
    r.days = everyDays_->value();
    switch (r.repeat) {
        case Repeat::Monthly:
            r.day = monthlyDay_->value();
            break;
        case Repeat::Yearly:
            r.month = yearlyMonth_->value();
            r.day = yearlyDay_->value();
            break;
        case Repeat::EveryNMonths:
            r.months = everyMonths_->value();
            r.day = everyMonthsDay_->value();
            break;
        case Repeat::Daily:
        case Repeat::EveryNDays:
            break;
    }
    return r;
}

void TfrmPlan_New::onSave() {
    PlanInput in;
    in.kind = &kinds_->kind();
    in.name = ss(names_->list(*in.kind)->currentText());
    in.amount = ss(amount_->text());
    in.account = ss(account_->currentText());
    in.member = ss(member_->currentText());
    in.remark = ss(remark_->text());
    in.rule = rule();
    in.start = start_->dateText();
    in.end = end_->dateText();
    // A bare zero counts as nothing typed, and the field shows so.
    if (in.amount == "0" || in.amount == "0." || in.amount == ".0") {
        amount_->clear();
    }
    const PlanCheck r = savePlans(dm_, in);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        FieldWidgets<PlanField>{{PlanField::Name, names_->current()},
                                {PlanField::Amount, amount_},
                                {PlanField::Account, account_},
                                {PlanField::Member, member_},
                                {PlanField::End, end_}}
            .focus(r.field);
        return;
    }
    prompter_.info(QStringLiteral("计划保存成功！"));
    accept();
}

// ---- 查看计划 and 执行计划 ----

PlanListScreen::PlanListScreen(TfrmDM& dm, Prompter& prompter, Purpose purpose, FileOpener opener,
                               QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      purpose_(purpose),
      opener_(std::move(opener)),
      model_(dm),
      kinds_(new PlanKindButtons),
      dateBox_(new QCheckBox(QStringLiteral("计划日期"))),
      from_(new DateEdit),
      to_(new DateEdit),
      nameBox_(new QCheckBox),
      names_(new PlanNamePicker(dm, false)),
      accountBox_(new QCheckBox(QStringLiteral("账户名称"))),
      account_(new QComboBox),
      memberBox_(new QCheckBox(QStringLiteral("家庭成员"))),
      member_(new QComboBox),
      remarkBox_(new QCheckBox(QStringLiteral("备        注"))),
      remark_(new QLineEdit),
      query_(new QPushButton(QStringLiteral("查询"))),
      action_(new QPushButton(purpose == Purpose::View ? QStringLiteral("Excel")
                                                       : QStringLiteral("执行"))),
      grid_(new RecordGrid),
      count_(new QLabel),
      total_(new QLabel),
      menu_(new QMenu(this)) {
    setWindowTitle(purpose == Purpose::View ? QStringLiteral("查看计划")
                                            : QStringLiteral("执行计划"));
    const PlanFilter start = PlanListModel::initialFilter(startupDate(dm_));
    from_->setDateText(start.from);
    to_->setDateText(start.to);
    fillNames(account_, dm_.ComAccount(), "");
    fillNames(member_, dm_.ComFamily(), "");
    limitGbk(remark_, limits::kShortRemark);

    // Unlike the record filters, choosing a value does not tick its box.
    auto* criteria = new QGroupBox(QStringLiteral("查询条件"));
    auto* g = new QGridLayout(criteria);
    g->addWidget(kinds_, 0, 0, 1, 4);
    g->addWidget(dateBox_, 1, 0);
    g->addWidget(dateRange(from_, to_), 1, 1, 1, 3);
    g->addWidget(nameBox_, 2, 0);
    g->addWidget(names_, 2, 1);
    g->addWidget(accountBox_, 2, 2);
    g->addWidget(account_, 2, 3);
    g->addWidget(memberBox_, 3, 0);
    g->addWidget(member_, 3, 1);
    g->addWidget(remarkBox_, 3, 2);
    g->addWidget(remark_, 3, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);

    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(query_);
    buttons->addWidget(action_);
    buttons->addWidget(exit);
    if (purpose_ == Purpose::Execute) {
        progress_ = new QProgressBar;
        progress_->setValue(0);
        buttons->addWidget(progress_);
    }
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(criteria, 1);
    top->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(grid_, 1);
    outer->addLayout(totalsRow(count_, total_));

    action_->setEnabled(false);
    grid_->setTable(model_.rows(), model_.hidden());
    showTotals(model_, count_, total_);

    auto showKind = [this](const PlanKind& k) {
        nameBox_->setText(u8(k.nameCaption));
        names_->show(k);
    };
    showKind(kinds_->kind());
    connect(kinds_, &PlanKindButtons::chosen, this, [this, showKind](const PlanKind& k) {
        showKind(k);
        onQuery();
    });
    connect(query_, &QPushButton::clicked, this, &PlanListScreen::onQuery);
    connect(action_, &QPushButton::clicked, this,
            purpose_ == Purpose::View ? &PlanListScreen::onExcel : &PlanListScreen::onExecute);
    connect(exit, &QPushButton::clicked, this, [this] { closeScreen(this); });
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!menu_->isEmpty()) {
            menu_->popup(grid_->viewport()->mapToGlobal(at));
        }
    });
}

PlanFilter PlanListScreen::filter() const {
    PlanFilter f;
    f.kind = &kinds_->kind();
    f.byDate = dateBox_->isChecked();
    f.from = from_->dateText();
    f.to = to_->dateText();
    f.byName = nameBox_->isChecked();
    f.name = ss(names_->list(*f.kind)->currentText());
    f.byAccount = accountBox_->isChecked();
    f.account = ss(account_->currentText());
    f.byMember = memberBox_->isChecked();
    f.member = ss(member_->currentText());
    f.byRemark = remarkBox_->isChecked();
    f.remark = ss(remark_->text());
    return f;
}

void PlanListScreen::onQuery() {
    model_.setFilter(filter());
    if (purpose_ == Purpose::View && menu_->isEmpty()) {
        menu_->addAction(QStringLiteral("删除选中计划 &D"), this, &PlanListScreen::deleteCurrent);
        menu_->addAction(QStringLiteral("全部删除 &A"), this, &PlanListScreen::deleteAll);
    }
    action_->setEnabled(true);
    reload();
}

void PlanListScreen::reload() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(PlanColumn::Remark), 200);
    showTotals(model_, count_, total_);
}

void PlanListScreen::deleteCurrent() {
    const int row = grid_->currentRowIndex();
    if (model_.rows().empty() || row < 0) {
        return;
    }
    // The grid may be sorted by a title: its own rows say which plan it is.
    model_.remove(model_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row)));
    prompter_.info(QStringLiteral("数据删除成功！"));
    reload();
}

void PlanListScreen::deleteAll() {
    if (!prompter_.ask(QStringLiteral("确认要全部删除吗？该删除将不可恢复！"),
                       QStringLiteral("删除"))) {
        return;
    }
    model_.removeAllListed();
    prompter_.info(QStringLiteral("数据删除成功！"));
    reload();
}

void PlanListScreen::onExcel() {
    lastExport_ = exportSheet(model_.sheet(), dm_.session(), "计划表", prompter_, opener_);
}

void PlanListScreen::onExecute() {
    executeWithProgress(model_, dm_, progress_, prompter_);
    reload();
}

// ---- 到今天未执行的计划 ----

TfrmPlan_Now::TfrmPlan_Now(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      model_(dm),
      grid_(new RecordGrid),
      count_(new QLabel),
      total_(new QLabel),
      execute_(new QPushButton(QStringLiteral("执行"))),
      progress_(new QProgressBar) {
    setWindowTitle(QStringLiteral("到今天未执行的计划"));
    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addLayout(totalsRow(count_, total_), 1);
    buttons->addWidget(execute_);
    buttons->addWidget(exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(grid_, 1);
    outer->addLayout(buttons);
    outer->addWidget(progress_);
    progress_->setValue(0);
    resize(860, 420);

    model_.setDue(startupDate(dm_));
    reload();
    execute_->setDefault(true);
    connect(execute_, &QPushButton::clicked, this, &TfrmPlan_Now::onExecute);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPlan_Now::reload() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(PlanColumn::Remark), 160);
    showTotals(model_, count_, total_);
    execute_->setEnabled(model_.count() > 0);
}

void TfrmPlan_Now::onExecute() {
    const Executed r = executeWithProgress(model_, dm_, progress_, prompter_);
    if (r == Executed::All) {
        accept();
        return;
    }
    reload();
}

}  // namespace fennory::ui

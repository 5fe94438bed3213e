// 新建计划 and the pickers it is made of.
#include "core/field_limits.h"
#include "plans/ui/plan_screens.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "core/ui/record_screen.h"
#include "plans/ui/plan_parts.h"

namespace fennory::ui {
using namespace plan_parts;

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
            guarded([this](int i) { emit chosen(planKinds().at(static_cast<std::size_t>(i))); }));
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
      kinds_(withName("kinds", new PlanKindButtons)),
      nameLabel_(withName("nameLabel", new QLabel)),
      names_(withName("names", new PlanNamePicker(dm, true))),
      amount_(withName("amountField", new QLineEdit)),
      account_(withName("accountList", new QComboBox)),
      member_(withName("memberList", new QComboBox)),
      remark_(withName("remarkField", new QLineEdit)),
      repeats_(new QButtonGroup(this)),
      everyDays_(withName("everyDays", numberField(kEveryDays, 7))),
      monthlyDay_(withName("monthlyDay", numberField(kDayOfMonth, 20))),
      yearlyMonth_(withName("yearlyMonth", numberField(kMonthOfYear, 1))),
      yearlyDay_(withName("yearlyDay", numberField(kDayOfMonth, 20))),
      everyMonths_(withName("everyMonths", numberField(kEveryMonths, 3))),
      everyMonthsDay_(withName("everyMonthsDay", numberField(kDayOfMonth, 20))),
      start_(withName("startDate", new DateEdit)),
      end_(withName("endDate", new DateEdit)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
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
    connect(kinds_, &PlanKindButtons::chosen, this, guarded([this, showKind](const PlanKind& k) {
                showKind(k);
                names_->current()->setFocus();
            }));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmPlan_New::onSave));
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
        connect(b, &QRadioButton::toggled, this, guarded([this, r](bool on) {
                    if (on) {
                        end_->setDateText(proposedEnd(r, start_->dateText()));
                    }
                }));
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

}  // namespace fennory::ui

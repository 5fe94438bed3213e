#include "bookkeeping/ui/loan_screen.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QMenu>
#include <QVBoxLayout>

#include "core/ui/guard.h"
#include "core/ui/navigation.h"

namespace fennory::ui {
namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// "债务" → "债务信息"; the labels of each side's fields.
QString partyLabel(const LoanKind& k) {
    return recordType(k.type).sign > 0 ? QStringLiteral("债  权  人：")
                                       : QStringLiteral("债  务  人：");
}

}  // namespace

LoanScreen::LoanScreen(TfrmDM& dm, Prompter& prompter, const LoanKind& kind, QWidget* parent,
                       std::function<std::string()> today)
    : RecordFormScreen(dm, model_, model_, model_, prompter,
                       {.group = u8(kind.caption) + QStringLiteral("信息"),
                        .nameLabel = partyLabel(kind),
                        .amountLabel = u8(kind.amountAlias) + QStringLiteral("："),
                        .nameTable = "PD",
                        .nameColumn = "PName",
                        .names = dm.ComPType(),
                        .keepPickerDate = true},
                       today(), parent),
      model_(dm, kind, std::move(today)) {
    setWindowTitle(u8(kind.caption));
    const QString side = u8(kind.caption);      // 债务 / 债权
    const QString act = u8(kind.repayCaption);  // 还债 / 收债
    QMenu* menu = gridMenu();
    menu->addAction(act + QStringLiteral(" &R"), this, guarded(this, &LoanScreen::repay));
    menu->addAction(act + QStringLiteral("记录 &V"), this,
                    guarded(this, &LoanScreen::showRepayments));
    menu->addSeparator();
    menu->addAction(QStringLiteral("增加") + side + QStringLiteral("金额 &Z"), this,
                    guarded([this] { adjust(Adjustment::Increase); }));
    menu->addAction(QStringLiteral("减少") + side + QStringLiteral("金额 &J"), this,
                    guarded([this] { adjust(Adjustment::Decrease); }));
    menu->addAction(QStringLiteral("增减") + side + QStringLiteral("记录 &B"), this,
                    guarded(this, &LoanScreen::showAdjustments));
    menu->addSeparator();
    const bool debt = recordType(kind.type).sign > 0;
    const std::pair<QString, LoanScope> scopes[] = {
        {debt ? QStringLiteral("未还债务 &D") : QStringLiteral("未收债权 &D"), LoanScope::Unpaid},
        {debt ? QStringLiteral("已还债务 &L") : QStringLiteral("已收债权 &L"), LoanScope::Paid},
        {debt ? QStringLiteral("全部债务 &A") : QStringLiteral("全部债权 &A"), LoanScope::All}};
    for (const auto& [caption, scope] : scopes) {
        menu->addAction(caption, this, guarded([this, s = scope] {
                            model_.showLoans(s);
                            showModel();
                        }));
    }
    if (!debt) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("坏账 &H"), this, guarded(this, &LoanScreen::writeOff));
    }
    setOnFirstShow([this, k = kind.caption] { navigation().remind(dm_, k, this); });
    Ref();
    grid()->setColumnWidth(static_cast<int>(LoanColumn::Remark), 255);
}

void LoanScreen::repay() {
    if (!model_.canRepay()) {
        return;
    }
    const LoanKind& k = model_.kind();
    MoveForm form{.caption = u8(k.repayCaption),
                  .amountLabel = u8(k.repayAmount) + QStringLiteral("："),
                  .saveCaption = u8(k.repayCaption),
                  .date = model_.initialFilter().to(),
                  .amount = model_.text(LoanColumn::Amount),
                  .account = model_.text(LoanColumn::Account),
                  .member = model_.text(LoanColumn::Member)};
    if (moveMoney(
            dm_, prompter_, form, [this](const RepayInput& in) { return model_.repay(in); },
            this)) {
        showModel();
    }
}

void LoanScreen::showRepayments() {
    if (hasCurrentRow()) {
        RecordsDialog d(
            u8(model_.kind().repayCaption) + QStringLiteral("记录"),
            [this] { return model_.repayments(); },
            [this](std::int64_t id) { model_.removeRepayment(id); }, prompter_, this);
        d.exec();
        Ref();
    }
}

void LoanScreen::adjust(Adjustment how) {
    if (!hasCurrentRow()) {
        return;
    }
    using C = LoanColumn;
    const LoanKind& k = model_.kind();
    if (adjustCurrent<C>(dm_, prompter_, model_, how, u8(k.caption) + QStringLiteral("金额"),
                         u8(k.caption) + QStringLiteral("信息"),
                         {{QStringLiteral("日        期："), model_.text(C::Date)},
                          {partyLabel(k), model_.text(C::Party)},
                          {u8(k.amountAlias) + QStringLiteral("："), model_.text(C::Amount)}},
                         this)) {
        showModel();
    }
}

void LoanScreen::showAdjustments() {
    if (hasCurrentRow()) {
        RecordsDialog d(
            QStringLiteral("增减") + u8(model_.kind().caption) + QStringLiteral("记录"),
            [this] { return model_.adjustments(); }, {}, prompter_, this);
        d.exec();
    }
}

void LoanScreen::writeOff() {
    if (hasCurrentRow() && prompter_.ask(QStringLiteral("确认该债权为坏账吗？该操作将不可恢复！"),
                                         QStringLiteral("删除"))) {
        model_.writeOff(currentId());
        showModel();
    }
}

}  // namespace fennory::ui

#include "bookkeeping/ui/bookkeeping_screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QVBoxLayout>

#include "core/field_limits.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

void setUpNames(NameCombo* combo, TfrmDM& dm, const std::vector<std::string>& names,
                const char* table, const char* column) {
    combo->setNames(names);
    combo->setTypeAhead([&dm, table, column](const std::string& text) {
        return dm.nameMatches(text, column, table);
    });
}

RecordFilterDialog::RecordFilterDialog(TfrmDM& dm, const FilterForm& form,
                                       const RecordFilter& start, QWidget* parent)
    : QDialog(parent),
      from_(new DateEdit),
      to_(new DateEdit),
      name_(new NameCombo),
      account_(new NameCombo),
      member_(new NameCombo),
      remark_(new QLineEdit),
      query_(new QPushButton(QStringLiteral("查询"))) {
    setWindowTitle(form.caption);
    // A remark longer than any remark can be finds nothing and must not be typed.
    limitGbk(remark_, limits::kRemark);
    from_->setDateText(start.from);
    to_->setDateText(start.to);
    auto* range = dateRange(from_, to_);
    byDate_ = new CriteriaBox(form.dateTick, range, {from_, to_});
    byDate_->setTicked(true);
    criteria_.push_back(byDate_);
    if (!form.nameTick.isEmpty()) {
        setUpNames(name_, dm, form.names, form.nameTable, form.nameColumn);
        byName_ = new CriteriaBox(form.nameTick, name_);
        criteria_.push_back(byName_);
    }
    if (form.byAccount) {
        setUpNames(account_, dm, dm.ComAccount(), "SAccount", "AName");
        byAccount_ = new CriteriaBox(QStringLiteral("账户名称"), account_);
        criteria_.push_back(byAccount_);
    }
    setUpNames(member_, dm, dm.ComFamily(), "SFamily", "FName");
    byMember_ = new CriteriaBox(QStringLiteral("家庭成员"), member_);
    byRemark_ = new CriteriaBox(QStringLiteral("备        注"), remark_);
    criteria_.push_back(byMember_);
    criteria_.push_back(byRemark_);
    auto* group = new QGroupBox(QStringLiteral("查询条件"));
    auto* v = new QVBoxLayout(group);
    for (CriteriaBox* c : criteria_) {
        v->addWidget(c);
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, query_));
    connect(query_, &QPushButton::clicked, this, &QDialog::accept);
}

CriteriaBox* RecordFilterDialog::criterion(const QString& tick) const {
    for (CriteriaBox* c : criteria_) {
        if (c->box()->text() == tick) {
            return c;
        }
    }
    return nullptr;
}

RecordFilter RecordFilterDialog::filter() const {
    return {.byDate = byDate_->isTicked(),
            .from = from_->dateText(),
            .to = to_->dateText(),
            .byName = byName_ && byName_->isTicked(),
            .name = name_->name(),
            .byAccount = byAccount_ && byAccount_->isTicked(),
            .account = account_->name(),
            .byMember = byMember_->isTicked(),
            .member = member_->name(),
            .byRemark = byRemark_->isTicked(),
            .remark = ss(remark_->text())};
}

bool BookkeepingScreen::runFilter(TfrmDM& dm, const FilterForm& form, const RecordFilter& start,
                                  const std::function<void(const RecordFilter&)>& apply) {
    RecordFilterDialog d(dm, form, start, this);
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    apply(d.filter());
    return true;
}

BookkeepingScreen::BookkeepingScreen(ScreenModelBase& model, ListedRecords& list,
                                     Prompter& prompter, QWidget* parent)
    : RecordScreen(model, prompter, parent),
      list_(list),
      prompter_(prompter),
      query_(new QPushButton(QStringLiteral("查询（&Q）"))),
      totals_(new QLabel) {
    addButton(query_);
    connect(query_, &QPushButton::clicked, this, [this] {
        if (runFilter()) {
            showModel();
        }
    });
}

void BookkeepingScreen::addMonthScopes() {
    gridMenu()->addAction(QStringLiteral("本月记账 &B"), this,
                          [this] { showScope(ListScope::ThisMonth); });
    gridMenu()->addAction(QStringLiteral("历史记账 &L"), this,
                          [this] { showScope(ListScope::History); });
    gridMenu()->addAction(QStringLiteral("全部记账 &A"), this,
                          [this] { showScope(ListScope::All); });
    gridMenu()->addSeparator();
    gridMenu()->addAction(QStringLiteral("全部删除 &D"), this, &BookkeepingScreen::deleteAllListed);
}

void BookkeepingScreen::refreshStates() {
    RecordScreen::refreshStates();
    query_->setEnabled(mode() == RecordMode::Browse);
    showTotals();
}

void BookkeepingScreen::showTotals() {
    const ListTotals& t = list_.totals();
    totals_->setText(
        QStringLiteral("记账： %1    合计： %2").arg(t.count).arg(qs(t.sum.toDisplay())));
}

void BookkeepingScreen::showScope(ListScope scope) {
    list_.setScope(scope);
    showModel();
}

void BookkeepingScreen::deleteAllListed() {
    if (list_.totals().count == 0 || !askDelete(prompter_)) {
        return;
    }
    QProgressDialog progress(QStringLiteral("正在删除记录……"), QString(), 0,
                             static_cast<int>(list_.totals().count), this);
    progress.setWindowTitle(QStringLiteral("全部删除"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    list_.removeAllListed([&progress](std::size_t done, std::size_t total) {
        if (done % 200 == 0 || done == total) {
            progress.setValue(static_cast<int>(done));
        }
    });
    showModel();
}

void BookkeepingScreen::showEvent(QShowEvent* e) {
    RecordScreen::showEvent(e);
    if (!shown_) {
        shown_ = true;
        if (onFirstShow_) {
            // After the screen is on the screen, not inside its show event.
            QMetaObject::invokeMethod(this, onFirstShow_, Qt::QueuedConnection);
        }
    }
}

}  // namespace fennory::ui

#include "bookkeeping/ui/bookkeeping_screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QVBoxLayout>

#include "core/field_limits.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {

void setUpNames(NameCombo* combo, TfrmDM& dm, const std::vector<std::string>& names,
                const char* table, const char* column) {
    combo->setNames(names);
    combo->setTypeAhead([&dm, table, column](const std::string& text) {
        return dm.nameMatches(text, column, table);
    });
}

RecordFilterDialog::RecordFilterDialog(TfrmDM& dm, const FilterForm& form, const Criteria& start,
                                       QWidget* parent)
    : QDialog(parent),
      form_(new CriteriaForm(dm, QStringLiteral("查询条件"), form.criteria, start, nullptr,
                             {.columns = 1})) {
    setWindowTitle(qs(form.caption));
    auto* query = new QPushButton(QStringLiteral("查询"));
    query->setObjectName(QStringLiteral("query"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(form_);
    outer->addLayout(saveExitRow(this, query));
    connect(query, &QPushButton::clicked, this, &QDialog::accept);
}

bool BookkeepingScreen::runFilter() {
    RecordFilterDialog d(dm_, list_.filterForm(), list_.initialFilter(), this);
    if (d.exec() != QDialog::Accepted) {
        return false;
    }
    list_.setFilter(d.filter());
    return true;
}

BookkeepingScreen::BookkeepingScreen(TfrmDM& dm, ScreenModelBase& model, ListedRecords& list,
                                     Prompter& prompter, QWidget* parent)
    : RecordScreen(model, prompter, parent),
      dm_(dm),
      list_(list),
      prompter_(prompter),
      query_(withName("queryButton", new QPushButton(QStringLiteral("查询（&Q）")))),
      totals_(withName("totalsLabel", new QLabel)) {
    addButton(query_);
    connect(query_, &QPushButton::clicked, this, guarded([this] {
                if (runFilter()) {
                    showModel();
                }
            }));
}

void BookkeepingScreen::addMonthScopes() {
    gridMenu()->addAction(QStringLiteral("本月记账 &B"), this,
                          guarded([this] { showScope(ListScope::ThisMonth); }));
    gridMenu()->addAction(QStringLiteral("历史记账 &L"), this,
                          guarded([this] { showScope(ListScope::History); }));
    gridMenu()->addAction(QStringLiteral("全部记账 &A"), this,
                          guarded([this] { showScope(ListScope::All); }));
    gridMenu()->addSeparator();
    gridMenu()->addAction(QStringLiteral("全部删除 &D"), this,
                          guarded(this, &BookkeepingScreen::deleteAllListed));
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

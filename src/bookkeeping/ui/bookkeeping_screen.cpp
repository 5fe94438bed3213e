#include "bookkeeping/ui/bookkeeping_screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QVBoxLayout>

#include "core/ui/inputs.h"

namespace fennory::ui {

QWidget* dateRange(DateEdit* from, DateEdit* to) {
    auto* range = new QWidget;
    auto* r = new QHBoxLayout(range);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(from);
    r->addWidget(new QLabel(QStringLiteral("至：")));
    r->addWidget(to);
    return range;
}

void layOutFilter(QDialog* dialog, const std::vector<CriteriaBox*>& criteria, QPushButton* query) {
    auto* group = new QGroupBox(QStringLiteral("查询条件"));
    auto* v = new QVBoxLayout(group);
    for (CriteriaBox* c : criteria) {
        v->addWidget(c);
    }
    auto* outer = new QVBoxLayout(dialog);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(dialog, query));
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

#include "reports/ui/fund_flow_screen.h"
#include "core/field_limits.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include "core/dates.h"
#include "core/ui/guard.h"
#include "core/ui/record_screen.h"
#include "reporting/ui/report_preview.h"

namespace fennory::ui {
namespace {

QString moneyText(const std::optional<Money>& m) {
    return m ? qs(m->toDisplay()) : QString();
}

}  // namespace

TfrmPage3::TfrmPage3(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent,
                     const FundFlowPreset& preset)
    : QueryScreen(dm, prompter, std::move(opener), parent),
      log_(dm),
      criteria_(
          new CriteriaForm(dm, QStringLiteral("查询条件"), fundFlowCriteria(),
                           FundFlowLog::initialCriteria(dm.session().startDay(), preset).criteria)),
      sortBox_(withName("sortBox", new QCheckBox(QStringLiteral("排        序")))),
      sort_(withName("sortList", pickList(flowSortCaptions()))),
      query_(withName("queryButton", new QPushButton(QStringLiteral("查询")))),
      excel_(withName("excelButton", new QPushButton(QStringLiteral("Excel")))),
      print_(withName("printButton", new QPushButton(QStringLiteral("打印")))),
      grid_(withName("grid", new RecordGrid)),
      totals_(withName("totalsLabel", new QLabel)),
      menu_(withName("contextMenu", new QMenu(this))) {
    setWindowTitle(QStringLiteral("资金流动日志"));

    auto* side = new QGridLayout;
    side->addWidget(sortBox_, 0, 0);
    side->addWidget(sort_, 0, 1);
    side->addWidget(query_, 1, 0);
    side->addWidget(excel_, 1, 1);
    side->addWidget(print_, 2, 0);
    auto* exit = new QPushButton(QStringLiteral("退出"));
    side->addWidget(exit, 2, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(criteria_, 1);
    top->addLayout(side);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(grid_, 1);
    outer->addWidget(totals_);
    totals_->setText(QStringLiteral("记录：0    收入合计：    支出合计："));

    excel_->setEnabled(false);
    print_->setEnabled(false);

    connect(query_, &QPushButton::clicked, this, guarded(this, &TfrmPage3::onQuery));
    connect(excel_, &QPushButton::clicked, this, guarded(this, &TfrmPage3::onExcel));
    connect(print_, &QPushButton::clicked, this, guarded(this, &TfrmPage3::onPrint));
    connect(exit, &QPushButton::clicked, this, guarded([this] { closeScreen(this); }));

    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, guarded([this](const QPoint& at) {
                if (!menu_->isEmpty()) {
                    menu_->popup(grid_->viewport()->mapToGlobal(at));
                }
            }));
    grid_->setTable(log_.list(), FundFlowLog::hiddenColumns());
}

TfrmPage3* TfrmPage3::openWindow(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent,
                                 const FundFlowPreset& preset) {
    auto* w = new TfrmPage3(dm, prompter, std::move(opener), parent, preset);
    w->setWindowFlag(Qt::Window);
    w->setAttribute(Qt::WA_DeleteOnClose);
    // Wide enough for every column, "事件" included, without a scroll bar, as
    // far as the screen allows.
    QRect avail =
        (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    w->resize(std::min(1120, avail.width()), std::min(600, avail.height()));
    w->move(avail.center() - QPoint(w->width() / 2, w->height() / 2));
    w->show();
    w->onQuery();
    return w;
}

FundFlowCriteria TfrmPage3::criteria() const {
    return {.criteria = criteria_->criteria(),
            .sorted = sortBox_->isChecked(),
            .sort = static_cast<FlowSort>(std::max(0, sort_->currentIndex()))};
}

void TfrmPage3::onQuery() {
    log_.query(criteria());
    if (menu_->isEmpty()) {
        menu_->addAction(QStringLiteral("删除当前选中日志 &D"), this,
                         guarded(this, &TfrmPage3::deleteCurrent));
        menu_->addAction(QStringLiteral("删除所有日志 &A"), this,
                         guarded(this, &TfrmPage3::deleteAll));
        menu_->addAction(QStringLiteral("修改日志 &M"), this,
                         guarded(this, &TfrmPage3::editCurrent));
        menu_->addAction(QStringLiteral("重新计算本次余额 &J"), this,
                         guarded(this, &TfrmPage3::recalculate));
    }
    reload();
}

void TfrmPage3::reload() {
    grid_->setTable(log_.list(), FundFlowLog::hiddenColumns());
    const std::pair<FlowColumn, int> widths[] = {
        {FlowColumn::Kind, 100},   {FlowColumn::Remark, 260},  {FlowColumn::In, 100},
        {FlowColumn::Out, 100},    {FlowColumn::Account, 100}, {FlowColumn::Balance, 100},
        {FlowColumn::Member, 100}, {FlowColumn::Event, 40}};
    for (const auto& [column, w] : widths) {
        grid_->setColumnWidth(static_cast<int>(column), w);
    }
    const FundFlowTotals& t = log_.totals();
    totals_->setText(QStringLiteral("记录：%1    收入合计：%2    支出合计：%3")
                         .arg(t.count)
                         .arg(moneyText(t.in), moneyText(t.out)));
    excel_->setEnabled(true);
    print_->setEnabled(true);
}

void TfrmPage3::onExcel() {
    exportAs(log_.sheet(), "资金流动日志");
}

void TfrmPage3::onPrint() {
    showReportPreview(
        log_.printLayout(), log_.printRows(), prompter_, [this] { onExcel(); }, this);
}

std::int64_t TfrmPage3::currentEntryId() const {
    int row = grid_->currentRowIndex();
    if (row < 0) {
        return 0;
    }
    // The grid may be sorted by a title: its own rows say which entry it is.
    return FundFlowLog::idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row));
}

void TfrmPage3::deleteCurrent() {
    std::int64_t id = currentEntryId();
    if (log_.list().empty() || id == 0 || !askDelete(prompter_)) {
        return;
    }
    log_.deleteEntry(id);
    reload();
}

void TfrmPage3::deleteAll() {
    if (log_.list().empty() || !askDelete(prompter_)) {
        return;
    }
    log_.deleteAllListed();
    reload();
}

void TfrmPage3::editCurrent() {
    std::optional<FlowEdit> entry = log_.editOf(currentEntryId());
    if (!entry) {
        return;
    }
    TfrmPage3_M dialog(dm_, prompter_, log_, *entry, this);
    if (dialog.exec() == QDialog::Accepted) {
        reload();
    }
}

void TfrmPage3::recalculate() {
    // The recalculation asks for a chosen account, ticked or not.
    FlowCheck r = log_.recalculate(criteria_->criteria().text(Criterion::Account));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        criteria_->focus(Criterion::Account);
        return;
    }
    reload();
}

// ---- the edit dialog ----

TfrmPage3_M::TfrmPage3_M(TfrmDM& dm, Prompter& prompter, FundFlowLog& log, const FlowEdit& entry,
                         QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      log_(log),
      entry_(entry),
      date_(withName("dateField", new DateEdit)),
      kind_(withName("kindField", new QLineEdit)),
      remark_(withName("remarkField", new QLineEdit)),
      in_(withName("inField", new QLineEdit)),
      out_(withName("outField", new QLineEdit)),
      account_(withName("accountList", new QComboBox)),
      member_(withName("memberList", new QComboBox)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(QStringLiteral("修改日志"));
    auto* group =
        fieldGroup(QStringLiteral("日志修改"), {{QStringLiteral("日        期："), date_},
                                                {QStringLiteral("收支类别："), kind_},
                                                {QStringLiteral("摘        要："), remark_},
                                                {QStringLiteral("收        入："), in_},
                                                {QStringLiteral("支        出："), out_},
                                                {QStringLiteral("账户名称："), account_},
                                                {QStringLiteral("家庭成员："), member_}});
    for (QLineEdit* e : {kind_, remark_, in_, out_}) {
        limitGbk(e, limits::kName);
    }
    // Amounts take digits and a point only.
    for (QLineEdit* e : {in_, out_}) {
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("^[0-9]*\\.?[0-9]{0,4}$")), e));
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));

    date_->setDateText(entry.theDate);
    kind_->setText(qs(entry.theType));
    remark_->setText(qs(entry.Remark));
    in_->setText(qs(entry.theIn));
    out_->setText(qs(entry.theOut));
    fillNames(account_, dm.ComAccount(), entry.AName);
    fillNames(member_, dm.ComFamily(), entry.FName);
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmPage3_M::onSave));
}

void TfrmPage3_M::onSave() {
    FlowEdit e = entry_;
    e.theDate = date_->dateText();
    e.theType = ss(kind_->text());
    e.Remark = ss(remark_->text());
    e.theIn = ss(in_->text().trimmed());
    e.theOut = ss(out_->text().trimmed());
    e.AName = ss(account_->currentText());
    e.FName = ss(member_->currentText());
    FlowCheck r = log_.saveEdit(e);
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        FieldWidgets<FlowField>{
            {FlowField::Date, date_}, {FlowField::In, in_}, {FlowField::Out, out_}}
            .focus(r.field);
        return;
    }
    prompter_.info(QStringLiteral("资金流动日志 修改成功！"));
    accept();
}

}  // namespace fennory::ui

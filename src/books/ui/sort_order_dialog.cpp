#include "books/ui/sort_order_dialog.h"
#include "core/field_limits.h"

#include <QApplication>

#include <QButtonGroup>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "books/backup.h"
#include "books/ui/book_parts.h"
#include "core/book_checks.h"
#include "core/dates.h"
#include "core/errors.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
using namespace book_parts;

TfrmSZ_PX::TfrmSZ_PX(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      end_(std::move(end)),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(qs(dm.book()) + QStringLiteral(" 排序设置"));
    const SortOrders stored = loadSortOrders(dm);
    auto* lists = new QGroupBox(QStringLiteral("下拉选择排序设置"));
    auto* l = new QVBoxLayout(lists);
    auto* listGroup = new QButtonGroup(this);
    const char* listCaptions[5] = {"按记账次数升序", "按名称升序", "按记账次数降序", "按名称降序",
                                   "不排序"};
    for (std::size_t i = 0; i < 5; ++i) {
        lists_[i] = new QRadioButton(u8(listCaptions[i]));
        listGroup->addButton(lists_[i]);
        l->addWidget(lists_[i]);
    }
    auto* records = new QGroupBox(QStringLiteral("记账列表排序设置"));
    auto* r = new QVBoxLayout(records);
    auto* recordGroup = new QButtonGroup(this);
    const char* recordCaptions[4] = {"按顺序升序", "按日期升序", "按顺序降序", "按日期降序"};
    for (std::size_t i = 0; i < 4; ++i) {
        records_[i] = new QRadioButton(u8(recordCaptions[i]));
        recordGroup->addButton(records_[i]);
        r->addWidget(records_[i]);
    }
    r->addStretch(1);
    lists_.at(static_cast<std::size_t>(std::clamp(stored.thePX, 1, 5) - 1))->setChecked(true);
    records_.at(static_cast<std::size_t>(std::clamp(stored.theJZPX, 1, 4) - 1))->setChecked(true);
    auto* groups = new QHBoxLayout;
    groups->addWidget(lists);
    groups->addWidget(records);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(groups);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmSZ_PX::onSave));
}

void TfrmSZ_PX::onSave() {
    SortOrders o;
    for (int i = 0; i < 5; ++i) {
        if (lists_[static_cast<std::size_t>(i)]->isChecked()) {
            o.thePX = i + 1;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (records_[static_cast<std::size_t>(i)]->isChecked()) {
            o.theJZPX = i + 1;
        }
    }
    saveSortOrders(dm_, o);
    prompter_.info(windowTitle() + QStringLiteral(" 保存成功，请重新打开Fennory！"));
    accept();
    if (end_) {
        end_();
    }
}

}  // namespace fennory::ui

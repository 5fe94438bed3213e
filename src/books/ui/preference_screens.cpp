// The book's defaults, the list orders and the edition.
#include "books/ui/preference_screens.h"
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

// ---- preferences ----

TfrmMRX::TfrmMRX(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    const QString book = qs(dm.book());
    setWindowTitle(book + QStringLiteral(" 默认项设置"));
    const BookDefaults stored = loadDefaults(dm);
    auto* names = new QGroupBox(book + QStringLiteral(" 默认项设置"));
    auto* n = new QGridLayout(names);
    const char* labels[6] = {"家庭成员：", "账户名称：", "收入类别：",
                             "支出类别：", "投资类别：", "往来人员："};
    for (std::size_t i = 0; i < 6; ++i) {
        lists_[i] = new QComboBox;
        fillNames(lists_[i], defaultChoices(dm, static_cast<DefaultName>(i)), stored.names[i]);
        empties_[i] = new QCheckBox(QStringLiteral("空"));
        n->addWidget(new QLabel(u8(labels[i])), static_cast<int>(i), 0);
        n->addWidget(lists_[i], static_cast<int>(i), 1);
        n->addWidget(empties_[i], static_cast<int>(i), 2);
    }
    auto* display = new QGroupBox(QStringLiteral("显示设置"));
    auto* dl = new QGridLayout(display);
    const char* flagCaptions[8] = {"只显示本月收入",           "只显示本月支出", "只显示本月转账",
                                   "只显示未还债务",           "只显示未收债权", "只显示未收投资",
                                   "打开软件播放计划提醒音乐", "弹出今日计划"};
    const bool values[8] = {stored.D_I, stored.D_O, stored.D_C,  stored.D_B,
                            stored.D_D, stored.D_T, stored.TX_M, stored.TX_T};
    for (std::size_t i = 0; i < 8; ++i) {
        flags_[i] = new QCheckBox(u8(flagCaptions[i]));
        flags_[i]->setChecked(values[i]);
        if (i < 6) {
            dl->addWidget(flags_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
        }
    }
    auto* plans = new QGroupBox(book + QStringLiteral(" 计划提醒设置"));
    auto* pl = new QHBoxLayout(plans);
    pl->addWidget(new QLabel(QStringLiteral("计划提醒：")));
    pl->addWidget(flags_[6]);
    pl->addWidget(flags_[7]);
    pl->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(names);
    outer->addWidget(display);
    outer->addWidget(plans);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmMRX::onSave));
}

void TfrmMRX::onSave() {
    BookDefaults d;
    for (std::size_t i = 0; i < 6; ++i) {
        d.names[i] = empties_[i]->isChecked() ? std::string() : ss(lists_[i]->currentText());
    }
    bool* out[8] = {&d.D_I, &d.D_O, &d.D_C, &d.D_B, &d.D_D, &d.D_T, &d.TX_M, &d.TX_T};
    for (std::size_t i = 0; i < 8; ++i) {
        *out[i] = flags_[i]->isChecked();
    }
    saveDefaults(dm_, d);
    prompter_.info(windowTitle() + QStringLiteral(" 保存成功！"));
    accept();
}

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

TfrmSBasc::TfrmSBasc(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      end_(std::move(end)),
      pc_(withName("pcButton",
                   new QRadioButton(QStringLiteral("电脑版 Fennory 文件夹 在 电脑里")))),
      usb_(withName("usbButton", new QRadioButton(QStringLiteral("U盘版 Fennory 文件夹 在U盘里")))),
      save_(withName("saveButton", new QPushButton(QStringLiteral("保存")))) {
    setWindowTitle(QStringLiteral("版本设置"));
    auto* group = new QGroupBox(QStringLiteral("版本设置"));
    auto* g = new QVBoxLayout(group);
    g->addWidget(pc_);
    g->addWidget(usb_);
    (readEdition(dm.db()) == Edition::Computer ? pc_ : usb_)->setChecked(true);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmSBasc::onSave));
}

void TfrmSBasc::onSave() {
    saveEdition(dm_.db(), pc_->isChecked() ? Edition::Computer : Edition::UsbStick);
    prompter_.info(QStringLiteral("版本设置 保存成功，请重新打开Fennory！"));
    accept();
    if (end_) {
        end_();
    }
}

}  // namespace fennory::ui

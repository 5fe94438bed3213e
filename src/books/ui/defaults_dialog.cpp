#include "books/ui/defaults_dialog.h"
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
    const char* flagCaptions[9] = {
        "只显示本月收入",           "只显示本月支出", "只显示本月转账",
        "只显示未还债务",           "只显示未收债权", "只显示未收投资",
        "打开软件播放计划提醒音乐", "弹出今日计划",   "记账超出预算时提醒"};
    const bool values[9] = {stored.D_I, stored.D_O,  stored.D_C,  stored.D_B, stored.D_D,
                            stored.D_T, stored.TX_M, stored.TX_T, stored.TX_B};
    for (std::size_t i = 0; i < 9; ++i) {
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
    auto* budgets = new QGroupBox(book + QStringLiteral(" 预算提醒设置"));
    auto* bl = new QHBoxLayout(budgets);
    bl->addWidget(flags_[8]);
    bl->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(names);
    outer->addWidget(display);
    outer->addWidget(plans);
    outer->addWidget(budgets);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, guarded(this, &TfrmMRX::onSave));
}

void TfrmMRX::onSave() {
    BookDefaults d;
    for (std::size_t i = 0; i < 6; ++i) {
        d.names[i] = empties_[i]->isChecked() ? std::string() : ss(lists_[i]->currentText());
    }
    bool* out[9] = {&d.D_I, &d.D_O, &d.D_C, &d.D_B, &d.D_D, &d.D_T, &d.TX_M, &d.TX_T, &d.TX_B};
    for (std::size_t i = 0; i < 9; ++i) {
        *out[i] = flags_[i]->isChecked();
    }
    saveDefaults(dm_, d);
    prompter_.info(windowTitle() + QStringLiteral(" 保存成功！"));
    accept();
}

}  // namespace fennory::ui

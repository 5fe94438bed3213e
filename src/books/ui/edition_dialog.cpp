#include "books/ui/edition_dialog.h"
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

#include "books/ui/backup_dialog.h"
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

PathChooser backupFolderChooser() {
    return [](QWidget* parent) {
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择备份路径："),
                                                 QString(), QFileDialog::ShowDirsOnly);
    };
}

PathChooser backupFileChooser() {
    return [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("打开数据备份文件"), QString(),
                                            QStringLiteral("MDB文件 (*.eac)"));
    };
}

TfrmBackup::TfrmBackup(TfrmDM& dm, Prompter& prompter, PathChooser chooser, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      chooser_(std::move(chooser)),
      path_(withName("pathField", new QLineEdit)),
      choose_(withName("chooseButton", new QPushButton(QStringLiteral("选择路径")))),
      backup_(withName("backupButton", new QPushButton(QStringLiteral("备份")))) {
    setWindowTitle(QStringLiteral("数据备份"));
    auto* hint =
        new QLabel(QStringLiteral("单击[选择路径]按钮选择正确备份路径，再单击[备份]按钮即可。"));
    auto* group = new QGroupBox;
    auto* g = new QHBoxLayout(group);
    g->addWidget(new QLabel(QStringLiteral("选择备份路径：")));
    g->addWidget(path_, 1);
    g->addWidget(choose_);
    path_->setMinimumWidth(320);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(hint);
    outer->addWidget(group);
    outer->addLayout(buttonRow({backup_, exitButton(this)}));
    connect(
        choose_, &QPushButton::clicked, this, guarded([this] {
            const QString folder = chooser_ ? chooser_(this) : QString();
            path_->setText(
                folder.isEmpty()
                    ? QString()
                    : qs(backupFileIn(folder.toStdString(), dm_.session().StartupDate).string()));
        }));
    connect(backup_, &QPushButton::clicked, this, guarded(this, &TfrmBackup::onBackup));
}

void TfrmBackup::onBackup() {
    const QString path = path_->text().trimmed();
    if (path.isEmpty()) {
        prompter_.warn(QStringLiteral("路径不能为空！"));
        return;
    }
    try {
        backupDataFile(dm_.db(), path.toStdString());
        prompter_.info(QStringLiteral("数据备份成功！"));
    } catch (const std::exception& e) {
        prompter_.warn(QStringLiteral("数据备份失败！\n") + qs(userMessage(e)));
    }
    accept();
}

}  // namespace fennory::ui

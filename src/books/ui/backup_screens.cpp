// Backup and restore of the data file.
#include "books/ui/backup_screens.h"
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

// ---- 数据备份 and 数据恢复 ----

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

TfrmRecover::TfrmRecover(TfrmDM& dm, Prompter& prompter, std::function<void()> restored,
                         PathChooser chooser, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      restored_(std::move(restored)),
      chooser_(std::move(chooser)),
      path_(withName("pathField", new QLineEdit)),
      snapshots_(withName("snapshotList", new QListWidget)),
      choose_(withName("chooseButton", new QPushButton(QStringLiteral("选择路径")))),
      restore_(withName("restoreButton", new QPushButton(QStringLiteral("恢复")))) {
    setWindowTitle(QStringLiteral("数据恢复"));
    auto* warning = new QLabel(QStringLiteral("注意：数据恢复容易造成数据丢失。"));
    warning->setStyleSheet(QStringLiteral("color: #b00020;"));
    auto* hint = new QLabel(QStringLiteral("选择备份文件，单击 恢复 按钮，即可完成数据恢复操作。"));
    auto* group = new QGroupBox;
    auto* g = new QHBoxLayout(group);
    g->addWidget(new QLabel(QStringLiteral("选择备份文件：")));
    g->addWidget(path_, 1);
    g->addWidget(choose_);
    path_->setReadOnly(true);
    path_->setMinimumWidth(320);
    // The automatic daily copies, newest first: choosing one fills the field.
    auto* daily = new QGroupBox(QStringLiteral("自动备份（每天一份）"));
    auto* d = new QVBoxLayout(daily);
    d->addWidget(snapshots_);
    for (const Snapshot& s : listSnapshots(dm.session().dataFile().parent_path() / "Backup")) {
        QString books;
        for (const std::string& b : s.books) {
            books += (books.isEmpty() ? QString() : QStringLiteral("、")) + qs(b);
        }
        auto* item = new QListWidgetItem(qs(s.date) + QStringLiteral("    账簿：") + books);
        item->setData(Qt::UserRole, qs(s.file.string()));
        snapshots_->addItem(item);
    }
    daily->setVisible(snapshots_->count() > 0);
    snapshots_->setMaximumHeight(120);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(warning);
    outer->addWidget(hint);
    outer->addWidget(group);
    outer->addWidget(daily);
    outer->addLayout(buttonRow({restore_, exitButton(this)}));
    connect(choose_, &QPushButton::clicked, this,
            guarded([this] { path_->setText(chooser_ ? chooser_(this) : QString()); }));
    connect(snapshots_, &QListWidget::currentItemChanged, this,
            guarded([this](QListWidgetItem* item) {
                if (item) {
                    path_->setText(item->data(Qt::UserRole).toString());
                }
            }));
    connect(restore_, &QPushButton::clicked, this, guarded(this, &TfrmRecover::onRestore));
}

void TfrmRecover::onRestore() {
    const QString path = path_->text();
    if (path.isEmpty()) {
        prompter_.warn(QStringLiteral("请选择备份文件"));
        return;
    }
    // The file is checked before the question, which says what the restore
    // will remove and bring.
    RestorePreview preview;
    try {
        // Checking every page of a large backup takes a moment.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        preview = previewRestore(dm_.db(), path.toStdString());
        QApplication::restoreOverrideCursor();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        prompter_.warn(QStringLiteral("数据恢复失败！\n") + qs(userMessage(e)));
        return;
    }
    if (!prompter_.ask(qs(restoreQuestion(preview)), QStringLiteral("恢复数据"))) {
        return;
    }
    try {
        restoreDataFile(dm_.db(), path.toStdString(),
                        dm_.session().dataFile().parent_path() / "Backup",
                        dates::localTimeText("%Y-%m-%d-%H%M%S"));
    } catch (const std::exception& e) {
        prompter_.warn(QStringLiteral("数据恢复失败！\n") + qs(userMessage(e)));
        return;
    }
    prompter_.info(QStringLiteral("数据恢复成功！"));
    if (restored_) {
        restored_();
    }
}

}  // namespace fennory::ui

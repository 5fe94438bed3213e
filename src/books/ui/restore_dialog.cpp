#include "books/ui/restore_dialog.h"
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

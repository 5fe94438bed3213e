#include "books/ui/book_screens.h"
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
#include "core/book_checks.h"
#include "core/dates.h"
#include "core/errors.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
namespace {

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

QPushButton* exitButton(QDialog* d) {
    auto* b = new QPushButton(QStringLiteral("退出"));
    QObject::connect(b, &QPushButton::clicked, d, &QDialog::reject);
    return b;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons) {
        row->addWidget(b);
    }
    return row;
}

}  // namespace

// ---- 账簿管理 ----

TfrmB_Manage::TfrmB_Manage(TfrmDM& dm, Prompter& prompter, EndProgram end, QWidget* parent)
    : QWidget(parent),
      dm_(dm),
      prompter_(prompter),
      end_(std::move(end)),
      model_(dm),
      grid_(new RecordGrid),
      delete_(new QPushButton(QStringLiteral("删除（&D）"))),
      menu_(new QMenu(this)) {
    setWindowTitle(QStringLiteral("账簿管理"));
    auto* top = new QHBoxLayout;
    // The navigator: first, prior, next, last.
    const std::pair<const char*, const char*> steps[] = {
        {"|<", "第一条"}, {"<", "上一条"}, {">", "下一条"}, {">|", "最后一条"}};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(u8(steps[i].first));
        b->setToolTip(u8(steps[i].second));
        b->setFixedWidth(36);
        connect(b, &QPushButton::clicked, this, [this, i] {
            const int n = static_cast<int>(model_.rows().size());
            const int at = grid_->currentRowIndex();
            moveTo(i == 0 ? 0 : i == 1 ? at - 1 : i == 2 ? at + 1 : n - 1);
        });
        top->addWidget(b);
    }
    auto* exit = new QPushButton(QStringLiteral("退出（&X）"));
    top->addWidget(delete_);
    top->addWidget(exit);
    top->addStretch(1);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(grid_, 1);

    menu_->addAction(QStringLiteral("修改 &M"), this, &TfrmB_Manage::onRename);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(grid_->viewport()->mapToGlobal(at)); });
    connect(delete_, &QPushButton::clicked, this, &TfrmB_Manage::onDelete);
    connect(exit, &QPushButton::clicked, this, [this] { closeScreen(this); });
    model_.refresh();
    showModel();
}

void TfrmB_Manage::showModel() {
    grid_->setTable(model_.rows(), model_.hidden());
    grid_->setColumnWidth(static_cast<int>(BookListColumn::Name), 140);
    moveTo(model_.currentIndex());
}

void TfrmB_Manage::moveTo(int row) {
    const int n = static_cast<int>(model_.rows().size());
    if (n == 0) {
        return;
    }
    row = std::clamp(row, 0, n - 1);
    grid_->selectRow(row);
}

void TfrmB_Manage::onDelete() {
    const int row = grid_->currentRowIndex();
    if (row < 0 || model_.rows().empty()) {
        return;
    }
    const std::int64_t id =
        model_.idOf(grid_->tableModel()->table(), static_cast<std::size_t>(row));
    const std::string book =
        cellText(grid_->tableModel()->table(), static_cast<std::size_t>(row), BookListColumn::Name);
    if (book == dm_.book()) {
        prompter_.warn(QStringLiteral("不能删除当前打开账簿！"));
        return;
    }
    if (!prompter_.ask(QStringLiteral("确认要删除吗？该删除将将删除该账簿所有记账数据！"),
                       QStringLiteral("删除"))) {
        return;
    }
    model_.removeBook(id);
    showModel();
}

void TfrmB_Manage::onRename() {
    const int row = grid_->currentRowIndex();
    if (row < 0 || model_.rows().empty()) {
        return;
    }
    TfrmB_M dialog(
        dm_, prompter_,
        cellText(grid_->tableModel()->table(), static_cast<std::size_t>(row), BookListColumn::Name),
        this);
    if (dialog.exec() == QDialog::Accepted && end_) {
        end_();
    }
}

TfrmB_M::TfrmB_M(TfrmDM& dm, Prompter& prompter, const std::string& book, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      book_(book),
      name_(new QLineEdit),
      save_(new QPushButton(QStringLiteral("修改"))) {
    setWindowTitle(qs(book) + QStringLiteral(" 修改"));
    auto* group = new QGroupBox(QStringLiteral("账簿名称"));
    auto* f = new QFormLayout(group);
    f->addRow(QStringLiteral("账簿名称："), name_);
    limitGbk(name_, limits::kName);
    name_->setText(qs(book));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(buttonRow({save_, exitButton(this)}));
    save_->setDefault(true);
    connect(save_, &QPushButton::clicked, this, &TfrmB_M::onSave);
}

void TfrmB_M::onSave() {
    const auto r = renameBook(dm_, book_, ss(name_->text().trimmed()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        name_->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("账簿名称 修改成功，请重新打开 Fennory ！"));
    accept();
}

// ---- 修改密码 ----

TfrmChangePass::TfrmChangePass(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      old_(new QLineEdit),
      new_(new QLineEdit),
      confirm_(new QLineEdit),
      save_(new QPushButton(QStringLiteral("保存"))) {
    setWindowTitle(QStringLiteral("修改密码"));
    auto* group = new QGroupBox(QStringLiteral("修改密码"));
    auto* f = new QFormLayout(group);
    f->addRow(QStringLiteral("原  密  码："), old_);
    f->addRow(QStringLiteral("新  密  码："), new_);
    f->addRow(QStringLiteral("确认密码："), confirm_);
    for (QLineEdit* e : {old_, new_, confirm_}) {
        e->setEchoMode(QLineEdit::Password);
        limitGbk(e, limits::kName);
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, &TfrmChangePass::onSave);
}

void TfrmChangePass::onSave() {
    const auto r = changePassword(dm_, ss(old_->text()), ss(new_->text()), ss(confirm_->text()));
    if (!r.ok) {
        prompter_.warn(qs(r.message));
        (r.field == PasswordField::Old ? old_ : confirm_)->setFocus();
        return;
    }
    prompter_.info(QStringLiteral("密码修改成功！请重新登录！"));
    accept();
}

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
      path_(new QLineEdit),
      choose_(new QPushButton(QStringLiteral("选择路径"))),
      backup_(new QPushButton(QStringLiteral("备份"))) {
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
    connect(choose_, &QPushButton::clicked, this, [this] {
        const QString folder = chooser_ ? chooser_(this) : QString();
        path_->setText(
            folder.isEmpty()
                ? QString()
                : qs(backupFileIn(folder.toStdString(), dm_.session().StartupDate).string()));
    });
    connect(backup_, &QPushButton::clicked, this, &TfrmBackup::onBackup);
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
      path_(new QLineEdit),
      snapshots_(new QListWidget),
      choose_(new QPushButton(QStringLiteral("选择路径"))),
      restore_(new QPushButton(QStringLiteral("恢复"))) {
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
            [this] { path_->setText(chooser_ ? chooser_(this) : QString()); });
    connect(snapshots_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) {
            path_->setText(item->data(Qt::UserRole).toString());
        }
    });
    connect(restore_, &QPushButton::clicked, this, &TfrmRecover::onRestore);
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

// ---- preferences ----

TfrmMRX::TfrmMRX(TfrmDM& dm, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      save_(new QPushButton(QStringLiteral("保存"))) {
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
    connect(save_, &QPushButton::clicked, this, &TfrmMRX::onSave);
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
      save_(new QPushButton(QStringLiteral("保存"))) {
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
    connect(save_, &QPushButton::clicked, this, &TfrmSZ_PX::onSave);
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
      pc_(new QRadioButton(QStringLiteral("电脑版 Fennory 文件夹 在 电脑里"))),
      usb_(new QRadioButton(QStringLiteral("U盘版 Fennory 文件夹 在U盘里"))),
      save_(new QPushButton(QStringLiteral("保存"))) {
    setWindowTitle(QStringLiteral("版本设置"));
    auto* group = new QGroupBox(QStringLiteral("版本设置"));
    auto* g = new QVBoxLayout(group);
    g->addWidget(pc_);
    g->addWidget(usb_);
    (readEdition(dm.db()) == "电脑版" ? pc_ : usb_)->setChecked(true);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addLayout(saveExitRow(this, save_));
    connect(save_, &QPushButton::clicked, this, &TfrmSBasc::onSave);
}

void TfrmSBasc::onSave() {
    saveEdition(dm_.db(), pc_->isChecked() ? "电脑版" : "U盘版");
    prompter_.info(QStringLiteral("版本设置 保存成功，请重新打开Fennory！"));
    accept();
    if (end_) {
        end_();
    }
}

}  // namespace fennory::ui

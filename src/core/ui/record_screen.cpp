#include "core/ui/record_screen.h"
#include "core/ui/guard.h"

#include <QItemSelectionModel>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTimer>

namespace fennory::ui {

QLabel* hintLabel(const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setStyleSheet(QStringLiteral("color: gray;"));
    return l;
}

RecordScreen::RecordScreen(ScreenModelBase& model, Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      model_(model),
      prompter_(prompter),
      grid_(new RecordGrid(this)),
      fields_(new QGroupBox(this)),
      buttonRow_(new QHBoxLayout),
      outer_(new QVBoxLayout(this)),
      menu_(new QMenu(this)) {
    outer_->addWidget(grid_, 1);
    outer_->addWidget(fields_);
    outer_->addLayout(buttonRow_);

    const QStyle::StandardPixmap icons[4] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    const char* hints[4] = {"第一条", "上一条", "下一条", "最后一条"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icons[i]));
        b->setToolTip(QString::fromUtf8(hints[i]));
        b->setAccessibleName(QString::fromUtf8(hints[i]));
        nav_[static_cast<std::size_t>(i)] = b;
        buttonRow_->addWidget(b);
    }
    connect(nav_[0], &QToolButton::clicked, this, guarded([this] { move(0); }));
    connect(nav_[1], &QToolButton::clicked, this,
            guarded([this] { move(grid_->currentRowIndex() - 1); }));
    connect(nav_[2], &QToolButton::clicked, this,
            guarded([this] { move(grid_->currentRowIndex() + 1); }));
    connect(nav_[3], &QToolButton::clicked, this,
            guarded([this] { move(grid_->tableModel()->rowCount() - 1); }));
    buttonRow_->addStretch(1);

    const char* captions[kButtonCount] = {"新增（&N）", "修改（&E）", "保存（&S）",
                                          "取消（&C）", "删除（&D）", "退出（&X）"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[static_cast<std::size_t>(i)] =
            new QPushButton(QString::fromUtf8(captions[i]), this);
        buttonRow_->addWidget(buttons_[static_cast<std::size_t>(i)]);
    }
    connect(buttons_[kAdd], &QPushButton::clicked, this, guarded([this] { onAdd(); }));
    connect(buttons_[kChange], &QPushButton::clicked, this, guarded([this] { onChange(); }));
    connect(buttons_[kSave], &QPushButton::clicked, this, guarded([this] { onSave(); }));
    connect(buttons_[kCancel], &QPushButton::clicked, this, guarded([this] { onCancel(); }));
    connect(buttons_[kDelete], &QPushButton::clicked, this, guarded([this] { onDelete(); }));
    connect(buttons_[kExit], &QPushButton::clicked, this, guarded([this] { onExit(); }));

    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, guarded([this](const QPoint& at) {
                menu_->popup(grid_->viewport()->mapToGlobal(at));
            }));

    // The view keeps one selection model across reloads of its table.
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guarded([this](const QModelIndex& cur) {
                if (selecting_) {
                    return;
                }
                if (model_.mode() != RecordMode::Browse) {
                    // A screen whose grid stays usable during entry: a click
                    // elsewhere does not leave the record being entered.
                    QTimer::singleShot(0, this, [this] { keepEntryRowSelected(); });
                    return;
                }
                const Table& shown = grid_->tableModel()->table();
                model_.setCurrentId(
                    cur.isValid() ? model_.idOf(shown, static_cast<std::size_t>(cur.row())) : 0);
                showCurrent();
                refreshStates();
            }));
}

void RecordScreen::addButton(QPushButton* b) {
    buttonRow_->addWidget(b);
}

QAction* RecordScreen::menuAction(const QString& caption) const {
    for (QAction* a : menu_->actions()) {
        if (a->text() == caption) {
            return a;
        }
    }
    return nullptr;
}

void RecordScreen::Ref() {
    model_.refresh();
    showModel();
}

void RecordScreen::makeCurrent(std::int64_t id) {
    if (model_.mode() == RecordMode::Browse && model_.indexOf(id) >= 0) {
        model_.setCurrentId(id);
        showModel();
    }
}

void RecordScreen::showModel() {
    selecting_ = true;
    grid_->setTable(model_.rows(), model_.hidden());
    selectCurrent();
    selecting_ = false;
    showCurrent();
    refreshStates();
}

void RecordScreen::keepEntryRowSelected() {
    if (model_.mode() == RecordMode::Browse) {
        return;
    }
    selecting_ = true;
    if (model_.mode() == RecordMode::New) {
        grid_->selectRow(grid_->tableModel()->rowCount() - 1);
    } else {
        selectCurrent();
    }
    selecting_ = false;
}

void RecordScreen::selectCurrent() {
    std::int64_t id = model_.currentId();
    const Table& shown = grid_->tableModel()->table();
    for (std::size_t r = 0; r < shown.size(); ++r) {
        if (model_.idOf(shown, r) == id) {
            grid_->selectRow(static_cast<int>(r));
            return;
        }
    }
    grid_->clearSelection();
    grid_->setCurrentIndex({});
}

void RecordScreen::refreshStates() {
    ButtonStates s = model_.buttons();
    grid_->setEnabled(s.grid);
    for (auto* n : nav_) {
        n->setEnabled(s.grid);
    }
    fields_->setEnabled(s.fields);
    buttons_[kAdd]->setEnabled(s.add);
    buttons_[kChange]->setEnabled(s.change);
    buttons_[kSave]->setEnabled(s.save);
    buttons_[kCancel]->setEnabled(s.cancel);
    buttons_[kDelete]->setEnabled(s.remove);
    buttons_[kExit]->setEnabled(s.exit);
}

void RecordScreen::onAdd() {
    model_.startNew();
    // The new record shows as an empty last row until it is saved or dropped.
    selecting_ = true;
    grid_->tableModel()->appendBlankRow();
    grid_->selectRow(grid_->tableModel()->rowCount() - 1);
    selecting_ = false;
    clearFields();
    refreshStates();
    if (QWidget* f = firstField()) {
        f->setFocus();
    }
}

void RecordScreen::onChange() {
    if (!model_.startChange()) {
        return;
    }
    refreshStates();
    if (QWidget* f = firstField()) {
        f->setFocus();
    }
}

void RecordScreen::onCancel() {
    bool wasNew = model_.mode() == RecordMode::New;
    model_.cancel();
    if (wasNew) {
        showModel();  // the empty row goes, the record before it is current again
        return;
    }
    showCurrent();
    refreshStates();
}

CheckResult RecordScreen::checkRemove() const {
    return hasCurrentRow() ? CheckResult::pass() : CheckResult::nothingToDo();
}

void RecordScreen::onDelete() {
    if (CheckResult r = checkRemove(); !r.ok) {
        if (!r.silent()) {
            prompter_.warn(qs(r.message));
        }
        return;
    }
    if (!askDelete(prompter_)) {
        return;
    }
    model_.remove(model_.currentId());
    showModel();
}

void RecordScreen::onExit() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        window()->close();
    }
}

void RecordScreen::move(int to) {
    int rows = grid_->tableModel()->rowCount();
    if (rows == 0) {
        return;
    }
    to = std::clamp(to, 0, rows - 1);
    grid_->selectRow(to);
}

}  // namespace fennory::ui

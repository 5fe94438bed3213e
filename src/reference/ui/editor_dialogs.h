#pragma once
// TfrmJZCS "修改记账次数" and TfrmPY (pinyin code) for one row of a name table.

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

#include "core/check_result.h"
#include "core/data_module.h"
#include "core/ui/guard.h"
#include "core/ui/navigation.h"
#include "core/ui/prompter.h"
#include "core/ui/record_screen.h"
#include "reference/editors.h"

namespace fennory::ui {

// One field, one "修改" button: the value is checked and stored by `store`,
// then the opening screen reloads through `saved`.
class RowEditorDialog : public QDialog {
    Q_OBJECT
public:
    using Store = std::function<CheckResult(const std::string& typed)>;
    RowEditorDialog(Prompter& prompter, const QString& title, const QString& group,
                    const QString& label, const QString& value, Store store,
                    std::function<void()> saved, QWidget* parent);

protected:
    QLineEdit* field() const { return field_; }

private:
    Prompter& prompter_;
    Store store_;
    std::function<void()> saved_;
    QLineEdit* field_;
    QPushButton* save_;
};

class TfrmJZCS : public RowEditorDialog {
    Q_OBJECT
public:
    // caption: the row's name + " 的记账次数".
    TfrmJZCS(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
             const QString& caption, std::int64_t count, std::function<void()> saved,
             QWidget* parent = nullptr);
};

class TfrmPY : public RowEditorDialog {
    Q_OBJECT
public:
    // caption: the row's name + " 拼音码 修改", for the window and its group.
    TfrmPY(TfrmDM& dm, Prompter& prompter, std::string table, std::int64_t id,
           const QString& caption, const QString& code, std::function<void()> saved,
           QWidget* parent = nullptr);
};

// The two editors as the reference screens' context menus open them for a row.
void openUseCountEditor(TfrmDM& dm, Prompter& prompter, const NameRow& row,
                        std::function<void()> saved, QWidget* parent);
void openPinyinEditor(TfrmDM& dm, Prompter& prompter, const NameRow& row,
                      std::function<void()> saved, QWidget* parent);

// The context-menu rows a name list offers for its current name: "启用" and
// "停用" where names have a state, "修改拼音码", and "修改记账次数" where they are
// counted (the members have neither). `reload` shows the list again.
// The row's fund-flow log, in a window beside the screen, from the context
// menu (`caption`) and by a double click: the log opened on the account or the
// member the row names.
template <class Model, class Column>
void addFundFlowView(RecordScreen* screen, const QString& caption, TfrmDM& dm, Prompter& prompter,
                     Navigation::Opener opener, Model& model, Criterion which, Column name) {
    auto view = [screen, &dm, &prompter, opener, &model, which, name] {
        if (screen->hasCurrentRow()) {
            navigation().openFundFlow(dm, prompter, opener, screen, which, model.text(name));
        }
    };
    screen->gridMenu()->addAction(caption, screen, guarded(view));
    QObject::connect(screen->grid(), &QAbstractItemView::doubleClicked, screen, guarded(view));
}

template <bool withStateAndCount, class Model>
void addNameRowMenu(RecordScreen* screen, TfrmDM& dm, Prompter& prompter, Model& model,
                    std::function<void()> reload) {
    auto onCurrent = [screen](std::function<void()> f) {
        return guarded([screen, f] {
            if (screen->hasCurrentRow()) {
                f();
            }
        });
    };
    QMenu* menu = screen->gridMenu();
    if constexpr (withStateAndCount) {
        for (auto [caption, state] : {std::pair{"启用 &S", "启用"}, {"停用 &E", "停用"}}) {
            menu->addAction(QString::fromUtf8(caption), screen,
                            onCurrent([screen, &model, state, reload] {
                                model.setState(screen->currentId(), state);
                                reload();
                            }));
        }
        menu->addSeparator();
    }
    menu->addAction(QStringLiteral("修改拼音码 &P"), screen,
                    onCurrent([&dm, &prompter, &model, reload, screen] {
                        openPinyinEditor(dm, prompter, model.currentNameRow(), reload, screen);
                    }));
    if constexpr (withStateAndCount) {
        menu->addAction(QStringLiteral("修改记账次数 &A"), screen,
                        onCurrent([&dm, &prompter, &model, reload, screen] {
                            openUseCountEditor(dm, prompter, model.currentNameRow(), reload,
                                               screen);
                        }));
    }
}

}  // namespace fennory::ui

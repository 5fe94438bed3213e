#include "import/ui/import_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/ui/guard.h"
#include "core/ui/inputs.h"

namespace fennory::ui {
namespace {

// Sheets this long show how far the import has come.
constexpr std::size_t kProgressFrom = 300;

Table sheetTable(const SheetData& s) {
    Table t;
    t.columns = s.header;
    for (const auto& row : s.rows) {
        std::vector<Value> cells(row.begin(), row.end());
        cells.resize(s.header.size());
        t.rows.push_back(std::move(cells));
    }
    return t;
}

}  // namespace

WorkbookChooser excelFileChooser() {
    return [](QWidget* parent) {
        return QFileDialog::getOpenFileName(
            parent, QStringLiteral("打开"), QString(),
            QStringLiteral("Excel文件 (*.xls);;Excel文件 (*.xlsx)"));
    };
}

ImportDialog::ImportDialog(TfrmDM& dm, Prompter& prompter, const ImportKind& kind,
                           WorkbookChooser chooser, QWidget* parent)
    : QDialog(parent),
      dm_(dm),
      prompter_(prompter),
      kind_(kind),
      chooser_(std::move(chooser)),
      hint_(withName("hintLabel", new QLabel(QString::fromUtf8(kind.hint)))),
      open_(withName("openButton", new QPushButton(QStringLiteral("打开")))),
      sheetGroup_(withName("sheetGroup", new QGroupBox(QStringLiteral("EXCEL数据")))),
      grid_(withName("grid", new RecordGrid)),
      import_(withName("importButton", new QPushButton(QStringLiteral("导入")))),
      progress_(withName("progressBar", new QProgressBar)) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    auto* file = new QGroupBox(QStringLiteral("打开EXCEL文件"));
    auto* f = new QHBoxLayout(file);
    hint_->setWordWrap(true);
    f->addWidget(hint_, 1);
    f->addWidget(open_);
    auto* s = new QVBoxLayout(sheetGroup_);
    s->addWidget(grid_);
    auto* exit = new QPushButton(QStringLiteral("退出"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addWidget(import_);
    buttons->addWidget(exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(file);
    outer->addWidget(sheetGroup_, 1);
    outer->addLayout(buttons);
    progress_->setVisible(false);
    import_->setEnabled(false);
    resize(820, 520);
    connect(open_, &QPushButton::clicked, this, guarded(this, &ImportDialog::onOpen));
    connect(import_, &QPushButton::clicked, this, guarded(this, &ImportDialog::onImport));
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportDialog::onOpen() {
    const QString file = chooser_ ? chooser_(this) : QString();
    if (file.isEmpty()) {
        return;
    }
    sheet_ = {};
    grid_->setTable({});
    import_->setEnabled(false);
    sheetGroup_->setTitle(QStringLiteral("EXCEL数据"));
    try {
        sheet_ = readSheet1(file.toStdString());
    } catch (const SpreadsheetReadError& e) {
        prompter_.warn(QString::fromStdString(e.what()));
        return;
    }
    if (CheckResult r = checkImportSheet(sheet_); !r.ok) {
        prompter_.warn(qs(r.message));
        sheet_ = {};
        return;
    }
    grid_->setTable(sheetTable(sheet_));
    for (int c = 0; c < 6; ++c) {
        grid_->setColumnWidth(c, c < 5 ? 100 : kind_.lastColumnWidth);
    }
    sheetGroup_->setTitle(qs(importSheetCaption(sheet_)));
    import_->setEnabled(sheet_.rowCount() > 0);
}

void ImportDialog::onImport() {
    // Every row is checked first: a bad one imports nothing and says where it is.
    const PreparedImport prepared = prepareImport(kind_, sheet_);
    if (!prepared.check.ok) {
        prompter_.warn(qs(prepared.check.message));
        return;
    }
    const bool long_ = prepared.rows.size() >= kProgressFrom;
    progress_->setVisible(long_);
    progress_->setRange(0, static_cast<int>(prepared.rows.size()));
    progress_->setValue(0);
    import_->setEnabled(false);
    try {
        importRows(dm_, kind_, prepared.rows, [this, long_](std::size_t done, std::size_t) {
            if (long_ && done % 100 == 0) {
                progress_->setValue(static_cast<int>(done));
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        });
    } catch (const std::exception& e) {
        import_->setEnabled(true);
        progress_->setVisible(false);
        prompter_.warn(qs(userMessage(e)) + QStringLiteral("\n没有导入任何数据。"));
        return;
    }
    prompter_.info(QStringLiteral("数据导入 保存成功！"));
    accept();
}

}  // namespace fennory::ui

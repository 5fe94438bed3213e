#pragma once
// What every query and report screen holds: the book, the prompter, the
// desktop that opens an export, and the last file exported.

#include <QString>
#include <QWidget>

#include "core/data_module.h"
#include "core/ui/prompter.h"
#include "reporting/sheet.h"
#include "reporting/ui/export.h"

namespace fennory::ui {

class QueryScreen : public QWidget {
public:
    // The file the last "Excel" wrote; empty when none was.
    QString lastExport() const { return lastExport_; }

protected:
    QueryScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent)
        : QWidget(parent), dm_(dm), prompter_(prompter), opener_(std::move(opener)) {}

    // "Excel": the sheet saved where the user says, then opened on the desktop.
    void exportAs(const Sheet& sheet, const std::string& name) {
        lastExport_ = exportSheet(sheet, dm_.session(), name, prompter_, opener_);
    }

    TfrmDM& dm_;
    Prompter& prompter_;
    FileOpener opener_;

private:
    QString lastExport_;
};

// One member of a screen family, given its kind: the family's screen
// constructed on the kind `kind()` returns (the monthly report, the
// repayment query, ...).
template <class Screen, auto kind>
class KindScreen : public Screen {
public:
    KindScreen(TfrmDM& dm, Prompter& prompter, FileOpener opener, QWidget* parent = nullptr)
        : Screen(dm, prompter, std::move(opener), kind(), parent) {}
};

}  // namespace fennory::ui

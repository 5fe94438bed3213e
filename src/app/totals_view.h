#pragma once
// The main window's client area when no screen is open: the open book's
// balances by account type, debts, credits, investments and the totals.

#include <QLabel>
#include <QToolButton>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

#include "core/totals.h"

namespace fennory::ui {

class TotalsView : public QWidget {
    Q_OBJECT
public:
    explicit TotalsView(QWidget* parent = nullptr);
    void show(const Totals& t);

    // The figure label of a row caption ("现金", "资金合计：", ...), for tests.
    QLabel* figure(const std::string& caption) const;
    // The clickable picture beside a row, which opens its query.
    QToolButton* picture(const std::string& caption) const;
    // This month's budget use, a link to the budget report; hidden when "".
    void showBudget(const QString& line);
    QLabel* budgetLine() const { return budget_; }

signals:
    void pictureClicked(const QString& caption);
    void budgetClicked();

private:
    QLabel* budget_;
    std::map<std::string, QLabel*> figures_;
    std::map<std::string, QToolButton*> pictures_;
};

}  // namespace fennory::ui

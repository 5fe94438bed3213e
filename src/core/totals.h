#pragma once
// The one-page summary of the open book's wealth on the main window, and the
// income line of its status bar.

#include <string>
#include <string_view>

#include "core/data_module.h"
#include "core/money.h"

namespace fennory {

struct Totals {
    Money cash, bankCard, electronic, other, creditCard;
    Money credits;      // outstanding credits (Debt.DMoney)
    Money debtsShown;   // outstanding debts, negated
    Money investments;  // principal still invested
    Money funds, liabilities, netFunds;
    Money income, expense, balance;
    double expenseShare = 0;  // percent

    // "收入：… 支出：… 结余：… 支出占收入：…%"
    std::string statusLine() const;
};

// Sum of the open book's account balances of one account type; 0 when none.
Money myRetSum(TfrmDM& dm, std::string_view accountType);
// Sum of an amount column of the open book's rows of a table; 0 when none.
Money myRetQt(TfrmDM& dm, std::string_view amountColumn, std::string_view table);

// Every figure of the open book (all zero when none is open).
Totals mySum(TfrmDM& dm);

// The expense share: expense / income * 100 when both are set and the balance
// is positive, 100 when they are equal (also when both are 0), 0 otherwise.
double expenseShare(Money income, Money expense);

}  // namespace fennory

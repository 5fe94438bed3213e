#include "core/totals.h"

#include <fmt/format.h>

#include <cmath>

namespace fennory {

Money myRetSum(TfrmDM& dm, std::string_view accountType) {
    Statement s = dm.db().prepare("SELECT Sum(AMoney) FROM SAccount WHERE BName=?1 AND theType=?2");
    s.bindAll(dm.book(), accountType);
    return s.step() && !s.isNull(0) ? s.money(0) : Money();
}

Money myRetQt(TfrmDM& dm, std::string_view amountColumn, std::string_view table) {
    Statement s = dm.db().prepare(fmt::format("SELECT Sum({}) FROM {} WHERE BName=?1",
                                              requireColumn(amountColumn), requireTable(table)));
    s.bind(1, dm.book());
    return s.step() && !s.isNull(0) ? s.money(0) : Money();
}

double expenseShare(Money income, Money expense) {
    double share = 0;
    Money balance = income - expense;
    if (!income.isZero() && !expense.isZero() && balance > Money()) {
        share = expense.ratioTo(income) * 100.0;
    }
    if (income == expense) {
        share = 100.0;
    }
    return share;
}

Totals mySum(TfrmDM& dm) {
    Totals t;
    t.cash = myRetSum(dm, "现金");
    t.bankCard = myRetSum(dm, "银行卡");
    t.electronic = myRetSum(dm, "电子账户");
    t.other = myRetSum(dm, "其它");
    t.creditCard = myRetSum(dm, "信用卡");
    t.credits = myRetQt(dm, "DMoney", "Debt");
    t.debtsShown = -myRetQt(dm, "BMoney", "Borrow");
    t.investments = myRetQt(dm, "TMoney", "TTable");
    t.funds = t.cash + t.bankCard + t.credits + t.investments + t.electronic + t.other;
    t.liabilities = t.debtsShown + t.creditCard;
    t.netFunds = t.funds + t.liabilities;
    t.income = myRetQt(dm, "IMoney", "InTable");
    t.expense = myRetQt(dm, "OMoney", "OutTable");
    t.balance = t.income - t.expense;
    t.expenseShare = expenseShare(t.income, t.expense);
    return t;
}

std::string Totals::statusLine() const {
    // The share shows like an amount: two decimals, half away from zero.
    auto shareText = Money::fromUnits(std::llround(expenseShare * Money::kScale)).toDisplay();
    return fmt::format("收入：{} 支出：{} 结余：{} 支出占收入：{}%", income.toDisplay(),
                       expense.toDisplay(), balance.toDisplay(), shareText);
}

}  // namespace fennory

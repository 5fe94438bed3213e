#include "app/menus.h"

namespace fennory::ui {
namespace {

using E = MenuEntry;

constexpr E top(const char* caption, bool needsBook = false) {
    return {E::Top, nullptr, caption, nullptr, needsBook};
}
constexpr E entry(const char* id, const char* caption, const char* shortcut = nullptr) {
    return {E::Entry, id, caption, shortcut};
}
constexpr E bookEntry(const char* id, const char* caption) {
    return {E::Entry, id, caption, nullptr, true};
}
constexpr E sep(bool needsBook = false) {
    return {E::Separator, nullptr, nullptr, nullptr, needsBook};
}
constexpr E sub(const char* caption) {
    return {E::Sub, nullptr, caption};
}
constexpr E endSub() {
    return {E::EndSub};
}

constexpr MenuEntry kMenus[] = {
    top("账簿【&Z】"),
    entry("newBook", "新建账簿 &N"),
    entry("openBook", "打开账簿 &O"),
    // From "关闭账簿" through "数据恢复": visible only while a book is open.
    bookEntry("closeBook", "关闭账簿 &C"),
    sep(true),
    bookEntry("bookManage", "账簿管理 &B"),
    bookEntry("changePass", "修改密码 &S"),
    sep(true),
    bookEntry("pageSetup", "打印设置 &P"),
    sep(true),
    bookEntry("backup", "备份数据 &D"),
    bookEntry("restore", "数据恢复 &R"),
    sep(),
    entry("exit", "退出 &X"),

    top("基础设置【&B】", true),
    entry("family", "家庭成员 &F"),
    entry("contacts", "往来人员 &P"),
    entry("accounts", "账户管理 &A"),
    sep(),
    entry("incomeKinds", "收入类别 &I"),
    entry("expenseKinds", "支出类别 &O"),
    entry("investKinds", "投资分类 &T"),
    sep(),
    entry("warn", "提醒设置 &W"),
    entry("sortOrder", "排序设置 &X"),
    entry("defaults", "默认项设置 &M"),
    sep(),
    entry("edition", "版本设置 &B"),

    top("记账【&W】", true),
    entry("income", "收入 &I", "Ctrl+I"),
    entry("expense", "支出 &O", "Ctrl+O"),
    sep(),
    entry("transfer", "账户转账 &A", "Ctrl+A"),
    sep(),
    entry("borrow", "债务 &B", "Ctrl+B"),
    entry("debt", "债权 &D", "Ctrl+D"),
    sep(),
    entry("invest", "投资 &T", "Ctrl+T"),

    top("计划【&P】", true),
    entry("planNew", "新建计划 &N"),
    entry("planView", "查看计划 &V"),
    entry("planRun", "执行计划 &M"),
    sep(),
    entry("planToday", "今日计划 &D"),

    top("导入【&D】", true),
    entry("importIncome", "收入导入 &I"),
    entry("importExpense", "支出导入 &O"),
    sep(),
    entry("importTransfer", "账户转账导入 &A"),
    sep(),
    entry("importBorrow", "债务导入 &B"),
    entry("importDebt", "债权导入 &D"),
    sep(),
    entry("importInvest", "投资导入 &T"),
    sep(),
    entry("importBills", "账单导入（支付宝/微信/银行） &Z"),

    top("报表中心【&R】", true),
    entry("accountQuery", "账户查询 &X"),
    sep(),
    sub("收支报表 &F"),
    entry("reportMonth", "月报表 &M"),
    entry("reportYear", "年报表 &Y"),
    endSub(),
    entry("statistics", "收支统计表 &R"),
    sub("收支分析 &E"),
    entry("analysisIncome", "收入分析 &I"),
    entry("analysisExpense", "支出分析 &Q"),
    endSub(),
    entry("debtStatistics", "债务债权统计表 &Z"),
    sep(),
    entry("queryIncome", "收入查询 &I"),
    entry("queryExpense", "支出查询 &O"),
    sep(),
    entry("queryTransfer", "转账查询 &A"),
    sep(),
    entry("queryBorrow", "债务查询 &B"),
    entry("queryBorrowR", "还债记录查询 &H"),
    entry("queryDebt", "债权查询 &D"),
    entry("queryDebtR", "收债记录查询 &S"),
    sep(),
    entry("queryInvest", "投资查询 &T"),
    entry("queryInvestR", "收益记录查询 &Y"),
    sep(),
    sub("收入月报表 &C"),
    entry("monthIncomeKind", "按收入类别 &T"),
    entry("monthIncomeAccount", "按账户名称 &A"),
    entry("monthIncomeMember", "按家庭成员 &F"),
    endSub(),
    sub("支出月报表 &G"),
    entry("monthExpenseKind", "按支出类别 &T"),
    entry("monthExpenseAccount", "按账户名称 &A"),
    entry("monthExpenseMember", "按家庭成员 &F"),
    endSub(),
    sep(),
    entry("fundFlow", "资金流动日志 &L"),

    top("工具【&T】", true),
    entry("calculator", "计算器 &P"),
    sep(),
    entry("sound", "提醒声音设置 &S"),

    top("帮助【&H】"),
    entry("help", "帮助 &H"),
    sep(),
    entry("website", "Fennory网站 &W"),
    sep(),
    entry("upgrade", "软件升级 &U"),
    sep(),
    entry("about", "关于... &A"),
};

constexpr ToolEntry kTools[] = {
    {"家庭成员", "family", "family"},
    {"账户管理", "accounts", "accounts"},
    {"收入", "income", "income"},
    {"支出", "expense", "expense"},
    {"转账", "transfer", "transfer"},
    {"债务", "borrow", "debt"},
    {"债权", "debt", "credit"},
    {"投资", "invest", "investment"},
    {"新建计划", "planNew", "plan_new"},
    {"查看计划", "planView", "plan_view"},
    {"今日计划", "planToday", "plan_today"},
    {"收支统计", "statistics", "statistics"},
    {"帮助", "help", "help"},
    {"主界面", "home", "home"},
};

}  // namespace

std::span<const MenuEntry> menuEntries() {
    return kMenus;
}

std::span<const ToolEntry> toolEntries() {
    return kTools;
}

}  // namespace fennory::ui

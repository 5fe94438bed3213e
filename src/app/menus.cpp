#include "app/menus.h"

namespace fennory::ui {
namespace {

constexpr TopMenu kTops[] = {
    {"账簿【&Z】", false}, {"基础设置【&B】", true}, {"记账【&W】", true}, {"计划【&P】", true},
    {"导入【&D】", true},  {"报表中心【&R】", true}, {"工具【&T】", true}, {"帮助【&H】", false},
};

// From "关闭账簿" through "数据恢复" the book menu's rows show only while a
// book is open.
constexpr MenuRow kBookRows[] = {
    {.id = "newBook", .order = 100, .caption = "新建账簿 &N"},
    {.id = "openBook", .order = 101, .caption = "打开账簿 &O"},
    {.id = "closeBook", .order = 102, .caption = "关闭账簿 &C", .needsBook = true},
    {.id = "pageSetup", .order = 300, .caption = "打印设置 &P", .needsBook = true},
    {.id = "exit", .order = 900, .caption = "退出 &X"},
};
constexpr MenuRow kToolRows[] = {
    {.id = "calculator", .order = 100, .caption = "计算器 &P"},
    // Their captions name the action they take back or do again.
    {.id = "undo", .order = 900, .caption = "撤销", .shortcut = "Ctrl+Z"},
    {.id = "redo", .order = 901, .caption = "重做", .shortcut = "Ctrl+Y"},
    {.id = "history", .order = 902, .caption = "操作记录 &L", .needsBook = true},
};
constexpr MenuRow kHelpRows[] = {
    {.id = "help", .order = 100, .caption = "帮助 &H"},
    {.id = "website", .order = 200, .caption = "Fennory网站 &W"},
    {.id = "upgrade", .order = 300, .caption = "软件升级 &U"},
    {.id = "about", .order = 400, .caption = "关于... &A"},
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

std::span<const TopMenu> topMenus() {
    return kTops;
}

void addWindowMenuRows(Shell& shell) {
    shell.addMenuRows("账簿【&Z】", kBookRows);
    shell.addMenuRows("工具【&T】", kToolRows);
    shell.addMenuRows("帮助【&H】", kHelpRows);
}

std::span<const ToolEntry> toolEntries() {
    return kTools;
}

}  // namespace fennory::ui

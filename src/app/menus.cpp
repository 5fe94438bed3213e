#include "app/menus.h"

namespace fennory::ui {
namespace {

constexpr TopMenu kTops[] = {
    {"账簿【&Z】", false}, {"基础设置【&B】", true}, {"记账【&W】", true}, {"计划【&P】", true},
    {"导入【&D】", true},  {"报表中心【&R】", true}, {"工具【&T】", true}, {"帮助【&H】", false},
};

constexpr const char* kBook = "账簿【&Z】";
constexpr const char* kHelp = "帮助【&H】";

// From "关闭账簿" through "数据恢复" the book menu's rows show only while a
// book is open.
constexpr MenuRow kRows[] = {
    {.id = "newBook", .menu = kBook, .order = 100, .caption = "新建账簿 &N"},
    {.id = "openBook", .menu = kBook, .order = 101, .caption = "打开账簿 &O"},
    {.id = "closeBook", .menu = kBook, .order = 102, .caption = "关闭账簿 &C", .needsBook = true},
    {.id = "pageSetup", .menu = kBook, .order = 300, .caption = "打印设置 &P", .needsBook = true},
    {.id = "exit", .menu = kBook, .order = 900, .caption = "退出 &X"},
    {.id = "calculator", .menu = "工具【&T】", .order = 100, .caption = "计算器 &P"},
    {.id = "help", .menu = kHelp, .order = 100, .caption = "帮助 &H"},
    {.id = "website", .menu = kHelp, .order = 200, .caption = "Fennory网站 &W"},
    {.id = "upgrade", .menu = kHelp, .order = 300, .caption = "软件升级 &U"},
    {.id = "about", .menu = kHelp, .order = 400, .caption = "关于... &A"},
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

std::span<const MenuRow> windowMenuRows() {
    return kRows;
}

std::span<const ToolEntry> toolEntries() {
    return kTools;
}

}  // namespace fennory::ui

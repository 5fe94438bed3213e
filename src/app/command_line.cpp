#include "app/command_line.h"

#include <fmt/format.h>

#include <fstream>
#include <map>

#include "books/backup.h"
#include "books/open_book.h"
#include "core/data_module.h"
#include "core/database.h"
#include "core/session.h"
#include "import/bills.h"
#include "reporting/sheet.h"
#include "reports/journal.h"
#include "reports/period_report.h"
#include "reports/statistics.h"

namespace fennory {
namespace {

struct Arguments {
    std::string book, passwordFile, command;
    std::vector<std::string> operands;
    bool dryRun = false, beancount = false;
};

// The arguments read, or the mistake in them.
std::string parse(const std::vector<std::string>& args, Arguments& a) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        if (s == "--book" || s == "--password-file") {
            if (i + 1 >= args.size()) {
                return fmt::format("{} 后面缺少值。", s);
            }
            (s == "--book" ? a.book : a.passwordFile) = args[++i];
        } else if (s == "--dry-run") {
            a.dryRun = true;
        } else if (s == "--beancount") {
            a.beancount = true;
        } else if (s.starts_with("--")) {
            return fmt::format("不认识的选项 {}。", s);
        } else if (a.command.empty()) {
            a.command = s;
        } else {
            a.operands.push_back(s);
        }
    }
    if (a.book.empty()) {
        return "请用 --book 指定账簿。";
    }
    if (a.command.empty()) {
        return "请指定要做的事。";
    }
    return {};
}

std::string readPassword(const std::string& file, std::string& refusal) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        refusal = fmt::format("无法读取密码文件 {}。", file);
        return {};
    }
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    return line;
}

int backup(Database& db, const Arguments& a, std::ostream& err) {
    backupDataFile(db, a.operands.at(0));
    err << fmt::format("已备份到 {}\n", a.operands[0]);
    return kCommandDone;
}

int exportJournalTo(TfrmDM& dm, const Arguments& a, const std::string& today, std::ostream& err) {
    try {
        const JournalSummary s =
            exportJournal(dm, a.operands.at(0),
                          a.beancount ? JournalFormat::Beancount : JournalFormat::Ledger, today);
        err << fmt::format("已导出 {} 笔交易、{} 个账户到 {}\n", s.transactions, s.accounts,
                           a.operands[0]);
        return kCommandDone;
    } catch (const JournalFileError& e) {
        err << e.what() << "\n";
        return kCommandFailed;
    }
}

int exportSheet(TfrmDM& dm, const Arguments& a, const std::string& today, std::ostream& err) {
    if (a.operands.size() < 2) {
        err << "export-sheet 需要报表名和文件名。\n" << commandLineUsage();
        return kCommandUsage;
    }
    const std::string& which = a.operands[0];
    Sheet sheet;
    if (which == "monthly" || which == "yearly") {
        PeriodReport r(dm, which == "monthly" ? monthlyReport() : yearlyReport());
        const CheckResult ran = r.run(r.initialFilter(today));
        if (!ran.ok) {
            err << ran.message << "\n";
            return kCommandFailed;
        }
        sheet = r.sheet();
    } else if (which == "statistics") {
        IncomeExpenseStats s(dm);
        s.run(IncomeExpenseStats::initialCriteria(today));
        sheet = s.sheet();
    } else {
        err << fmt::format("不认识的报表 {}：可以是 monthly、yearly 或 statistics。\n", which);
        return kCommandUsage;
    }
    writeXlsx(a.operands[1], {sheet});
    err << fmt::format("已导出到 {}\n", a.operands[1]);
    return kCommandDone;
}

int importBill(TfrmDM& dm, const Arguments& a, std::ostream& out, std::ostream& err) {
    if (!a.dryRun) {
        err << "import-bill 只能与 --dry-run 一起使用：账单要在程序中看过后再导入。\n";
        return kCommandUsage;
    }
    BillRead read = readBill(a.operands.at(0), savedLayouts(dm.db()));
    if (read.needsLayout) {
        err << "这份账单的格式还没有指定过各列：请先在程序中导入一次。\n";
        return kCommandFailed;
    }
    if (!read.check.ok) {
        err << read.check.message << "\n";
        return kCommandFailed;
    }
    BillImport import(dm);
    import.prepare(read.bill, dm.session().OpenBookState.FName);
    for (const BillRow& r : read.bill.rows) {
        out << fmt::format("{}\t{}\t{}\t{}\t{}\t{}\n", r.date,
                           (r.isIncome() ? "" : "-") + r.amount.toDisplay(), fateCaption(r.fate),
                           r.bookCategory, r.account, r.remark());
    }
    err << read.bill.source << "：" << describeTotals(import.totals(read.bill)) << "\n";
    return kCommandDone;
}

}  // namespace

std::string commandLineUsage() {
    return "用法：fennory --book 账簿 [--password-file 文件] 命令\n"
           "  backup 文件                          备份数据文件\n"
           "  export-journal 文件 [--beancount]    导出为记账文本（hledger、ledger 或 beancount）\n"
           "  export-sheet monthly|yearly|statistics 文件   导出月报表、年报表或收支统计表\n"
           "  import-bill 文件 --dry-run           列出账单每一行将如何导入，不写入\n";
}

bool isCommandLine(const std::vector<std::string>& args) {
    for (const std::string& a : args) {
        if (a == "--book" || a == "--help") {
            return true;
        }
    }
    return false;
}

int runCommandLine(const std::vector<std::string>& args, const std::filesystem::path& dataFile,
                   const std::string& today, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << commandLineUsage();
        return kCommandDone;
    }
    Arguments a;
    if (const std::string mistake = parse(args, a); !mistake.empty()) {
        err << mistake << "\n" << commandLineUsage();
        return kCommandUsage;
    }
    static const std::map<std::string, std::size_t> operands = {
        {"backup", 1}, {"export-journal", 1}, {"export-sheet", 2}, {"import-bill", 1}};
    const auto known = operands.find(a.command);
    if (known == operands.end() || a.operands.size() != known->second) {
        err << fmt::format("不认识的命令或参数：{}\n", a.command) << commandLineUsage();
        return kCommandUsage;
    }
    std::string password;
    if (!a.passwordFile.empty()) {
        std::string refusal;
        password = readPassword(a.passwordFile, refusal);
        if (!refusal.empty()) {
            err << refusal << "\n";
            return kCommandRefused;
        }
    }
    try {
        if (!std::filesystem::exists(dataFile)) {
            err << fmt::format("数据文件 {} 不存在。\n", dataFile.string());
            return kCommandRefused;
        }
        Database db = Database::open(dataFile);
        Session session;
        session.StartupDate = today;
        session.clock = [today] { return today; };
        TfrmDM dm(db, session);
        if (const BookCheck opened = openBookForScript(dm, a.book, password); !opened.ok) {
            err << opened.message << "\n";
            return kCommandRefused;
        }
        if (a.command == "backup") {
            return backup(db, a, err);
        }
        if (a.command == "export-journal") {
            return exportJournalTo(dm, a, today, err);
        }
        if (a.command == "export-sheet") {
            return exportSheet(dm, a, today, err);
        }
        return importBill(dm, a, out, err);
    } catch (const DataFileError& e) {
        err << e.what() << "\n";
        return kCommandRefused;
    } catch (const std::exception& e) {
        err << fmt::format("没有完成：{}\n", e.what());
        return kCommandFailed;
    }
}

}  // namespace fennory

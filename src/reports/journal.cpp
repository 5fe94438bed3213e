#include "reports/journal.h"

#include <fmt/format.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "core/pinyin.h"

namespace fennory {
namespace {

struct Posting {
    std::string account;
    Money amount;
};

struct Transaction {
    std::string date;
    std::string description;
    std::string member;
    std::vector<Posting> postings;
};

// What tells the two formats apart.
struct FormatDef {
    bool beancount;
    const char* assets;
    const char* liabilities;
    const char* equity;
    const char* income;
    const char* expenses;
};

const FormatDef& formatOf(JournalFormat f) {
    static const FormatDef ledger{false, "资产", "负债", "权益", "收入", "支出"};
    // Beancount takes only its own roots, and names whose parts begin with a
    // capital or a digit: a Chinese name is led by its pinyin code.
    static const FormatDef beancount{true, "Assets", "Liabilities", "Equity", "Income", "Expenses"};
    return f == JournalFormat::Ledger ? ledger : beancount;
}

std::string lowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return s;
}

// One part of an account's name as the format allows it: no separator, no
// run of spaces (two end a name in ledger), and for beancount only letters,
// digits and dashes, starting with a capital or a non-ASCII letter.
std::string component(const std::string& name, bool beancount) {
    std::string out;
    for (unsigned char c : name) {
        if (c == ':') {
            out += "：";
        } else if (c == '\t' || c == '\n' || c == '\r' || c == ' ') {
            const char space = beancount ? '-' : ' ';
            if (!out.empty() && out.back() != space) {
                out += space;
            }
        } else if (beancount && c < 0x80 && !std::isalnum(c) && c != '-') {
            out += '-';
        } else {
            out += static_cast<char>(c);
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '-')) {
        out.pop_back();
    }
    if (out.empty()) {
        return "未命名";
    }
    if (beancount) {
        const auto first = static_cast<unsigned char>(out[0]);
        if (first >= 'a' && first <= 'z') {
            out[0] = static_cast<char>(first - 32);
        } else if (first >= 0x80) {
            std::string code;
            for (char c : PinyinCode(out)) {
                if (std::isalnum(static_cast<unsigned char>(c))) {
                    code += c;
                }
            }
            out = (code.empty() ? std::string("X") : code) + "-" + out;
        } else if (!(first >= 'A' && first <= 'Z') && !std::isdigit(first)) {
            out = "X" + out;
        }
    }
    return out;
}

// A description or a remark on one line, without what would end it.
std::string oneLine(const std::string& text, bool beancount) {
    std::string out;
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            out += ' ';
        } else if (c == ';' && !beancount) {
            out += "；";  // a semicolon starts a comment in ledger
        } else if (c == '"' && beancount) {
            out += "”";
        } else {
            out += c;
        }
    }
    return out;
}

std::string amountText(Money m) {
    const std::int64_t units = m.units();
    const std::int64_t perFen = Money::kScale / 100;
    if (units % perFen == 0) {
        const std::int64_t fen = units / perFen;
        return fmt::format("{}{}.{:02d}", fen < 0 ? "-" : "", std::abs(fen) / 100,
                           std::abs(fen) % 100);
    }
    return m.toPlain();
}

class JournalBuilder {
public:
    JournalBuilder(TfrmDM& dm, const FormatDef& f) : dm_(dm), f_(f) {
        Statement s = dm_.db().prepare(
            "SELECT AName, theType, AMoney FROM SAccount WHERE BName=?1 ORDER BY ID");
        s.bind(1, dm_.book());
        while (s.step()) {
            types_[lowerAscii(s.text(0))] = s.text(1);
            balances_.push_back({s.text(0), s.money(2)});
        }
    }

    std::string moneyAccount(const std::string& name) const {
        const auto it = types_.find(lowerAscii(name));
        const std::string type = it == types_.end() ? "其它" : it->second;
        const bool card = type == "信用卡";
        return fmt::format("{}:{}:{}", card ? f_.liabilities : f_.assets,
                           component(type, f_.beancount), component(name, f_.beancount));
    }
    std::string named(const char* root, const char* middle, const std::string& name) const {
        return middle ? fmt::format("{}:{}:{}", root, component(middle, f_.beancount),
                                    component(name, f_.beancount))
                      : fmt::format("{}:{}", root, component(name, f_.beancount));
    }

    void add(Transaction t) { txns_.push_back(std::move(t)); }

    // Income, expenses and transfers, from their records.
    void records() {
        each(
            "SELECT IDate, IName, IMoney, AName, FName, Remark FROM InTable WHERE BName=?1 "
            "ORDER BY ID",
            [this](Statement& r, Money m) {
                add({r.text(0),
                     describe(r.text(1), r.text(5)),
                     r.text(4),
                     {{moneyAccount(r.text(3)), m}, {named(f_.income, nullptr, r.text(1)), -m}}});
            });
        each(
            "SELECT ODate, OName, OMoney, AName, FName, Remark FROM OutTable WHERE BName=?1 "
            "ORDER BY ID",
            [this](Statement& r, Money m) {
                add({r.text(0),
                     describe(r.text(1), r.text(5)),
                     r.text(4),
                     {{named(f_.expenses, nullptr, r.text(1)), m}, {moneyAccount(r.text(3)), -m}}});
            });
        each(
            "SELECT CDate, OldN, CMoney, NewN, FName, Remark FROM ChangeT WHERE BName=?1 "
            "ORDER BY ID",
            [this](Statement& r, Money m) {
                add({r.text(0),
                     describe("转账", r.text(5)),
                     r.text(4),
                     {{moneyAccount(r.text(3)), m}, {moneyAccount(r.text(1)), -m}}});
            });
    }

    // Each row of a statement of the book's (bound to ?1), with its money in
    // the third column.
    void each(const char* sql, const std::function<void(Statement&, Money)>& row) {
        Statement s = dm_.db().prepare(sql);
        s.bind(1, dm_.book());
        while (s.step()) {
            row(s, s.money(2));
        }
    }

    // Debts, credits and investments, from the fund-flow log: every money move
    // of them is logged there (their records keep only what is outstanding).
    // A return's gain is left out: its income or expense record books it.
    void loans() {
        struct Family {
            const char* record;  // the record table and its party column
            const char* party;
            const char* parts[2];  // tables of its movements, with their key
            const char* key;
            const char* root;
            const char* middle;
        };
        const Family families[] = {
            {"Borrow", "BPro", {"BorrowR", "BList"}, "BID", f_.liabilities, "债务"},
            {"Debt", "DPro", {"DebtR", "DList"}, "DID", f_.assets, "债权"},
            {"TTable", "TName", {"TTableR", "TList"}, "TID", f_.assets, "投资"},
        };
        std::map<std::string, std::string> counter;  // "table#id" -> account
        for (const Family& fam : families) {
            Statement r = dm_.db().prepare(
                fmt::format("SELECT ID, {} FROM {} WHERE BName=?1", fam.party, fam.record));
            r.bind(1, dm_.book());
            std::map<std::int64_t, std::string> party;
            while (r.step()) {
                party[r.integer(0)] = named(fam.root, fam.middle, r.text(1));
                loanAccounts_.insert(party[r.integer(0)]);
                counter[fmt::format("{}#{}", fam.record, r.integer(0))] = party[r.integer(0)];
            }
            for (const char* part : fam.parts) {
                Statement p = dm_.db().prepare(
                    fmt::format("SELECT ID, {} FROM {} WHERE BName=?1", fam.key, part));
                p.bind(1, dm_.book());
                while (p.step()) {
                    const auto it = party.find(p.integer(1));
                    if (it != party.end()) {
                        counter[fmt::format("{}#{}", part, p.integer(0))] = it->second;
                    }
                }
            }
            gone_[fam.record] = named(fam.root, fam.middle, "已删除");
            loanAccounts_.insert(gone_[fam.record]);
            for (const char* part : fam.parts) {
                gone_[part] = gone_[fam.record];
            }
        }
        Statement s = dm_.db().prepare(
            "SELECT theDate, theType, Remark, theIn, theOut, AName, FName, theT, theID FROM UList "
            "WHERE BName=?1 AND theT IN ('Borrow','BorrowR','BList','Debt','DebtR','DList',"
            "'TTable','TTableR','TList') AND NOT (theT='TTableR' AND theType='收益') ORDER BY ID");
        s.bind(1, dm_.book());
        while (s.step()) {
            const Money m = s.money(3) - s.money(4);
            if (m.isZero()) {
                continue;
            }
            const std::string table = s.text(7);
            const auto it = counter.find(fmt::format("{}#{}", table, s.integer(8)));
            const std::string other = it == counter.end() ? gone_[table] : it->second;
            add({s.text(0),
                 describe(s.text(1), s.text(2)),
                 s.text(6),
                 {{moneyAccount(s.text(5)), m}, {other, -m}}});
        }
    }

    // What the book says is still owed, lent and invested, where the log's
    // moves leave it elsewhere (a written-off loan moves no money).
    void closeLoans(const std::string& today) {
        struct Outstanding {
            const char* sql;
            const char* root;
            const char* middle;
            int sign;  // a liability stands negative
        };
        const Outstanding all[] = {
            {"SELECT BPro, sum(BMoney) FROM Borrow WHERE BName=?1 GROUP BY BPro", f_.liabilities,
             "债务", -1},
            {"SELECT DPro, sum(DMoney) FROM Debt WHERE BName=?1 GROUP BY DPro", f_.assets, "债权",
             1},
            {"SELECT TName, sum(TMoney) FROM TTable WHERE BName=?1 GROUP BY TName", f_.assets,
             "投资", 1},
        };
        std::map<std::string, Money> booked;
        for (const Outstanding& o : all) {
            Statement s = dm_.db().prepare(o.sql);
            s.bind(1, dm_.book());
            while (s.step()) {
                const std::string account = named(o.root, o.middle, s.text(0));
                booked[account] += o.sign > 0 ? s.money(1) : -s.money(1);
                loanAccounts_.insert(account);
            }
        }
        std::map<std::string, Money> journal;
        for (const Transaction& t : txns_) {
            for (const Posting& p : t.postings) {
                if (loanAccounts_.contains(p.account)) {
                    journal[p.account] += p.amount;
                    booked.try_emplace(p.account, Money());
                }
            }
        }
        for (const auto& [account, amount] : booked) {
            const Money gap = amount - journal[account];
            if (!gap.isZero()) {
                add({today,
                     "核销",
                     "",
                     {{account, gap}, {named(f_.equity, nullptr, "核销"), -gap}}});
            }
        }
    }

    // Each money account's balance before its first move: what its moves
    // leave between the book's balance and the journal's.
    void openingBalances() {
        std::map<std::string, Money> moved;
        std::string first;
        for (const Transaction& t : txns_) {
            if (first.empty() || t.date < first) {
                first = t.date;
            }
            for (const Posting& p : t.postings) {
                moved[p.account] += p.amount;
            }
        }
        Transaction opening{first.empty() ? std::string("1900-01-01") : first, "期初余额", "", {}};
        Money total;
        for (const auto& [name, balance] : balances_) {
            const std::string account = moneyAccount(name);
            const Money gap = balance - moved[account];
            if (!gap.isZero()) {
                opening.postings.push_back({account, gap});
                total += gap;
            }
        }
        if (!opening.postings.empty()) {
            opening.postings.push_back({named(f_.equity, nullptr, "期初余额"), -total});
            txns_.insert(txns_.begin(), std::move(opening));
        }
    }

    JournalSummary write(std::ostream& out) {
        std::stable_sort(
            txns_.begin(), txns_.end(),
            [](const Transaction& a, const Transaction& b) { return a.date < b.date; });
        std::set<std::string> accounts;
        for (const Transaction& t : txns_) {
            for (const Posting& p : t.postings) {
                accounts.insert(p.account);
            }
        }
        const std::string first = txns_.empty() ? std::string("1900-01-01") : txns_.front().date;
        out << (f_.beancount ? ";; " : "; ") << dm_.book() << " — Fennory记账软件 导出\n";
        if (f_.beancount) {
            out << "option \"operating_currency\" \"CNY\"\n\n";
            for (const std::string& a : accounts) {
                out << first << " open " << a << " CNY\n";
            }
        } else {
            for (const std::string& a : accounts) {
                out << "account " << a << "\n";
            }
        }
        out << "\n";
        for (const Transaction& t : txns_) {
            if (f_.beancount) {
                out << t.date << " * \"" << oneLine(t.description, true) << "\"\n";
                if (!t.member.empty()) {
                    out << "  member: \"" << oneLine(t.member, true) << "\"\n";
                }
            } else {
                out << t.date << " " << oneLine(t.description, false) << "\n";
                if (!t.member.empty()) {
                    out << "    ; 成员:" << oneLine(t.member, false) << "\n";
                }
            }
            for (const Posting& p : t.postings) {
                out << (f_.beancount ? "  " : "    ") << p.account << "  " << amountText(p.amount)
                    << " CNY\n";
            }
            out << "\n";
        }
        return {txns_.size(), accounts.size()};
    }

private:
    static std::string describe(const std::string& what, const std::string& remark) {
        return remark.empty() ? what : what + " " + remark;
    }

    TfrmDM& dm_;
    const FormatDef& f_;
    std::map<std::string, std::string> types_;
    std::vector<std::pair<std::string, Money>> balances_;
    std::map<std::string, std::string> gone_;
    std::set<std::string> loanAccounts_;  // debts, credits and investments
    std::vector<Transaction> txns_;
};

}  // namespace

JournalSummary writeJournal(TfrmDM& dm, std::ostream& out, JournalFormat format,
                            const std::string& today) {
    JournalBuilder b(dm, formatOf(format));
    b.records();
    b.loans();
    b.closeLoans(today);
    b.openingBalances();
    return b.write(out);
}

JournalSummary exportJournal(TfrmDM& dm, const std::filesystem::path& file, JournalFormat format,
                             const std::string& today) {
    std::filesystem::path part = file;
    part += ".part";
    JournalSummary s;
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw JournalFileError(fmt::format("无法写入 {}。", file.string()));
        }
        s = writeJournal(dm, out, format, today);
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            std::filesystem::remove(part, ec);
            throw JournalFileError(fmt::format("写入 {} 时出错，磁盘可能已满。", file.string()));
        }
    }
    std::error_code ec;
    std::filesystem::rename(part, file, ec);
    if (ec) {
        std::filesystem::remove(part, ec);
        throw JournalFileError(fmt::format("无法写入 {}。", file.string()));
    }
    return s;
}

}  // namespace fennory

#include "books/book_creation.h"

#include <fmt/format.h>

#include "core/gbk.h"
#include "core/pinyin.h"

namespace fennory {
namespace {

constexpr std::size_t kPasswordByteLimit = 20;
constexpr std::size_t kDescriptionByteLimit = 25;

struct CopyTable {
    const char* table;
    const char* columns;  // copied unchanged, after BName
    const std::vector<std::string>* defaults;
    const char* defaultColumn;
};

const CopyTable& copyTable(int group) {
    static const CopyTable tables[kCopyGroupCount] = {
        {"InD", "IName, thePY, Remark, theState, theCount", &myNewIn(), "IName"},
        {"OutD", "OName, thePY, Remark, theState, theCount", &myNewOut(), "OName"},
        {"TD", "TName, thePY, Remark, theState, theCount", &myNewTZ(), "TName"},
        {"SFamily", "FName, thePY, Remark, theGX, BirDate", nullptr, nullptr},
        {"SAccount", "AName, thePY, AMoney, Remark, theState, theCount, theType, FName", nullptr,
         nullptr},
        {"PD", "PName, thePY, Remark, theState, theCount", nullptr, nullptr},
    };
    return tables[group];
}

// mySaveTable: one default list for a book, in list order.
void saveDefaultList(Database& db, const char* table, const char* column,
                     const std::vector<std::string>& names, std::string_view book) {
    Statement s =
        db.prepare(fmt::format("INSERT INTO {}({},thePY,BName,Remark,theState,theCount) "
                               "VALUES(?1,?2,?3,'','启用',0)",
                               table, column));
    for (const std::string& name : names) {
        s.reset();
        s.bindAll(name, PinyinCode(name), book);
        s.run();
    }
}

void insertBook(TfrmDM& dm, const NewBookInput& in) {
    dm.db().execute(
        "INSERT INTO SBook(BName,BPass,BDate,Remark,thePX,theJZPX) VALUES(?1,?2,?3,?4,5,3)",
        in.name, in.password, dm.session().StartupDate, in.description);
}

void insertSettingsRow(Database& db, std::string_view book) {
    db.execute(
        "INSERT INTO SMRX(BName,BPassKG,BPass,FName,AName,IName,OName,TName,PName,D_I,D_O,D_C,"
        "D_B,D_D,D_T,TX_M,TX_T) VALUES(?1,0,'','','','','','','',0,0,0,0,0,0,-1,0)",
        book);
}

}  // namespace

const std::vector<std::string>& myNewIn() {
    static const std::vector<std::string> names = {
        "工资",     "奖金", "补助津贴", "中奖奖金",     "稿费版税收入", "赡养费",   "亲属赠予金",
        "经营所得", "分红", "利息收入", "出卖实物财产", "租赁所得",     "其他收入", "网银"};
    return names;
}

const std::vector<std::string>& myNewOut() {
    static const std::vector<std::string> names = {
        "食品",         "水费",         "电费",     "煤气费",       "烟酒饮料",     "衣服",
        "鞋帽",         "日常用品",     "房租",     "其他日常杂项", "医疗药品费",   "保健费",
        "电话费",       "手机费",       "上网费",   "邮寄费",       "学杂费",       "培训费",
        "书籍及音像",   "订阅报章杂志", "外出就餐", "旅游度假",     "娱乐费",       "公共汽车费",
        "汽油费",       "养路费",       "年检费",   "汽车维护费",   "停车过路费",   "房屋维修",
        "电器维修",     "家具维修",     "赡养费",   "抚养费",       "慈善捐款",     "礼品礼金",
        "福利彩票",     "购买家电",     "购买家具", "购买数码产品", "购买通讯产品", "购买收藏品",
        "赎回典当物品", "利息支出",     "交纳保费", "按揭还款",     "额外付款",     "银行手续费",
        "其他支出",     "网银"};
    return names;
}

const std::vector<std::string>& myNewTZ() {
    static const std::vector<std::string> names = {"股票", "基金", "国债",   "保险",    "房产",
                                                   "外汇", "期货", "贵金属", "其他投资"};
    return names;
}

BookNum myBookNum(Database& db) {
    BookNum n;
    n.count = static_cast<int>(db.queryInt("SELECT count(*) FROM SBook").value_or(0));
    n.proposedName = n.count == 0 ? "我家账簿" : "我家账簿" + std::to_string(n.count);
    return n;
}

BookDialog newBookDialog(Database& db) {
    return myBookNum(db).count == 0 ? BookDialog::FirstBook : BookDialog::FurtherBook;
}

BookDialog startUpDialog(Database& db) {
    return myBookNum(db).count == 0 ? BookDialog::FirstBook : BookDialog::OpenBook;
}

BookCheck checkNewBook(Database& db, const NewBookInput& in) {
    if (in.confirm != in.password) {
        return BookCheck::fail("新密码与确认密码不一致！", BookField::Confirm);
    }
    if (in.name.empty()) {
        return BookCheck::fail("账簿名称 不能为空！", BookField::Name);
    }
    // The fields limit typing; text that arrives longer is refused, not cut.
    if (gbk::byteLength(in.name) > kNameByteLimit) {
        return BookCheck::fail("账簿名称 长度不能大于20！", BookField::Name);
    }
    if (gbk::byteLength(in.password) > kPasswordByteLimit) {
        return BookCheck::fail("密码 长度不能大于20！", BookField::Password);
    }
    if (db.queryInt("SELECT count(*) FROM SBook WHERE BName=?1", in.name).value_or(0) > 0) {
        return BookCheck::fail("账簿名称 重复，请重新录入！", BookField::Name);
    }
    return BookCheck::pass();
}

BookCheck createFirstBook(TfrmDM& dm, const NewBookInput& in) {
    NewBookInput book = in;
    book.description = gbk::cutToBytes(in.description, kDescriptionByteLimit);
    if (auto r = checkNewBook(dm.db(), book); !r.ok) {
        return r;
    }
    Transaction t(dm.db());
    insertBook(dm, book);
    if (book.defaultIncome) {
        saveDefaultList(dm.db(), "InD", "IName", myNewIn(), book.name);
    }
    if (book.defaultExpense) {
        saveDefaultList(dm.db(), "OutD", "OName", myNewOut(), book.name);
    }
    if (book.defaultInvestment) {
        saveDefaultList(dm.db(), "TD", "TName", myNewTZ(), book.name);
    }
    insertSettingsRow(dm.db(), book.name);
    t.commit();
    dm.session().CurrentBook = book.name;
    return BookCheck::pass();
}

std::array<CopySource, kCopyGroupCount> defaultCopySources() {
    std::array<CopySource, kCopyGroupCount> g{};
    g[kCopyIncome].choice = CopyChoice::Default;
    g[kCopyExpense].choice = CopyChoice::Default;
    g[kCopyInvestment].choice = CopyChoice::Default;
    return g;
}

BookField copyGroupField(int group) {
    return static_cast<BookField>(static_cast<int>(BookField::CopyIncome) + group);
}

BookCheck createBookWithCopies(TfrmDM& dm, const NewBook1Input& in) {
    NewBookInput book = in.book;
    book.description = gbk::cutToBytes(book.description, kDescriptionByteLimit);
    if (auto r = checkNewBook(dm.db(), book); !r.ok) {
        return r;
    }
    // A group that copies from no book is refused before anything is written,
    // so a refused dialog never leaves a half-made book behind.
    for (int g = 0; g < kCopyGroupCount; ++g) {
        if (in.groups[g].choice == CopyChoice::FromBook && in.groups[g].book.empty()) {
            return BookCheck::fail("请选择 账簿名称！", copyGroupField(g));
        }
    }
    Transaction t(dm.db());
    insertBook(dm, book);
    for (int g = 0; g < kCopyGroupCount; ++g) {
        const CopyTable& target = copyTable(g);
        const CopySource& src = in.groups[g];
        if (src.choice == CopyChoice::FromBook) {
            dm.db().execute(fmt::format("INSERT INTO {0}(BName, {1}) SELECT ?1, {1} FROM {0} "
                                        "WHERE BName=?2 ORDER BY ID",
                                        target.table, target.columns),
                            book.name, src.book);
        } else if (src.choice == CopyChoice::Default && target.defaults) {
            saveDefaultList(dm.db(), target.table, target.defaultColumn, *target.defaults,
                            book.name);
        }
    }
    insertSettingsRow(dm.db(), book.name);
    t.commit();
    return BookCheck::pass();
}

}  // namespace fennory

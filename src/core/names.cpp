#include "core/names.h"

#include <fmt/format.h>

#include <stdexcept>

#include "core/data_module.h"
#include "core/pinyin.h"

namespace fennory {

std::optional<NameTable> findNameTable(std::string_view table, std::string_view column) {
    for (const NameTable& t :
         {kAccounts, kMembers, kIncomeKinds, kExpenseKinds, kInvestmentKinds, kContacts}) {
        if (t.table == table && t.column == column) {
            return t;
        }
    }
    return std::nullopt;
}

void TfrmDM::NewFamily(std::string_view name) {
    Transaction t(db_);
    if (!hasName(kMembers, name)) {
        db_.execute(
            "INSERT INTO SFamily(FName,BName,thePY,theGX,BirDate,Remark) "
            "VALUES(?1,?2,?3,'','','')",
            name, book(), PinyinCode(name));
    }
    t.commit();
}

void TfrmDM::NewAccount(std::string_view name, std::string_view member, std::string_view type) {
    Transaction t(db_);
    if (!hasName(kAccounts, name)) {
        db_.execute(
            "INSERT INTO SAccount(AName,BName,thePY,theState,theCount,Remark,AMoney,theType,FName) "
            "VALUES(?1,?2,?3,'启用',0,'',0,?4,?5)",
            name, book(), PinyinCode(name), type, member);
    }
    t.commit();
}

bool TfrmDM::hasName(const NameTable& list, std::string_view name) {
    return db_.queryInt(fmt::format("SELECT count(*) FROM {} WHERE {}=?1 AND BName=?2", list.table,
                                    list.column),
                        name, book())
               .value_or(0) > 0;
}

std::optional<std::string> TfrmDM::newAccountQuestion(std::string_view account,
                                                      const std::vector<std::string>& agreed) {
    if (account.empty() || hasName(kAccounts, account)) {
        return std::nullopt;
    }
    for (const std::string& a : agreed) {
        if (sameName(a, account)) {
            return std::nullopt;
        }
    }
    return fmt::format("账户“{}”不存在，是否新建？", account);
}

std::string TfrmDM::storedName(std::string_view table, std::string_view nameColumn,
                               std::string_view name) {
    return db_
        .queryText(fmt::format("SELECT {1} FROM {0} WHERE {1}=?1 AND BName=?2", requireTable(table),
                               requireColumn(nameColumn)),
                   name, book())
        .value_or(std::string(name));
}

void TfrmDM::mySaveNew(std::string_view table, std::string_view nameColumn, std::string_view name) {
    auto list = findNameTable(table, nameColumn);
    if (!list || !list->hasStateAndCount || list->table == kAccounts.table) {
        throw std::invalid_argument(
            fmt::format("not a category or contact list: '{}.{}'", table, nameColumn));
    }
    Transaction t(db_);
    auto found = db_.queryInt(
        fmt::format("SELECT count(*) FROM {} WHERE {}=?1 AND BName=?2", list->table, list->column),
        name, book());
    if (found.value_or(0) == 0) {
        db_.execute(fmt::format("INSERT INTO {}({},BName,theState,theCount,thePY) "
                                "VALUES(?1,?2,'启用',0,?3)",
                                list->table, list->column),
                    name, book(), PinyinCode(name));
    }
    t.commit();
}

}  // namespace fennory

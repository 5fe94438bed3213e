#include "core/book_checks.h"

#include "core/main_texts.h"

namespace fennory {
namespace {

std::optional<MissingNames> check(TfrmDM& dm, const char* sql, const char* screen,
                                  const char* what) {
    if (dm.db().queryInt(sql, dm.book()).value_or(0) > 0) {
        return std::nullopt;
    }
    return MissingNames{screen, std::string("您还没有录入 ") + what + "，请先录入 " + what + "！"};
}

}  // namespace

std::optional<MissingNames> myCheckF(TfrmDM& dm) {
    return check(dm, "SELECT count(*) FROM SFamily WHERE BName=?1", "family", "家庭成员");
}

std::optional<MissingNames> myCheckA(TfrmDM& dm) {
    return check(dm, "SELECT count(*) FROM SAccount WHERE BName=?1", "accounts", "账户名称");
}

Edition readEdition(Database& db) {
    return editionOf(db.queryText("SELECT theBT FROM SBase WHERE ID=1").value_or(""));
}

}  // namespace fennory

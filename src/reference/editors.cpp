#include "reference/editors.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>

#include "core/gbk.h"

namespace fennory {

CheckResult saveUseCount(TfrmDM& dm, const std::string& table, std::int64_t id,
                         const std::string& typed) {
    if (typed.empty()) {
        return CheckResult::fail("记账次数 不能为空！");
    }
    if (typed.size() > 6 || !std::all_of(typed.begin(), typed.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        })) {
        return CheckResult::fail("记账次数 只能是数字！");
    }
    if (table == "SFamily") {
        throw std::invalid_argument("members have no use count");
    }
    dm.db().execute(fmt::format("UPDATE {} SET theCount=?1 WHERE ID=?2", requireTable(table)),
                    static_cast<std::int64_t>(std::stoll(typed)), id);
    return CheckResult::pass();
}

CheckResult savePinyin(TfrmDM& dm, const std::string& table, std::int64_t id,
                       const std::string& typed) {
    if (typed.empty()) {
        return CheckResult::fail("拼音码 不能为空！");
    }
    dm.db().execute(fmt::format("UPDATE {} SET thePY=?1 WHERE ID=?2", requireTable(table)),
                    gbk::cutToBytes(typed, 20), id);
    return CheckResult::pass();
}

}  // namespace fennory

#pragma once
// The use-count and pinyin-code editors the reference screens open for a row.

#include <string>

#include "core/check_result.h"
#include "core/data_module.h"

namespace fennory {

// The current row of a name list, as the pinyin-code and use-count editors
// take it.
struct NameRow {
    std::string table;
    std::int64_t id = 0;
    std::string name, pinyin, count;
};

// TfrmJZCS: the count as typed ("007" is stored as 7).
CheckResult saveUseCount(TfrmDM& dm, const std::string& table, std::int64_t id,
                         const std::string& typed);

// TfrmPY: the code exactly as typed, lower case included.
CheckResult savePinyin(TfrmDM& dm, const std::string& table, std::int64_t id,
                       const std::string& typed);

}  // namespace fennory

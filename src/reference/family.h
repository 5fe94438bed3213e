#pragma once
// Family members of the open book: add, change with the rename carried into
// the book's records, delete.

#include <string>

#include "books/book_creation.h"
#include "core/check_result.h"
#include "core/data_module.h"
#include "core/table.h"

namespace fennory {

// The tables whose FName a member rename rewrites, in order. Accounts'
// owners and thresholds keep the old name.
const std::vector<std::string>& memberNameTables();

class FamilyModel {
public:
    explicit FamilyModel(TfrmDM& dm) : dm_(dm) {}
    Table list() { return memberList(dm_); }
    CheckResult add(const MemberInput& in) { return saveMember(dm_, in); }
    CheckResult change(std::int64_t id, const std::string& oldName, const MemberInput& in);
    void remove(std::int64_t id) { deleteMember(dm_, id); }

private:
    TfrmDM& dm_;
};

}  // namespace fennory

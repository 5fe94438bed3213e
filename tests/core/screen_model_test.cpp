#include <gtest/gtest.h>

#include "core/screen_model.h"

namespace fennory {
namespace {

enum class Col { Name, Id };
constexpr ColumnDef kCols[] = {{Col::Name, "n", "名称"}, {Col::Id, "id", "ID", false, true}};

// A list whose rows the test sets, standing in for a query.
class Names : public ScreenModel<Col> {
public:
    Names() : ScreenModel(kCols, Col::Id) {}
    std::vector<std::pair<std::string, std::int64_t>> stored;
    void save(std::int64_t id) { saved(id); }
    void remove(std::int64_t id) override {
        std::erase_if(stored, [id](const auto& s) { return s.second == id; });
        refresh();
    }

protected:
    Table load() override {
        Table t;
        t.columns = {"名称", "ID"};
        for (const auto& [n, id] : stored) {
            t.rows.push_back({n, id});
        }
        return t;
    }
};

TEST(ScreenModel, OpensOnTheFirstRowAndKeepsTheCurrentRecordThroughAReload) {
    Names m;
    m.refresh();
    EXPECT_FALSE(m.hasCurrent());
    EXPECT_EQ(m.buttons().change, false);
    EXPECT_EQ(m.buttons().remove, false);

    m.stored = {{"工资", 7}, {"奖金", 9}};
    m.refresh();
    EXPECT_EQ(m.text(Col::Name), "工资");
    m.setCurrentId(9);
    // A record added before it moves its row, not the user's place.
    m.stored.insert(m.stored.begin(), {"分红", 11});
    m.refresh();
    EXPECT_EQ(m.currentId(), 9);
    EXPECT_EQ(m.currentIndex(), 2);
    EXPECT_EQ(m.text(Col::Name), "奖金");
    // Deleted: the first row takes over.
    m.remove(9);
    EXPECT_EQ(m.text(Col::Name), "分红");
}

TEST(ScreenModel, AChangeRemembersTheOldValuesAndACancelDropsThem) {
    Names m;
    m.stored = {{"工资", 7}};
    m.refresh();
    ASSERT_TRUE(m.startChange());
    EXPECT_EQ(m.mode(), RecordMode::Change);
    EXPECT_EQ(m.oldText(Col::Name), "工资");
    ButtonStates b = m.buttons();
    EXPECT_FALSE(b.grid);
    EXPECT_TRUE(b.save);
    EXPECT_TRUE(b.cancel);
    EXPECT_FALSE(b.add);
    EXPECT_FALSE(b.exit);
    m.cancel();
    EXPECT_EQ(m.mode(), RecordMode::Browse);
    EXPECT_EQ(m.oldText(Col::Name), "");
    EXPECT_EQ(m.currentId(), 7);
}

TEST(ScreenModel, AChangeNeedsACurrentRecord) {
    Names m;
    m.refresh();
    EXPECT_FALSE(m.startChange());
    EXPECT_EQ(m.mode(), RecordMode::Browse);
}

TEST(ScreenModel, AfterASaveTheSavedRecordIsCurrent) {
    Names m;
    m.stored = {{"工资", 7}};
    m.refresh();
    m.startNew();
    EXPECT_EQ(m.mode(), RecordMode::New);
    m.stored.push_back({"奖金", 8});
    m.save(8);
    EXPECT_EQ(m.mode(), RecordMode::Browse);
    EXPECT_EQ(m.text(Col::Name), "奖金");
    EXPECT_TRUE(m.buttons().change);
}

TEST(ScreenModel, AnIdNotListedIsNoCurrentRecord) {
    Names m;
    m.stored = {{"工资", 7}};
    m.refresh();
    m.setCurrentId(99);
    EXPECT_FALSE(m.hasCurrent());
    EXPECT_EQ(m.text(Col::Name), "");
}

TEST(Columns, SelectListAndHiddenColumnsFollowTheSpecs) {
    EXPECT_EQ(selectList(kCols), "n AS \"名称\", id AS \"ID\"");
    EXPECT_EQ(hiddenColumns(kCols), std::vector<int>{1});
    constexpr ColumnDef misplaced[] = {{Col::Id, "a", "A"}, {Col::Name, "b", "B"}};
    EXPECT_FALSE(columnsInOrder(misplaced));
}

}  // namespace
}  // namespace fennory

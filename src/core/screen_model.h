#pragma once
// What every record screen knows, whatever it lists: the loaded rows, the
// current record, the mode, and the values the record had when a change began.
// The view shows this and forwards clicks; it decides nothing itself.
//
// The current record is known by its ID, not by its row, so that it stays
// current through a title sort, a reload after a save, or a change of order.

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/columns.h"
#include "core/record_state.h"
#include "core/table.h"

namespace fennory {

class ScreenModelBase {
public:
    virtual ~ScreenModelBase() = default;

    const Table& rows() const { return rows_; }
    // The positions of the columns the grid hides.
    const std::vector<int>& hidden() const { return hidden_; }
    // A column the grid of this screen hides besides the model's own.
    void hideColumn(int column) { hidden_.push_back(column); }

    std::int64_t currentId() const { return currentId_; }
    bool hasCurrent() const { return currentIndex() >= 0; }
    // The row of the current record in rows(), -1 when there is none.
    int currentIndex() const { return indexOf(currentId_); }
    // The row of a record in rows(), -1 when it is not listed.
    int indexOf(std::int64_t id) const;
    // The view's grid moved to another record (0: none).
    void setCurrentId(std::int64_t id);
    // The ID of a row of a table with this model's columns (0 for none).
    std::int64_t idOf(const Table& t, std::size_t row) const;

    RecordMode mode() const { return mode_; }
    virtual ButtonStates buttons() const { return buttonStates(mode_, hasCurrent()); }

    // Reads the list again. The current record stays current while it is
    // listed; otherwise the first row becomes current.
    void refresh();

    // "新增": the entry state, the fields empty.
    virtual void startNew();
    // "修改": the entry state on the current record, whose values are kept as
    // they were. False, and nothing changes, without a current record.
    virtual bool startChange();
    // "取消": back to browsing; the fields show the current record again.
    virtual void cancel();
    // "删除" of a record by ID; the list is read again.
    virtual void remove(std::int64_t id) = 0;

protected:
    ScreenModelBase(std::span<const ColumnDef> defs, int idColumn);
    virtual Table load() = 0;
    // For models whose columns are known only when they are made.
    void setHidden(std::vector<int> hidden) { hidden_ = std::move(hidden); }

    // After a save: browsing again, the list reloaded, the saved record current.
    void saved(std::int64_t id);
    // A cell of the current record ("" without one), and of the record as it
    // was when the change began.
    std::string textAt(int column) const;
    std::string oldTextAt(int column) const;

private:
    std::vector<int> hidden_;
    int idColumn_;
    Table rows_;
    std::unordered_map<std::int64_t, int> rowOfId_;
    std::int64_t currentId_ = 0;
    std::vector<Value> old_;
    RecordMode mode_ = RecordMode::Browse;
};

// A screen model whose columns are named by the enum Column.
template <class Column>
class ScreenModel : public ScreenModelBase {
public:
    std::string text(Column c) const { return textAt(static_cast<int>(c)); }
    std::string oldText(Column c) const { return oldTextAt(static_cast<int>(c)); }

protected:
    ScreenModel(std::span<const ColumnDef> defs, Column id)
        : ScreenModelBase(defs, static_cast<int>(id)) {}
};

}  // namespace fennory

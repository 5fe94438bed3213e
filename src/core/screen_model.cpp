#include "core/screen_model.h"

namespace fennory {

ScreenModelBase::ScreenModelBase(std::span<const ColumnDef> defs, int idColumn)
    : hidden_(hiddenColumns(defs)), idColumn_(idColumn) {}

int ScreenModelBase::indexOf(std::int64_t id) const {
    auto it = rowOfId_.find(id);
    return it == rowOfId_.end() ? -1 : it->second;
}

void ScreenModelBase::setCurrentId(std::int64_t id) {
    currentId_ = rowOfId_.count(id) ? id : 0;
}

std::int64_t ScreenModelBase::idOf(const Table& t, std::size_t row) const {
    if (row >= t.rows.size()) {
        return 0;
    }
    const Value& v = t.rows[row][static_cast<std::size_t>(idColumn_)];
    return std::holds_alternative<std::int64_t>(v) ? std::get<std::int64_t>(v) : 0;
}

void ScreenModelBase::refresh() {
    rows_ = load();
    rowOfId_.clear();
    rowOfId_.reserve(rows_.size());
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        rowOfId_.emplace(idOf(rows_, r), static_cast<int>(r));
    }
    if (!rowOfId_.count(currentId_)) {
        currentId_ = rows_.empty() ? 0 : idOf(rows_, 0);
    }
}

void ScreenModelBase::startNew() {
    old_.clear();
    mode_ = RecordMode::New;
}

bool ScreenModelBase::startChange() {
    int row = currentIndex();
    if (row < 0) {
        return false;
    }
    old_ = rows_.rows[static_cast<std::size_t>(row)];
    mode_ = RecordMode::Change;
    return true;
}

void ScreenModelBase::cancel() {
    old_.clear();
    mode_ = RecordMode::Browse;
}

void ScreenModelBase::saved(std::int64_t id) {
    old_.clear();
    mode_ = RecordMode::Browse;
    currentId_ = id;
    refresh();
}

std::string ScreenModelBase::textAt(int column) const {
    int row = currentIndex();
    return row < 0 ? std::string() : rows_.text(static_cast<std::size_t>(row), column);
}

std::string ScreenModelBase::oldTextAt(int column) const {
    if (old_.empty()) {
        return {};
    }
    Table one{rows_.columns, {old_}};
    return one.text(0, column);
}

}  // namespace fennory

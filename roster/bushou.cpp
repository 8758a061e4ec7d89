#include "roster/bushou.h"

namespace roster {

void bushou::Bind(std::span<const RosterRow> table, std::int32_t row) {
    table_ = table;
    row_ = row;
    const RosterRow* bound = Row();
    const std::int32_t face = bound != nullptr ? bound->defaultFace : -1;
    current_ = face;
    saved_ = face;
}

void bushou::SetFaces(std::int32_t current, std::int32_t saved) {
    current_ = current;
    saved_ = saved;
}

const RosterRow* bushou::Row() const {
    if (row_ < 0 || static_cast<std::size_t>(row_) >= table_.size()) {
        return nullptr;
    }
    return &table_[static_cast<std::size_t>(row_)];
}

bool bushou::IsValid() const {
    return Row() != nullptr;
}

std::int32_t bushou::Code() const {
    const RosterRow* row = Row();
    return row != nullptr ? row->code : -1;
}

std::wstring bushou::Name() const {
    const RosterRow* row = Row();
    return row != nullptr && row->name != nullptr ? std::wstring(row->name) : std::wstring();
}

std::int32_t bushou::DefaultFace() const {
    const RosterRow* row = Row();
    return row != nullptr ? row->defaultFace : -1;
}

void bushou::SetCurrentFace(std::int32_t face) {
    if (IsValid() && FixedFaceOf(Code()) < 0) {
        current_ = face;
    }
}

std::wstring bushou::DisplayName() const {
    if (!IsValid()) {
        return {};
    }
    std::wstring text = Name();
    if (current_ != saved_) {
        text += kChangedMark;
    }
    return text;
}

std::int32_t bushou::ShownFaceNumber() const {
    const std::int32_t fixed = FixedFaceOf(Code());
    return fixed >= 0 ? fixed : current_;
}

}  // namespace roster

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "roster/roster_table.h"

namespace roster {

// What DisplayName adds after the name of a general whose face is changed.
inline constexpr std::wstring_view kChangedMark = L"(變更)";

// One general: its row of the roster table and its face numbers. A record is valid once the
// manager has bound it to a row; an unbound record answers "nothing" to every question.
class bushou {
public:
    bushou() = default;
    virtual ~bushou() = default;

    bool IsValid() const;
    // Row accessors: -1, empty or -1 for an invalid record.
    std::int32_t Code() const;
    std::wstring Name() const;
    std::int32_t DefaultFace() const;

    std::int32_t CurrentFace() const { return current_; }
    std::int32_t SavedFace() const { return saved_; }
    std::int32_t RowIndex() const { return row_; }
    // Ignored for an invalid record and for the generals whose face is fixed.
    void SetCurrentFace(std::int32_t face);

    // Changed since the last load or save.
    bool IsChanged() const { return IsValid() && current_ != saved_; }
    // The name, marked "(變更)" while the face is changed; empty for an invalid record.
    std::wstring DisplayName() const;
    // The face the list shows: fixed for codes 338 and 2274, else the current face.
    std::int32_t ShownFaceNumber() const;

private:
    friend class bushou_manager;
    void Bind(std::span<const RosterRow> table, std::int32_t row);
    void SetFaces(std::int32_t current, std::int32_t saved);
    const RosterRow* Row() const;

    std::int32_t current_ = -1;
    std::int32_t saved_ = -1;
    std::int32_t row_ = -1;
    std::span<const RosterRow> table_;
};

}  // namespace roster

#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "roster/bushou_manager.h"

namespace ui {

// One group of face numbers offered in the select dialog; `end` is exclusive.
struct FaceKind {
    int kind;
    std::wstring_view label;
    std::int32_t first;
    std::int32_t end;
};

constexpr int kFaceKindCount = 16;
constexpr int kZVAdditionKind = 10;
constexpr int kFirstEditKind = 11;
// The names of at most this many consecutive face numbers are looked up per kind.
constexpr int kKindNameSlots = 240;
// Face numbers from here on never enable "確定".
constexpr std::int32_t kFirstUnselectableNumber = 8180;

// The kind of one number, with the end the edition gives it (the base edition lists one
// registered-general face fewer).
FaceKind KindOf(int edition, int kind);

// The kinds offered, in combo order: every kind in change mode (the ZV additions only in the
// ZV edition), only the edit kinds in register mode.
std::vector<int> OfferedKinds(int edition, bool registerMode);

// Numbers never listed: five registered-general numbers without pictures and, in the ZV
// edition, the gap 1198..1218 of the ZV additions.
bool IsExcludedFaceNumber(int edition, std::int32_t faceNumber);

// The numbers the dialog lists for a kind, in order.
std::vector<std::int32_t> ListedFaceNumbers(int edition, int kind);

// What "確定" answers for the item at `row` (-1 for a negative row): the kind's numbers
// counted from the first, skipping only the five registered-general numbers. In the ZV
// edition an item listed after the gap therefore answers 21 below its listed number;
// document::ListedFaceNumber restores it.
std::int32_t AnsweredFaceNumber(int edition, int kind, int row);

// For each of the kKindNameSlots numbers from `first`, the first general in roster order whose
// shown face is that number, or null.
std::array<const roster::bushou*, kKindNameSlots> FirstUsers(const roster::bushou_manager& generals,
                                                             std::int32_t first);

}  // namespace ui

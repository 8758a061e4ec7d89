#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kaocg/archive_context.h"
#include "roster/bushou_manager.h"

namespace document {

class CQ06KaoCgEditDoc;

// Who wears the face of an edit slot that already holds a picture: the generals whose
// current face it is, and those whose saved face it is (what the ID archive holds for them).
struct SlotUse {
    std::vector<std::wstring> current;
    std::vector<std::wstring> saved;
};

// Nothing when the slot's used-slot bit is clear (or the archive cannot be read: then the
// registration fails anyway). generals may be null: nobody is named then.
std::optional<SlotUse> FindSlotUse(const kaocg_func::ArchiveContext& context,
                                   std::wstring_view editDataFolder,
                                   const roster::bushou_manager* generals, std::int32_t faceNumber);

// Names joined with "、", the first few only when there are many; "無" for none.
std::wstring NameList(const std::vector<std::wstring>& names);

// The question before a registration overwrites a slot; the saved wearers are named only
// when they are not the current ones.
std::wstring OverwriteQuestion(std::int32_t faceNumber, const SlotUse& use);

// Before a registration: true when the slot is free, or when the player answers "是" to the
// question (shown with the slot's thumbnail; Enter and Escape answer "否").
bool ConfirmOverwrite(CQ06KaoCgEditDoc& doc, std::int32_t faceNumber);

}  // namespace document

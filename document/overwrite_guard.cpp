#include "document/overwrite_guard.h"

#include "document/document.h"
#include "kaocg/edit_slot_bytes.h"
#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"
#include "resources/string_table.h"

namespace document {
namespace {

constexpr std::size_t kNamedAtMost = 8;

std::wstring Replace(std::wstring text, std::wstring_view mark, std::wstring_view value) {
    const std::size_t at = text.find(mark);
    if (at != std::wstring::npos) {
        text.replace(at, mark.size(), value);
    }
    return text;
}

}  // namespace

std::optional<SlotUse> FindSlotUse(const kaocg_func::ArchiveContext& context,
                                   std::wstring_view editDataFolder,
                                   const roster::bushou_manager* generals,
                                   std::int32_t faceNumber) {
    const std::int32_t slot = faceNumber - kaocg_func::kFirstEditFaceNumber;
    if (slot < 0 || slot >= static_cast<std::int32_t>(kaocg_func::kEditEntryCount)) {
        return std::nullopt;
    }
    // The large archive is written first, so its bit is set whenever any size was written.
    const auto marked = kaocg_func::IsEditSlotMarked(
        context, editDataFolder, kaocg_func::kKindEditLarge, static_cast<std::uint32_t>(slot));
    if (!marked || !*marked) {
        return std::nullopt;
    }
    SlotUse use;
    for (int i = 0; generals != nullptr && i < generals->count(); ++i) {
        const roster::bushou* general = generals->at(i);
        if (general == nullptr || !general->IsValid()) {
            continue;
        }
        if (general->ShownFaceNumber() == faceNumber) {
            use.current.push_back(general->Name());
        }
        if (general->SavedFace() == faceNumber) {
            use.saved.push_back(general->Name());
        }
    }
    return use;
}

std::wstring NameList(const std::vector<std::wstring>& names) {
    if (names.empty()) {
        return std::wstring(resources::LoadString(resources::IDS_NO_GENERAL_USES_FACE));
    }
    std::wstring list;
    for (std::size_t i = 0; i < names.size() && i < kNamedAtMost; ++i) {
        list += (i > 0 ? L"、" : L"") + names[i];
    }
    if (names.size() > kNamedAtMost) {
        list += L" 等" + std::to_wstring(names.size()) + L"名";
    }
    return list;
}

std::wstring OverwriteQuestion(std::int32_t faceNumber, const SlotUse& use) {
    std::wstring savedLine;
    if (use.saved != use.current) {
        savedLine =
            Replace(std::wstring(resources::LoadString(resources::IDS_OVERWRITE_SAVED_USERS)),
                    L"%1", NameList(use.saved));
    }
    std::wstring text(resources::LoadString(resources::IDS_OVERWRITE_QUESTION));
    text = Replace(std::move(text), L"%1", std::to_wstring(faceNumber));
    text = Replace(std::move(text), L"%2", NameList(use.current));
    return Replace(std::move(text), L"%3", savedLine);
}

bool ConfirmOverwrite(CQ06KaoCgEditDoc& doc, std::int32_t faceNumber) {
    const auto use = FindSlotUse(doc.Faces().archives, doc.Settings().editDataFolder,
                                 doc.GeneralManager(), faceNumber);
    if (!use) {
        return true;
    }
    const picture::CDIB* thumbnail =
        doc.Thumbnails().At(faceNumber - kaocg_func::kFirstEditFaceNumber);
    return doc.Windows().dialog.AskDiscard(OverwriteQuestion(faceNumber, *use), thumbnail) ==
           IMessageDialog::kResultYes;
}

}  // namespace document

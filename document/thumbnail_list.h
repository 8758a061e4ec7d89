#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "document/app_settings.h"
#include "document/feedback.h"
#include "kaocg/archive_context.h"
#include "picture/dib.h"

namespace document {

// The small faces the list view and the select dialog draw from: 60 x 60 24-bit pictures.
// Positions 0..1099 are the edit slots, 1100 and up the stock small faces in id order.
class ThumbnailList {
public:
    static constexpr std::int32_t kSide = 60;
    static constexpr std::int32_t kEditPositions = 1100;

    void Clear() { m_pictures.clear(); }
    void Reserve(std::size_t count) { m_pictures.reserve(count); }
    void Append(picture::CDIB picture) { m_pictures.push_back(std::move(picture)); }
    bool Replace(std::int32_t position, picture::CDIB picture);
    std::int32_t Count() const { return static_cast<std::int32_t>(m_pictures.size()); }
    // The picture at a position; nullptr outside the list.
    const picture::CDIB* At(std::int32_t position) const;

private:
    std::vector<picture::CDIB> m_pictures;
};

// The process-wide list, created on first use.
ThumbnailList& Thumbnails();

// Everything reading a face needs.
struct FaceSource {
    kaocg_func::ArchiveContext archives;
    const AppSettings& settings;
    IMessageBox& messages;
};

// A 60 x 60 picture of all zero bytes, shown where a face cannot be read.
picture::CDIB BlankThumbnail();
// Reads one face and keeps its top-left 60 x 60 pixels; on failure shows string 400.
std::optional<picture::CDIB> ReadThumbnail(const FaceSource& source, std::int32_t faceCgId);
// Reads every edit slot and every stock small face into the list, with the loading steps.
void BuildThumbnailList(ThumbnailList& list, const FaceSource& source, IProgress& progress);
// Reads edit slot s again after a registration.
void RefreshThumbnail(ThumbnailList& list, const FaceSource& source, std::int32_t slot);
// The list position of a face number: edit slots by their slot, others through the small
// face CG id; a position outside the list when the number has no small face.
std::int32_t ThumbnailPosition(int edition, std::int32_t faceNumber);

}  // namespace document

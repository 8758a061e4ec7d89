#include "kaocg/face_image_reader.h"

#include <optional>

#include "kaocg/face_cg_id_range.h"
#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_cg_image_archive.h"
#include "kaocg/kao_file_path.h"

namespace kaocg_func {

FaceImageReader::FaceImageReader(const ArchiveContext& context, std::wstring_view editDataFolder,
                                 std::wstring_view stockDataFolder)
    : m_context(context), m_editDataFolder(editDataFolder), m_stockDataFolder(stockDataFolder) {}

FaceImageReader::~FaceImageReader() {
    CloseArchive();
}

bool FaceImageReader::Load(std::int32_t faceCgId, picture::CDIB& picture) {
    const std::optional<FaceCgSlot> where = FindFaceCgSlot(m_context.edition, faceCgId);
    std::wstring path;
    if (!where || !BuildKaoFilePath(where->kind, m_editDataFolder, m_stockDataFolder, path)) {
        return false;
    }
    if (!m_file || path != m_path) {
        CloseArchive();
        OpenArchive(path, IsEditKind(where->kind));
    }
    if (!m_file) {
        return false;
    }
    CKaoCGImageArchive archive(m_file.get(), TransferMode::Load, &picture, m_context.edition,
                               faceCgId, where->kind);
    return archive.SerializeHeader() && archive.SerializeBody();
}

// An edit archive is opened only once its attribute is cleared, as in TransferFaceImage, and is
// read-only again right after the open: reading needs no write access, and the archive stays
// protected while the rest of the start-up runs. Only when that fails is it tried again on
// closing.
void FaceImageReader::OpenArchive(const std::wstring& path, bool edit) {
    m_path = path;
    m_protectOnClose = false;
    if (edit && !m_context.files.SetReadOnly(path, false)) {
        m_context.files.SetReadOnly(path, true);
        return;
    }
    m_file = m_context.files.Open(path, platform::OpenMode::kRead, true);
    if (edit) {
        m_protectOnClose = !m_context.files.SetReadOnly(path, true) && m_file != nullptr;
    }
}

void FaceImageReader::CloseArchive() {
    if (!m_file) {
        return;
    }
    m_file.reset();
    if (m_protectOnClose) {
        m_context.files.SetReadOnly(m_path, true);
    }
}

}  // namespace kaocg_func

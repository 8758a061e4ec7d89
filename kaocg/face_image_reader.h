#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "kaocg/archive_context.h"
#include "picture/dib.h"
#include "platform/file_system.h"

namespace kaocg_func {

// Loads many faces in a row, as the start-up does with every thumbnail. Each Load gives the
// picture and the result of TransferFaceImage's checked load (header, table, slot decoded),
// but the archive of the last face stays open until a face of another archive is read or the
// reader is destroyed. An edit archive is writable only for the moment of its opening.
// Opening an archive means resolving its path in the prefix and two attribute changes, which
// cost more than decoding a small face; this way they are paid once per archive rather than
// once per face. A failed open is tried again by the next face, as separate calls would.
class FaceImageReader {
public:
    FaceImageReader(const ArchiveContext& context, std::wstring_view editDataFolder,
                    std::wstring_view stockDataFolder);
    ~FaceImageReader();
    FaceImageReader(const FaceImageReader&) = delete;
    FaceImageReader& operator=(const FaceImageReader&) = delete;

    // The picture changes only on success.
    bool Load(std::int32_t faceCgId, picture::CDIB& picture);

private:
    void OpenArchive(const std::wstring& path, bool edit);
    void CloseArchive();

    ArchiveContext m_context;
    std::wstring m_editDataFolder;
    std::wstring m_stockDataFolder;
    std::wstring m_path;            // the archive last opened or tried
    bool m_protectOnClose = false;  // the attribute could not be set again after the open
    std::unique_ptr<platform::File> m_file;
};

}  // namespace kaocg_func

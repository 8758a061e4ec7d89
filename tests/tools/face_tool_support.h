#pragma once

// Stand-in installs for the face, archive and picture commands: blank demo prefixes made by
// the tool itself, the platform over them, and PNG pictures read back as RGBA bytes.

#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "picture/dib.h"
#include "platform/platform.h"

namespace kaocg_tool_test {

struct PngPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // R, G, B, A, top row first

    const std::uint8_t* At(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)) *
                     4];
    }
};

// Width 0 when the file is not a PNG picture.
PngPixels LoadPngPixels(const std::filesystem::path& path);

// A blank demo install ("zv" or "base") in folder/prefix, written by make-demo-install.
class BlankInstall {
public:
    BlankInstall(const std::filesystem::path& folder, const std::string& edition = "zv",
                 bool blank = true);
    const std::string& Prefix() const { return m_prefix; }
    platform::FileSystem& Files() { return m_platform->GetFileSystem(); }
    int Edition() const { return m_zv ? 1 : 0; }
    std::wstring StockFolder() const;
    std::wstring EditFolder() const;
    // Host path of an archive kind (0..5) in its folder.
    std::filesystem::path ArchiveHostPath(int kind);
    // What the editor's first run does: the game's empty edit archives copied into the edit
    // data folder, read-only.
    void CopyEditArchives();
    // Registers a side x side 24-bit picture under a face CG id through the archive code.
    bool SaveFace(std::int32_t faceCgId, const picture::CDIB& picture);

private:
    std::string m_prefix;
    bool m_zv;
    std::unique_ptr<platform::Platform> m_platform;
};

}  // namespace kaocg_tool_test

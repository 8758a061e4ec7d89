#include "face_tool_support.h"

#include <stdexcept>

#include "kaocg/face_image_transfer.h"
#include "kaocg/kao_file_path.h"
#include "tool_runner.h"
#include "tools/demo/install_writer.h"

namespace kaocg_tool_test {

PngPixels LoadPngPixels(const std::filesystem::path& path) {
    const QImage image = QImage(QString::fromStdString(path.string()), "PNG")
                             .convertToFormat(QImage::Format_RGBA8888);
    PngPixels pixels;
    if (image.isNull()) {
        return pixels;
    }
    pixels.width = image.width();
    pixels.height = image.height();
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * 4;
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* row = image.constScanLine(y);
        pixels.rgba.insert(pixels.rgba.end(), row, row + rowBytes);
    }
    return pixels;
}

BlankInstall::BlankInstall(const std::filesystem::path& folder, const std::string& edition,
                           bool blank)
    : m_prefix((folder / "prefix").string()), m_zv(edition == "zv") {
    std::filesystem::create_directories(folder);
    std::vector<std::string> args{"make-demo-install", m_prefix, "--edition", edition};
    if (blank) {
        args.push_back("--blank");
    }
    const ToolResult made = RunTool(folder, args);
    if (made.exitCode != 0) {
        throw std::runtime_error("make-demo-install failed: " + made.err);
    }
    m_platform = platform::CreateWinePlatform(m_prefix);
}

std::wstring BlankInstall::StockFolder() const {
    return kaocg_demo::InstallFolderOf(m_zv) + L"grp\\";
}

std::wstring BlankInstall::EditFolder() const {
    return m_platform->GetFileSystem().DocumentsFolder() + L"TAVU\\Quorvane06 Tc\\";
}

std::filesystem::path BlankInstall::ArchiveHostPath(int kind) {
    std::wstring path;
    kaocg_func::BuildKaoFilePath(kind, EditFolder(), StockFolder(), path);
    return Files().HostPath(path);
}

void BlankInstall::CopyEditArchives() {
    const std::wstring documents = Files().DocumentsFolder();
    for (const wchar_t* folder : {L"TAVU", L"TAVU\\Quorvane06 Tc", L"TAVU\\Quorvane06 Tc\\GRP"}) {
        Files().CreateDirectory(documents + folder);
    }
    const std::wstring edit = EditFolder();
    const wchar_t* names[] = {L"EDIT_KAO_L.Q06", L"EDIT_KAO_M.Q06", L"EDIT_KAO_S.Q06"};
    for (int kind = 3; kind <= 5; ++kind) {
        std::wstring target;
        kaocg_func::BuildKaoFilePath(kind, edit, StockFolder(), target);
        if (!Files().CopyFile(StockFolder() + names[kind - 3], target) ||
            !Files().SetReadOnly(target, true)) {
            throw std::runtime_error("cannot copy the edit archives");
        }
    }
}

bool BlankInstall::SaveFace(std::int32_t faceCgId, const picture::CDIB& source) {
    picture::CDIB picture;
    picture.Create(source);
    return kaocg_func::TransferFaceImage({Files(), Edition()}, EditFolder(), faceCgId, picture,
                                         StockFolder(), kaocg_func::TransferMode::Save, true);
}

}  // namespace kaocg_tool_test

#include "tools/demo/install_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "kaocg/image_archive_layout.h"
#include "lumo/io/utf.h"
#include "tools/demo/archive_writer.h"
#include "tools/demo/prefix_files.h"
#include "tools/demo/user_reg_writer.h"

namespace kaocg_demo {
namespace {

namespace fs = std::filesystem;
using namespace kaocg_func;

// File names as the game ships them; the templates' upper-case extension is the game's own.
constexpr std::array<const char*, 6> kArchiveNames{
    "KAO_L.q06", "KAO_M.q06", "KAO_S.q06", "EDIT_KAO_L.Q06", "EDIT_KAO_M.Q06", "EDIT_KAO_S.Q06"};

bool IsUsableUserName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.size() <= 64 &&
           name.find_first_of("/\\:*?\"<>|") == std::string_view::npos &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 32; });
}

std::vector<bool> EditionsOf(DemoEditions editions) {
    switch (editions) {
        case DemoEditions::kBase:
            return {false};
        case DemoEditions::kZV:
            return {true};
        default:
            return {false, true};
    }
}

// An empty or missing folder, or one written here before.
bool CheckPrefix(const std::string& prefix, std::string& error) {
    std::error_code code;
    if (!fs::exists(prefix, code)) {
        return true;
    }
    if (!fs::is_directory(prefix, code)) {
        error = prefix + ": exists and is not a folder";
        return false;
    }
    if (fs::is_empty(prefix, code) || fs::exists(fs::path(prefix) / kDemoMarker, code)) {
        return true;
    }
    error = prefix +
            ": the folder holds something other than a demo install; give a new or "
            "empty folder";
    return false;
}

bool WritePrefixFrame(const std::string& prefix, const std::string& user, std::string& error) {
    const fs::path root(prefix);
    static constexpr std::string_view kMarkerText = "written by kaocg-tool make-demo-install\n";
    return MakeFolders(prefix, error) &&
           WriteFileAtomically(
               (root / kDemoMarker).string(),
               {reinterpret_cast<const std::uint8_t*>(kMarkerText.data()), kMarkerText.size()},
               error) &&
           MakeFolders((root / "drive_c" / "users" / user / "Documents").string(), error) &&
           MakeFolders((root / "dosdevices").string(), error) &&
           ReplaceSymlink("../drive_c", (root / "dosdevices" / "c:").string(), error) &&
           ReplaceSymlink("/", (root / "dosdevices" / "z:").string(), error);
}

// A DOS program that says what it is and stops: enough of an executable for anything that
// looks at the file, while the game itself is not here.
std::vector<std::uint8_t> ExecutableStub() {
    static constexpr std::string_view kCode =
        "\x0E\x1F\xBA\x0E\x00\xB4\x09\xCD\x21\xB8\x01\x4C\xCD\x21"  // print, exit with 1
        "This is a stand-in for the game, for tests and demos.\r\n$";
    std::vector<std::uint8_t> bytes(64, 0);
    bytes.insert(bytes.end(), kCode.begin(), kCode.end());
    const auto size = static_cast<std::uint16_t>(bytes.size());
    const auto put16 = [&bytes](std::size_t at, std::uint16_t v) {
        bytes[at] = static_cast<std::uint8_t>(v);
        bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    bytes[0] = 'M';
    bytes[1] = 'Z';
    put16(2, size % 512);
    put16(4, static_cast<std::uint16_t>((size + 511) / 512));
    put16(8, 4);  // header paragraphs
    put16(12, 0xFFFF);
    put16(16, 0xB8);  // stack pointer
    put16(24, 0x40);  // relocation table offset
    return bytes;
}

bool WriteGameFolder(const std::string& prefix, bool zv, bool blank, std::string& error) {
    const fs::path folder(InstallFolderIn(prefix, zv));
    const std::string exe = (folder / GameExecutableName(zv)).string();
    if (!MakeFolders((folder / "grp").string(), error) ||
        !WriteFileAtomically(exe, ExecutableStub(), error) ||
        !SetModificationTime(exe, kExecutableTime, error)) {
        return false;
    }
    const int edition = zv ? 1 : 0;
    for (int kind = kKindStockLarge; kind <= kKindEditSmall; ++kind) {
        const std::string path =
            (folder / "grp" / kArchiveNames[static_cast<std::size_t>(kind)]).string();
        if (!WriteImageArchive(path, kind, edition, blank, error)) {
            return false;
        }
    }
    return true;
}

bool WriteRegistry(const std::string& prefix, const std::vector<bool>& editions,
                   const std::string& user, std::string& error) {
    UserRegContent content;
    for (const bool zv : editions) {
        content.installs.push_back({zv, InstallFolderOf(zv)});
    }
    content.documentsFolder = L"C:\\users\\" + lumo::Utf8ToWide(user) + L"\\Documents";
    const std::string text = UserRegText(content);
    return WriteFileAtomically((fs::path(prefix) / "user.reg").string(),
                               {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()},
                               error);
}

}  // namespace

const char* GameExecutableName(bool zv) {
    return zv ? "QRVN06ZV.exe" : "QRVN06.EXE";
}

std::wstring InstallFolderOf(bool zv) {
    return L"C:\\Program Files (x86)\\TAVU\\" + std::wstring(EditionKeyName(zv)) + L"\\";
}

std::string InstallFolderIn(const std::string& prefix, bool zv) {
    return (fs::path(prefix) / "drive_c" / "Program Files (x86)" / "TAVU" /
            lumo::WideToUtf8(EditionKeyName(zv)))
        .string();
}

std::string DemoUserName(const std::string& name) {
    if (IsUsableUserName(name)) {
        return name;
    }
    const char* user = std::getenv("USER");
    return user && IsUsableUserName(user) ? std::string(user) : std::string("player");
}

bool WriteDemoInstall(const DemoInstallOptions& options, std::string& error) {
    const std::string user = DemoUserName(options.userName);
    const std::vector<bool> editions = EditionsOf(options.editions);
    if (!CheckPrefix(options.prefix, error) || !WritePrefixFrame(options.prefix, user, error)) {
        return false;
    }
    for (const bool zv : editions) {
        if (!WriteGameFolder(options.prefix, zv, options.blank, error)) {
            return false;
        }
    }
    // The registry comes last: a prefix whose archives are incomplete shows no game.
    return WriteRegistry(options.prefix, editions, user, error);
}

}  // namespace kaocg_demo

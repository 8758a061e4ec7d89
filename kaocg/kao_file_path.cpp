#include "kaocg/kao_file_path.h"

#include <array>
#include <utility>

namespace kaocg_func {
namespace {

struct KaoFileName {
    std::wstring_view name;
    bool inEditFolder;
    bool inGrpFolder;
};

constexpr std::array<KaoFileName, 8> kFileNames{{
    {L"KAO_L.q06", false, false},
    {L"KAO_M.q06", false, false},
    {L"KAO_S.q06", false, false},
    {L"EDIT_KAO_L.q06", true, true},
    {L"EDIT_KAO_M.q06", true, true},
    {L"EDIT_KAO_S.q06", true, true},
    {L"kaoedit.q06", true, false},
    {L"kaoeditzv.q06", true, false},
}};

constexpr std::wstring_view kGrpFolder = L"GRP/";

}  // namespace

bool BuildKaoFilePath(int kind, std::wstring_view editDataFolder, std::wstring_view stockDataFolder,
                      std::wstring& path) {
    if (kind < 0 || static_cast<std::size_t>(kind) >= kFileNames.size()) {
        return false;
    }
    const KaoFileName& file = kFileNames[static_cast<std::size_t>(kind)];
    std::wstring result(file.inEditFolder ? editDataFolder : stockDataFolder);
    if (file.inGrpFolder) {
        result += kGrpFolder;
    }
    result += file.name;
    if (result.size() + 1 > kMaxKaoPathChars) {
        return false;
    }
    path = std::move(result);
    return true;
}

}  // namespace kaocg_func

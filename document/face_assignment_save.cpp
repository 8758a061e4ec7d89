#include "document/face_assignment_save.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "kaocg/kao_file_path.h"

namespace document {
namespace {

constexpr std::wstring_view kBackupEnd = L".bak";

// The path rule with an empty folder gives the bare file name.
std::wstring IdArchiveName(int edition) {
    std::wstring name;
    kaocg_func::BuildKaoFilePath(edition == 1 ? kaocg_func::kKaoIdZV : kaocg_func::kKaoIdBase, L"",
                                 L"", name);
    return name;
}

bool IsBackupOf(std::wstring_view name, int edition) {
    const std::wstring start = IdArchiveName(edition) + L".";
    // The time takes 15 characters: YYYYMMDD-hhmmss.
    return name.size() == start.size() + 15 + kBackupEnd.size() && name.starts_with(start) &&
           name.ends_with(kBackupEnd);
}

void RemoveOldBackups(platform::FileSystem& files, std::wstring_view editDataFolder, int edition) {
    std::vector<std::wstring> backups;
    for (std::wstring& name : files.ListFiles(editDataFolder)) {
        if (IsBackupOf(name, edition)) {
            backups.push_back(std::move(name));
        }
    }
    if (backups.size() <= kKeptBackups) {
        return;
    }
    std::sort(backups.begin(), backups.end());
    for (std::size_t i = 0; i + kKeptBackups < backups.size(); ++i) {
        files.DeleteFile(std::wstring(editDataFolder) + backups[i]);
    }
}

}  // namespace

std::wstring FaceAssignmentBackupName(int edition, const platform::LocalTime& time) {
    wchar_t stamp[32];
    std::swprintf(stamp, std::size(stamp), L".%04d%02d%02d-%02d%02d%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return IdArchiveName(edition) + stamp + std::wstring(kBackupEnd);
}

bool BackUpFaceAssignments(platform::FileSystem& files, std::wstring_view editDataFolder,
                           int edition) {
    const std::wstring current = std::wstring(editDataFolder) + IdArchiveName(edition);
    const auto time = files.LastWriteTime(current);
    if (!files.Exists(current) || !time) {
        return true;
    }
    const bool copied = files.CopyFile(
        current, std::wstring(editDataFolder) + FaceAssignmentBackupName(edition, *time));
    RemoveOldBackups(files, editDataFolder, edition);
    return copied;
}

bool SaveFaceAssignments(platform::FileSystem& files, const AppSettings& settings,
                         roster::bushou_manager& generals) {
    BackUpFaceAssignments(files, settings.editDataFolder, settings.edition);
    return generals.StoreFaceAssignments({files, settings.edition}, settings.editDataFolder);
}

}  // namespace document

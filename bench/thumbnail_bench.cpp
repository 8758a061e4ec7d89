// The start-up load: every edit slot and every stock small face of a drawn stand-in ZV
// install read into the thumbnail list (1,100 + 1,598 faces).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "document/edit_archives.h"
#include "document/game_environment.h"
#include "document/thumbnail_list.h"
#include "tools/demo/install_writer.h"

namespace {

namespace fs = std::filesystem;

class Silent : public document::IMessageBox, public document::IProgress {
public:
    void Show(std::wstring_view) override { ++messages; }
    void Step() override {}
    int messages = 0;
};

// One drawn install for the whole run, removed at exit.
struct DrawnInstall {
    DrawnInstall() {
        std::string pattern = (fs::temp_directory_path() / "kaocg-bench-XXXXXX").string();
        root = mkdtemp(pattern.data()) ? pattern : "";
        kaocg_demo::DemoInstallOptions options;
        options.prefix = root + "/prefix";
        options.userName = "player";
        std::string error;
        ok = !root.empty() && kaocg_demo::WriteDemoInstall(options, error);
        platform = platform::CreateWinePlatform(options.prefix);
        settings.edition = game::DetectEdition(platform->GetRegistry());
        settings.installFolder = game::ReadInstallFolder(platform->GetRegistry(), true);
        settings.stockDataFolder = settings.installFolder + L"grp\\";
        settings.editDataFolder = platform->GetFileSystem().DocumentsFolder() +
                                  std::wstring(document::kEditDataFolderTail);
        Silent silent;
        ok = ok &&
             document::PrepareEditArchives(platform->GetFileSystem(), settings, silent, silent);
    }
    ~DrawnInstall() {
        platform.reset();
        std::error_code ignored;
        for (auto it = fs::recursive_directory_iterator(root, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        }
        fs::remove_all(root, ignored);
    }
    std::string root;
    bool ok = false;
    std::unique_ptr<platform::Platform> platform;
    document::AppSettings settings;
};

void BM_ReadStartupThumbnails(benchmark::State& state) {
    static DrawnInstall install;
    if (!install.ok) {
        state.SkipWithError("the stand-in install could not be written");
        return;
    }
    Silent silent;
    const document::FaceSource source{
        {install.platform->GetFileSystem(), install.settings.edition}, install.settings, silent};
    for (auto _ : state) {
        document::ThumbnailList list;
        document::BuildThumbnailList(list, source, silent);
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["faces"] = 1100 + 1598;
    state.counters["failed"] = silent.messages;
}
BENCHMARK(BM_ReadStartupThumbnails)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

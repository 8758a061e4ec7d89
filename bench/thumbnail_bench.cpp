// The start-up load: every edit slot and every stock small face of a drawn stand-in ZV
// install read into the thumbnail list (1,100 + 1,598 faces).
#include <benchmark/benchmark.h>

#include "document/edit_archives.h"
#include "document/thumbnail_list.h"
#include "drawn_install.h"

namespace {

class Silent : public document::IMessageBox, public document::IProgress {
public:
    void Show(std::wstring_view) override { ++messages; }
    void Step() override {}
    int messages = 0;
};

// The install with the first-run copies of the edit archives made, as every later start finds
// it.
bench::DrawnInstall& PreparedInstall(bool& ok) {
    static bench::DrawnInstall install;
    static const bool prepared = [] {
        Silent silent;
        return install.Ok() && document::PrepareEditArchives(install.Platform().GetFileSystem(),
                                                             install.Settings(), silent, silent);
    }();
    ok = prepared;
    return install;
}

void BM_ReadStartupThumbnails(benchmark::State& state) {
    bool ok = false;
    bench::DrawnInstall& install = PreparedInstall(ok);
    if (!ok) {
        state.SkipWithError("the stand-in install could not be written");
        return;
    }
    Silent silent;
    const document::FaceSource source{
        {install.Platform().GetFileSystem(), install.Settings().edition},
        install.Settings(),
        silent};
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

// One registration as Load image ends it: three crops encoded into an edit slot of each size,
// the used-slot bits set, the slot's thumbnail read back and the list refilled, on a drawn
// stand-in ZV install whose document has loaded (so the edit archives are the first-run
// copies).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "document/document.h"
#include "document/registration.h"
#include "drawn_install.h"
#include "support/recording_ui.h"

namespace {

// A bottom-up 24-bit crop, as the crop dialog answers, with varied colours so that no
// encoder shortcut for flat pictures is measured.
picture::CDIB Crop(const document::FaceSize& size, unsigned seed) {
    auto dib = picture::CDIB::CreateWithPixels(size.width, size.height, {}, 24);
    if (!dib) {
        return {};
    }
    std::uint32_t state = seed;
    for (std::uint8_t& byte : dib->Pixels()) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return std::move(*dib);
}

struct LoadedDocument {
    LoadedDocument() {
        if (install.Ok()) {
            doc = std::make_unique<document::CQ06KaoCgEditDoc>(
                install.Platform(), install.Settings(),
                document::CQ06KaoCgEditDoc::Ui{ui, ui, ui, ui});
            ok = doc->LoadAllData();
        }
    }
    bench::DrawnInstall install;
    testsupport::RecordingUi ui;
    std::unique_ptr<document::CQ06KaoCgEditDoc> doc;
    bool ok = false;
};

void BM_RegisterFace(benchmark::State& state) {
    static LoadedDocument loaded;
    if (!loaded.ok) {
        state.SkipWithError("the stand-in install could not be written or loaded");
        return;
    }
    const picture::CDIB large = Crop(document::kLargeFace, 1);
    const picture::CDIB medium = Crop(document::kMediumFace, 2);
    const picture::CDIB small = Crop(document::kSmallFace, 3);
    std::int32_t slot = 0;
    int failed = 0;
    for (auto _ : state) {
        // Slots in turn, as a player fills them; the archives' pages are warm either way.
        if (!document::RegisterFace(*loaded.doc, large, medium, small, 1700 + slot)) {
            ++failed;
        }
        slot = (slot + 1) % document::kRegistrableSlots;
    }
    state.counters["failed"] = failed;
}
BENCHMARK(BM_RegisterFace)->Unit(benchmark::kMillisecond);

}  // namespace

// The crop dialog on a 12 MP photo: opening it to the first fitted paint, one zoom step, a
// pan repaint at the fit and at 100 %, against a plain repaint of the fitted view. Runs on
// the offscreen platform. The view's Render is what its paint event draws.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <optional>

#include "support/photo_picture.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_view.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

const picture::CDIB& Photo() {
    static const picture::CDIB photo = [] {
        const testsupport::RawPicture raw = testsupport::MakePhotoLikePicture(kWidth, kHeight);
        picture::CDIB dib = *picture::CDIB::CreateWithPixels(kWidth, -kHeight, {}, 24);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const std::uint8_t* in = raw.At(x, y);
                std::uint8_t* out = dib.PixelAddress(x, y);
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
        }
        return dib;
    }();
    return photo;
}

// A dialog of the size the editor opens on a 1920 x 1080 desktop.
std::unique_ptr<ui::CBMPCutDlg> OpenDialog(picture::CDIB& target) {
    auto dialog = std::make_unique<ui::CBMPCutDlg>(Photo(), 240, 240, target);
    dialog->resize(ui::CBMPCutDlg::OpeningSize(QRect(0, 0, 1920, 1040)));
    // Hidden widgets get their size only when shown.
    dialog->show();
    return dialog;
}

void BM_OpenToFirstFittedPaint(benchmark::State& state) {
    Photo();
    picture::CDIB target;
    for (auto _ : state) {
        auto dialog = OpenDialog(target);
        benchmark::DoNotOptimize(dialog->View()->Render());
    }
}
BENCHMARK(BM_OpenToFirstFittedPaint)->Unit(benchmark::kMillisecond);

void BM_FittedRepaint(benchmark::State& state) {
    picture::CDIB target;
    auto dialog = OpenDialog(target);
    dialog->View()->Render();
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog->View()->Render());
}
BENCHMARK(BM_FittedRepaint)->Unit(benchmark::kMillisecond);

// Alternately one step in and one out, each with its repaint, so every step makes a new
// zoomed copy as the player's first visit to a zoom does.
void BM_ZoomStepRepaint(benchmark::State& state) {
    picture::CDIB target;
    auto dialog = OpenDialog(target);
    bool in = true;
    for (auto _ : state) {
        in ? dialog->View()->ZoomIn() : dialog->View()->ZoomOut();
        in = !in;
        benchmark::DoNotOptimize(dialog->View()->Render());
    }
}
BENCHMARK(BM_ZoomStepRepaint)->Unit(benchmark::kMillisecond);

// A pan by a few pixels, as a drag delivers it, and its repaint; range(0) is the zoom in
// percent (25 stands for a zoomed-out view, 100 for full size).
void BM_PanRepaint(benchmark::State& state) {
    picture::CDIB target;
    auto dialog = OpenDialog(target);
    ui::CropView* view = dialog->View();
    if (state.range(0) == 100)
        view->ShowActualSize();
    else
        view->ZoomIn();
    view->Render();
    int step = 7;
    for (auto _ : state) {
        const QPoint scroll = view->Scroll();
        if (scroll.x() + step < 0 || scroll.x() + step > view->Zoom().ScrollLimitX())
            step = -step;
        view->SetScroll(scroll.x() + step, scroll.y());
        benchmark::DoNotOptimize(view->Render());
    }
}
BENCHMARK(BM_PanRepaint)->Arg(25)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
